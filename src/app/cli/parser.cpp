#include "app/cli/parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "canvas/figurefile.h"
#include "model/format.h"
#include "ternary/properties.h"

namespace liquidus::cli {

namespace {


const TModeSpec* FindMode(std::string_view name) {
    for (const TModeSpec* mode : Modes()) {
        if (name == mode->Name || (!mode->Alias.empty() && name == mode->Alias)) return mode;
    }
    return nullptr;
}

bool Combines(const TModeSpec& mode, std::string_view other) {
    return std::find(mode.Combines.begin(), mode.Combines.end(), other) != mode.Combines.end();
}

const TOptionSpec* FindOption(std::string_view name) {
    for (const TOptionSpec& option : Options()) {
        if (name == option.Name) return &option;
    }
    return nullptr;
}

TPropertyAssignment ParseSet(const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw TUsageError("--set " + Quoted(assignment) + ": expected NAME=VALUE");
    }
    TPropertyAssignment set{assignment, assignment.substr(0, equals),
                            assignment.substr(equals + 1)};
    // Names are checked now, so that a misspelt one is reported before any
    // other work; values are checked when they are applied, still before
    // anything is written.
    const TPropertyInfo* property = FindProperty(set.Name);
    if (property == nullptr) {
        throw TUsageError("--set " + Quoted(assignment) + ": unknown property " + Quoted(set.Name));
    }
    if (property->ReadOnly()) {
        throw TUsageError("--set " + Quoted(assignment) + ": property " + property->Name +
                          " is read-only");
    }
    return set;
}

std::optional<int> ParseSide(std::string_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const std::optional<int> value = ParseNumber<int>(text);
    if (!value || *value < 1 || *value > kMaxPictureSide) return std::nullopt;
    return value;
}

std::optional<TMillimetreSize> ParseMillimetres(std::string_view size) {
    if (!size.ends_with("mm")) return std::nullopt;
    size.remove_suffix(2);
    const std::size_t x = size.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto side = [](std::string_view text) -> std::optional<double> {
        if (text.empty() || !(text.front() >= '0' && text.front() <= '9')) return std::nullopt;
        const std::optional<double> value = ParseNumber<double>(text);
        if (!value || !(*value >= 1.0 && *value <= kMaxFigureMillimetres)) return std::nullopt;
        return value;
    };
    const std::optional<double> width = side(size.substr(0, x));
    const std::optional<double> height = side(size.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return TMillimetreSize{*width, *height};
}

TPictureSize ParseSize(const std::string& size) {
    const std::size_t x = size.find_first_of("xX");
    std::optional<int> width;
    std::optional<int> height;
    if (x != std::string::npos) {
        width = ParseSide(std::string_view(size).substr(0, x));
        height = ParseSide(std::string_view(size).substr(x + 1));
    }
    if (!width || !height) {
        throw TUsageError("--size " + Quoted(size) + ": expected WxH, two whole numbers 1.." +
                          std::to_string(kMaxPictureSide) + ", or WxHmm, millimetres 1.." +
                          FormatFixed(kMaxFigureMillimetres, 0) + " for .svg and .pdf");
    }
    return {*width, *height};
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

bool Accepts(const TModeSpec& mode, std::string_view option) {
    if (mode.UsesDiagram && (option == "--set" || option == "--size" || option == "--diagram")) {
        return true;
    }
    return std::find(mode.Options.begin(), mode.Options.end(), option) != mode.Options.end();
}

std::string ModesAccepting(std::string_view option) {
    std::string names;
    for (const TModeSpec* mode : Modes()) {
        if (Accepts(*mode, option)) {
            if (!names.empty()) names += " or ";
            names += mode->Name;
        }
    }
    return names;
}

std::string Quoted(std::string_view text) {
    return QuotedInput(text);
}

bool TRequest::Has(std::string_view option) const {
    return std::any_of(Options.begin(), Options.end(),
                       [option](const auto& given) { return given.first == option; });
}

std::optional<std::string> TRequest::Value(std::string_view option) const {
    for (const auto& [name, value] : Options) {
        if (name == option) return value;
    }
    return std::nullopt;
}

std::optional<std::pair<double, double>> ParsePair(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto a = ParseNumber<double>(Trimmed(text.substr(0, comma)));
    const auto b = ParseNumber<double>(Trimmed(text.substr(comma + 1)));
    // Far beyond any share: a slip of the keyboard, not a composition.
    constexpr double kLargest = 1e6;
    if (!a || !b || std::fabs(*a) > kLargest || std::fabs(*b) > kLargest) return std::nullopt;
    return std::pair{*a, *b};
}

TRequest ParseArguments(const std::vector<std::string>& args) {
    TRequest request;
    std::vector<std::string_view> given;  // option names, to check repeats and modes
    std::string modeOption;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg.front() != '-') {
            throw TUsageError("unexpected argument " + Quoted(arg));
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t equals = arg.find('=');
            arg.starts_with("--") && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const TModeSpec* mode = FindMode(name);
        const TOptionSpec* option = mode == nullptr ? FindOption(name) : nullptr;
        if (mode == nullptr && option == nullptr) {
            throw TUsageError("unknown option " + Quoted(name));
        }
        const std::string_view canonical = mode != nullptr ? mode->Name : option->Name;
        const std::string_view argument = mode != nullptr ? mode->Argument : option->Argument;
        const bool repeatable = mode != nullptr ? mode->Repeatable : option->Repeatable;
        if (argument.empty()) {
            if (value) {
                throw TUsageError(std::string(canonical) + " takes no value");
            }
            value = std::string();
        } else if (!value) {
            // An option in the value's place means the value was left out.
            if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                value = args[++i];
            }
        }
        if (!value || (!argument.empty() && value->empty())) {
            throw TUsageError(std::string(canonical) + " needs " + std::string(argument));
        }
        if (!repeatable && std::find(given.begin(), given.end(), canonical) != given.end()) {
            throw TUsageError(std::string(canonical) + " given more than once");
        }
        given.push_back(canonical);
        if (mode != nullptr && request.Mode != nullptr && request.Mode != mode &&
            Combines(*request.Mode, mode->Name)) {
            request.Options.emplace_back(mode->Name, *value);
            continue;
        }
        if (mode != nullptr && request.Mode != nullptr && request.Mode != mode &&
            Combines(*mode, request.Mode->Name)) {
            // The mode given first joins the one that leads.
            for (std::string& earlier : request.ModeValues) {
                request.Options.emplace_back(request.Mode->Name, std::move(earlier));
            }
            request.ModeValues.clear();
            request.Mode = nullptr;
        }
        if (mode != nullptr) {
            if (request.Mode != nullptr && request.Mode != mode) {
                throw TUsageError(std::string(mode->Name) + " cannot be combined with " +
                                  modeOption);
            }
            request.Mode = mode;
            modeOption = std::string(mode->Name);
            request.ModeValues.push_back(*value);
        } else if (canonical == "--set") {
            request.Sets.push_back(ParseSet(*value));
        } else if (canonical == "--size") {
            if (const auto mm = ParseMillimetres(*value)) {
                request.SizeMm = mm;
            } else {
                request.Size = ParseSize(*value);
            }
        } else {
            request.Options.emplace_back(canonical, *value);
        }
    }
    for (const std::string_view name : given) {
        if (FindMode(name) == nullptr &&
            (request.Mode == nullptr || !Accepts(*request.Mode, name))) {
            throw TUsageError(std::string(name) + " is only valid with " + ModesAccepting(name));
        }
    }
    if (request.Mode == nullptr) {
        std::string modes;
        for (const TModeSpec* mode : Modes()) {
            modes += std::string(modes.empty() ? "" : ", ") + std::string(mode->Name);
        }
        throw TUsageError("nothing to do: use one of " + modes);
    }
    // The modes that write figures are the ones that scale their texts.
    if (request.SizeMm && !Accepts(*request.Mode, "--text-scale")) {
        throw TUsageError("--size " + FormatFixed(request.SizeMm->Width, 1) + "x" +
                          FormatFixed(request.SizeMm->Height, 1) + "mm: " +
                          std::string(request.Mode->Name) + " takes a size in pixels");
    }
    return request;
}

}  // namespace liquidus::cli
