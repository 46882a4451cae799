#pragma once
// Fixed-point number formatting that rounds exact halves away from zero, as
// the diagram's labels and tables always have (1500.5 shows as 1501).

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace liquidus {

/// The value with `decimals` digits after the point ("%.Nf" with halves
/// rounded away from zero; never "-0").
std::string FormatFixed(double value, int decimals);

/// Every byte that is not printable ASCII or part of UTF-8 text written as
/// an escape (\n, \t, \x00, \x1b, …), so that a message is always one line,
/// survives a C string and never drives the terminal. Its own output comes
/// back unchanged.
std::string Escaped(std::string_view text);

/// Bad input as a message shows it: escaped and in quotes, and when longer
/// than kShownInputChars characters only those, then "…" and its length
/// ("\"aaaa…\" (5000 bytes)"), so that a huge line gives a short message.
inline constexpr std::size_t kShownInputChars = 200;
std::string QuotedInput(std::string_view text);

/// Whether `text` is a name a diagram file can hold as it is: UTF-8 without
/// control characters, at most `maxBytes` bytes.
bool IsStorableName(std::string_view text, std::size_t maxBytes);

/// A number typed by a user: an optional sign and the digits, nothing else
/// (no spaces), always with a decimal point whatever the locale. Integral
/// types take whole numbers only; non-finite values are refused.
template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    // One sign only: from_chars would not see a second "+" as a sign.
    if (text.empty() || text.front() == '+') return std::nullopt;
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) return std::nullopt;
    }
    return value;
}

}  // namespace liquidus
