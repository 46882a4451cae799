#include "model/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace liquidus {

namespace {

/// The length of the printable character starting at `i`: 1 for printable
/// ASCII, the sequence's length for a well-formed UTF-8 character that is
/// not a C1 control, 0 for anything to escape.
std::size_t PrintableLength(std::string_view text, std::size_t i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F) return 1;
    const std::size_t length = byte >= 0xF0 && byte < 0xF5   ? 4
                               : byte >= 0xE0 && byte < 0xF0 ? 3
                               : byte >= 0xC2 && byte < 0xE0 ? 2
                                                             : 0;
    if (length == 0 || i + length > text.size()) return 0;
    char32_t code = byte & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t shortest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
    const bool valid =
        code >= 0xA0 && code <= 0x10FFFF && !(code >= 0xD800 && code < 0xE000) && code >= shortest;
    return valid ? length : 0;
}

}  // namespace

std::string Escaped(std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = PrintableLength(text, i)) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i++]);
        if (byte == '\n' || byte == '\t' || byte == '\r') {
            out += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : "\\r";
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

std::string QuotedInput(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < kShownInputChars; ++chars) {
        end += std::max<std::size_t>(PrintableLength(text, end), 1);
    }
    std::string quoted = "\"" + Escaped(text.substr(0, end));
    if (end < text.size()) {
        quoted += "…\" (" + std::to_string(text.size()) + " bytes)";
    } else {
        quoted += '"';
    }
    return quoted;
}

bool IsStorableName(std::string_view text, std::size_t maxBytes) {
    if (text.size() > maxBytes) return false;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // C1 controls are well-formed text a file holds; the C0 ones and
        // DEL are what a name must not contain.
        std::size_t length = PrintableLength(text, i);
        if (length == 0 && byte >= 0xC2 && byte < 0xE0 && i + 1 < text.size()) {
            length = (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80 ? 2 : 0;
        }
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    }
    long double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    // Extended precision keeps a value like 2.675 (really 2.67499...) below
    // the half, while exact halves are pushed away from zero.
    const long double scaled = static_cast<long double>(value) * scale;
    long double rounded = std::floor(std::fabs(scaled) + 0.5L);
    if (scaled < 0) rounded = -rounded;
    if (rounded == 0) rounded = 0;  // no "-0"
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, rounded / scale);
    return buffer;
}

}  // namespace liquidus
