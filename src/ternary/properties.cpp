#include "ternary/properties.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <system_error>
#include <type_traits>
#include <utility>

#include "model/format.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The names come from a case-insensitive language; users type them either way.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

// Value kinds: how one value type is described, parsed and printed.

struct TBooleanKind {
    using Value = bool;
    std::string Type() const { return "Boolean"; }
    std::string Expected() const { return "True or False"; }
    std::optional<bool> Parse(std::string_view text) const {
        if (SameText(text, "True")) return true;
        if (SameText(text, "False")) return false;
        return std::nullopt;
    }
    std::string Format(bool value) const { return value ? "True" : "False"; }
};

struct TWholeKind {
    using Value = int;
    std::string_view TypeName;
    long long Min;
    long long Max;
    std::string Type() const { return std::string(TypeName); }
    std::string Expected() const {
        return "a whole number " + std::to_string(Min) + ".." + std::to_string(Max);
    }
    std::optional<int> Parse(std::string_view text) const {
        const std::optional<long long> value = ParseNumber<long long>(text);
        if (!value || *value < Min || *value > Max) return std::nullopt;
        return static_cast<int>(*value);
    }
    std::string Format(int value) const { return std::to_string(value); }
};

struct TSingleKind {
    using Value = float;
    std::string Type() const { return "Single"; }
    std::string Expected() const { return "a number such as 0.5"; }
    std::optional<float> Parse(std::string_view text) const { return ParseNumber<float>(text); }
    std::string Format(float value) const {
        std::array<char, 32> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        return std::string(buffer.data(), result.ptr);
    }
};

struct TNamedColor {
    std::string_view Name;
    TColor Color;
};

constexpr std::array kNamedColors = {
    TNamedColor{"clBlack", clBlack},
    TNamedColor{"clWhite", clWhite},
    TNamedColor{"clRed", clRed},
    TNamedColor{"clBlue", clBlue},
    TNamedColor{"clLime", clLime},
    TNamedColor{"clSilver", clSilver},
    TNamedColor{"clGray", clGray},
    TNamedColor{"clBtnFace", clBtnFace},
    TNamedColor{"clWindowFrame", clWindowFrame},
    TNamedColor{"clInfoBk", clInfoBk},
};

// Plain colours carry a zero high byte; system colours the flag and a palette
// index. Anything else would reach the canvas as an undefined colour.
constexpr TColor kHighestSystemIndex = 0x1E;

bool IsUsableColor(TColor color) {
    if ((color & 0xFF000000u) == 0) return true;
    return IsSystemColor(color) && (color & ~kSystemColorFlag) <= kHighestSystemIndex;
}

struct TColorKind {
    using Value = TColor;
    std::string Type() const { return "TColor"; }
    std::string Expected() const {
        return "$00BBGGRR, a decimal number or a colour name such as clBlue";
    }
    std::optional<TColor> Parse(std::string_view text) const {
        for (const TNamedColor& named : kNamedColors) {
            if (SameText(text, named.Name)) return named.Color;
        }
        std::optional<TColor> color;
        if (!text.empty() && text.front() == '$') {
            text.remove_prefix(1);
            std::uint32_t value = 0;
            const auto [end, ec] =
                std::from_chars(text.data(), text.data() + text.size(), value, 16);
            if (!text.empty() && ec == std::errc() && end == text.data() + text.size()) {
                color = value;
            }
        } else if (const std::optional<long long> value = ParseNumber<long long>(text)) {
            // Negative numbers are how signed colour values (system colours)
            // are written in decimal.
            if (*value >= std::numeric_limits<std::int32_t>::min() &&
                *value <= std::numeric_limits<std::uint32_t>::max()) {
                color = static_cast<TColor>(static_cast<std::uint32_t>(*value));
            }
        }
        if (!color || !IsUsableColor(*color)) return std::nullopt;
        return color;
    }
    std::string Format(TColor value) const {
        for (const TNamedColor& named : kNamedColors) {
            if (named.Color == value) return std::string(named.Name);
        }
        std::array<char, 16> buffer{};
        std::snprintf(buffer.data(), buffer.size(), "$%08X", static_cast<unsigned>(value));
        return buffer.data();
    }
};

struct TStringKind {
    using Value = std::string;
    std::string Type() const { return "string"; }
    std::string Expected() const { return "any text"; }
    std::optional<std::string> Parse(std::string_view text) const { return std::string(text); }
    std::string Format(const std::string& value) const { return value; }
};

/// An enumeration whose value names are listed in declaration order.
template <class E, std::size_t N>
struct TEnumKind {
    using Value = E;
    std::string_view TypeName;
    std::array<std::string_view, N> Names;

    std::string ValueList() const {
        std::string list;
        for (std::string_view name : Names) {
            if (!list.empty()) list += ", ";
            list += name;
        }
        return list;
    }
    std::string Type() const { return std::string(TypeName) + " (" + ValueList() + ")"; }
    std::string Expected() const { return "one of " + ValueList(); }
    std::optional<E> Parse(std::string_view text) const {
        for (std::size_t i = 0; i < N; ++i) {
            if (SameText(text, Names[i])) return static_cast<E>(i);
        }
        return std::nullopt;
    }
    std::string Format(E value) const {
        const auto index = static_cast<std::size_t>(value);
        return index < N ? std::string(Names[index]) : std::to_string(index);
    }
};

template <class E, class... Names>
constexpr auto Enumeration(std::string_view typeName, Names... names) {
    return TEnumKind<E, sizeof...(Names)>{typeName, {std::string_view(names)...}};
}

const TBooleanKind kBoolean;
const TWholeKind kByte{"Byte", 0, 255};
const TWholeKind kInteger{"Integer", std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max()};
const TSingleKind kSingle;
const TColorKind kColor;
const TStringKind kString;
const auto kCUnits =
    Enumeration<TCUnits>("TCUnits", "cuMolPercents", "cuMolParts", "cuMassPercents", "cuMassParts");
const auto kTUnits = Enumeration<TTUnits>("TTUnits", "tuC", "tuK", "tuF");
const auto kGridType =
    Enumeration<TGridType>("TGridType", "gtInnerParallel", "gtOutsideScale", "gtAllScales");
const auto kGraphType = Enumeration<TGraphType>("TGraphType", "gtPhase", "gtMelting");
const auto kTCalcMethod =
    Enumeration<TTCalcMethod>("TTCalcMethod", "tcAltitude", "tcPolynomial", "tcThermodynamic",
                              "tcMeanValue");
const auto kIsothermType =
    Enumeration<TIsothermType>("TIsothermType", "itPoints", "itPolyline", "itSpline");
const auto kIsothermMethod =
    Enumeration<TIsothermMethod>("TIsothermMethod", "imCornerConsecutive", "imCenterRadial");
const auto kDataOrientation = Enumeration<TDataOrientation>(
    "TDataOrientation", "doDirect", "doACB", "doBAC", "doBCA", "doCAB", "doCBA");

// Object selectors: the diagram itself or one of its published sub-objects.
// Generic, so one selector serves the const getter and the setter.
constexpr auto kSelf = [](auto& diagram) -> auto& {
    return diagram;
};
constexpr auto kIsotherms = [](auto& diagram) -> auto& {
    return diagram.Isotherms();
};
constexpr auto kSubstanceA = [](auto& diagram) -> auto& {
    return diagram.SubstanceA();
};
constexpr auto kSubstanceB = [](auto& diagram) -> auto& {
    return diagram.SubstanceB();
};
constexpr auto kSubstanceC = [](auto& diagram) -> auto& {
    return diagram.SubstanceC();
};

template <class Kind, class Select, class Getter>
std::function<std::string(const TTernagram&)> MakeGetter(Kind kind, Select select, Getter getter) {
    return [kind, select, getter](const TTernagram& diagram) {
        return kind.Format(std::invoke(getter, select(diagram)));
    };
}

/// A property read through a getter and written through the object's setter.
template <class Kind, class Select, class Getter, class Setter>
TPropertyInfo Property(std::string name, const Kind& kind, Select select, Getter getter,
                       Setter setter) {
    return {std::move(name),
            kind.Type(),
            kind.Expected(),
            MakeGetter(kind, select, getter),
            [kind, select, setter](TTernagram& diagram, std::string_view text) {
                auto value = kind.Parse(text);
                if (!value) return false;
                std::invoke(setter, select(diagram), std::move(*value));
                return true;
            },
            {}};
}

/// A published plain field: read and written directly.
template <class Kind, class Select, class Object, class Field>
TPropertyInfo FieldProperty(std::string name, const Kind& kind, Select select,
                            Field Object::*field) {
    return {std::move(name),
            kind.Type(),
            kind.Expected(),
            MakeGetter(kind, select, field),
            [kind, select, field](TTernagram& diagram, std::string_view text) {
                auto value = kind.Parse(text);
                if (!value) return false;
                std::invoke(field, select(diagram)) = std::move(*value);
                return true;
            },
            {}};
}

template <class Kind, class Select, class Getter>
TPropertyInfo ReadOnlyProperty(std::string name, const Kind& kind, Select select, Getter getter) {
    return {
        std::move(name), kind.Type(), kind.Expected(), MakeGetter(kind, select, getter), {}, {}};
}

/// `property` as the command line takes it: only values `keeps` accepts,
/// which `expected` names.
TPropertyInfo Exact(TPropertyInfo property, std::string expected,
                    std::function<bool(std::string_view)> keeps) {
    property.Expected = std::move(expected);
    property.Keeps = std::move(keeps);
    return property;
}

/// Whole numbers low..high that are a multiple of `step` away from low.
std::function<bool(std::string_view)> WholeSteps(long long low, long long high,
                                                 long long step = 1) {
    return [low, high, step](std::string_view text) {
        const std::optional<long long> value = ParseNumber<long long>(text);
        return value && *value >= low && *value <= high && (*value - low) % step == 0;
    };
}

std::string WholeRange(long long low, long long high, long long step = 1) {
    return "a whole number " + std::to_string(low) + ".." + std::to_string(high) +
           (step > 1 ? " in steps of " + std::to_string(step) : std::string());
}

TPropertyInfo ExactWhole(TPropertyInfo property, long long low, long long high,
                         long long step = 1) {
    return Exact(std::move(property), WholeRange(low, high, step), WholeSteps(low, high, step));
}

/// A molar mass a diagram file holds: checked in single precision, as the
/// file reader checks it.
bool StorableMolarMass(std::string_view text) {
    const std::optional<float> mass = ParseNumber<float>(text);
    return mass && *mass >= static_cast<float>(kMinMolarMass) &&
           *mass <= static_cast<float>(kMaxMolarMass);
}

TPropertyInfo ExactMolarMass(TPropertyInfo property) {
    return Exact(std::move(property), "a number 0.000001..1000000", StorableMolarMass);
}

TPropertyInfo ExactName(TPropertyInfo property, std::size_t maxBytes, bool mayBeEmpty) {
    return Exact(std::move(property),
                 std::string(mayBeEmpty ? "text of at most " : "a name of 1 to ") +
                     std::to_string(maxBytes) + " bytes (UTF-8) without control characters",
                 [maxBytes, mayBeEmpty](std::string_view text) {
                     return (mayBeEmpty || !text.empty()) && IsStorableName(text, maxBytes);
                 });
}

// Whole multiples of 10 within the Integer range.
constexpr long long kLowestHotIsotherm = std::numeric_limits<std::int32_t>::min() / 10 * 10;
constexpr long long kHighestHotIsotherm = std::numeric_limits<std::int32_t>::max() / 10 * 10;

std::vector<TPropertyInfo> MakeProperties() {
    using T = TTernagram;
    using I = TIsotherm;
    using S = TSubstance;
    // One line per property, in listing order.
    return {
        Property("AllowZoom", kBoolean, kSelf, &T::AllowZoom, &T::SetAllowZoom),
        ExactWhole(Property("Areas", kByte, kSelf, &T::Areas, &T::SetAreas), 0, kAreaCount),
        Property("Border", kBoolean, kSelf, &T::Border, &T::SetBorder),
        Property("BoundaryArrows", kBoolean, kSelf, &T::BoundaryArrows, &T::SetBoundaryArrows),
        ReadOnlyProperty("CoPhases", kByte, kSelf, &T::CoPhases),
        Property("CoPhasesTable", kBoolean, kSelf, &T::CoPhasesTable, &T::SetCoPhasesTable),
        Property("CUnits", kCUnits, kSelf, &T::CUnits, &T::SetCUnits),
        ReadOnlyProperty("CursorOnArea", kBoolean, kSelf, &T::CursorOnArea),
        Property("DataOrientation", kDataOrientation, kSelf, &T::DataOrientation,
                 &T::SetDataOrientation),
        Property("DrawAreas", kBoolean, kSelf, &T::DrawAreas, &T::SetDrawAreas),
        Property("DrawIsotherms", kBoolean, kSelf, &T::DrawIsotherms, &T::SetDrawIsotherms),
        Property("DrawSplines", kBoolean, kSelf, &T::DrawSplines, &T::SetDrawSplines),
        Property("DrawTPoints", kBoolean, kSelf, &T::DrawTPoints, &T::SetDrawTPoints),
        Property("FieldNames", kBoolean, kSelf, &T::FieldNames, &T::SetFieldNames),
        Property("GraphType", kGraphType, kSelf, &T::GraphType, &T::SetGraphType),
        ExactWhole(Property("GridSteps", kByte, kSelf, &T::GridSteps, &T::SetGridSteps), 2, 10),
        Property("GridType", kGridType, kSelf, &T::GridType, &T::SetGridType),
        Exact(Property("HotIsotherm", kInteger, kSelf, &T::HotIsotherm, &T::SetHotIsotherm),
              "a whole number in steps of 10 such as 1500",
              WholeSteps(kLowestHotIsotherm, kHighestHotIsotherm, 10)),
        Property("HotIsothermColor", kColor, kSelf, &T::HotIsothermColor, &T::SetHotIsothermColor),
        Property("InvariantPoints", kBoolean, kSelf, &T::InvariantPoints,
                 &T::SetInvariantPoints),
        Property("Isotherms.Color", kColor, kIsotherms, &I::Color, &I::SetColor),
        ExactWhole(Property("Isotherms.Error", kByte, kIsotherms, &I::Error, &I::SetError), 1, 10),
        Property("Isotherms.GraphType", kIsothermType, kIsotherms, &I::GraphType, &I::SetGraphType),
        Property("Isotherms.Method", kIsothermMethod, kIsotherms, &I::Method, &I::SetMethod),
        Exact(Property("Isotherms.MethodStep", kSingle, kIsotherms, &I::MethodStep,
                       &I::SetMethodStep),
              "a number 0.25..3 in steps of 0.25",
              [](std::string_view text) {
                  const std::optional<float> step = ParseNumber<float>(text);
                  return step && *step >= 0.25f && *step <= 3.0f &&
                         std::floor(*step * 4) == *step * 4;
              }),
        Property("Isotherms.Signed", kBoolean, kIsotherms, &I::Signed, &I::SetSigned),
        ExactWhole(Property("Isotherms.SignStep", kByte, kIsotherms, &I::SignStep, &I::SetSignStep),
                   5, 50, 5),
        Property("Isotherms.Simplified", kBoolean, kIsotherms, &I::Simplified, &I::SetSimplified),
        ExactWhole(Property("Isotherms.SimplifiedTimes", kByte, kIsotherms, &I::SimplifiedTimes,
                            &I::SetSimplifiedTimes),
                   1, 3),
        Property("Isotherms.Smoothed", kBoolean, kIsotherms, &I::Smoothed, &I::SetSmoothed),
        ExactWhole(Property("Isotherms.SmoothedTimes", kByte, kIsotherms, &I::SmoothedTimes,
                            &I::SetSmoothedTimes),
                   1, 5),
        ExactWhole(Property("Isotherms.Step", kInteger, kIsotherms, &I::Step, &I::SetStep), 50, 250,
                   50),
        Property("Isotherms.Width", kByte, kIsotherms, &I::Width, &I::SetWidth),
        Property("Legend", kBoolean, kSelf, &T::Legend, &T::SetLegend),
        Property("MarkMode", kBoolean, kSelf, &T::MarkMode, &T::SetMarkMode),
        Property("MouseGrid", kBoolean, kSelf, &T::MouseGrid, &T::SetMouseGrid),
        Property("PaperColor", kColor, kSelf, &T::PaperColor, &T::SetPaperColor),
        FieldProperty("SubstanceA.Element", kString, kSubstanceA, &S::Element),
        ExactMolarMass(FieldProperty("SubstanceA.MolMass", kSingle, kSubstanceA, &S::MolMass)),
        ExactName(Property("SubstanceA.Name", kString, kSubstanceA, &S::Name, &S::SetName),
                  kMaxSubstanceNameBytes, false),
        FieldProperty("SubstanceB.Element", kString, kSubstanceB, &S::Element),
        ExactMolarMass(FieldProperty("SubstanceB.MolMass", kSingle, kSubstanceB, &S::MolMass)),
        ExactName(Property("SubstanceB.Name", kString, kSubstanceB, &S::Name, &S::SetName),
                  kMaxSubstanceNameBytes, false),
        FieldProperty("SubstanceC.Element", kString, kSubstanceC, &S::Element),
        ExactMolarMass(FieldProperty("SubstanceC.MolMass", kSingle, kSubstanceC, &S::MolMass)),
        ExactName(Property("SubstanceC.Name", kString, kSubstanceC, &S::Name, &S::SetName),
                  kMaxSubstanceNameBytes, false),
        Property("TCalcMethod", kTCalcMethod, kSelf, &T::TCalcMethod, &T::SetTCalcMethod),
        ExactName(Property("Title", kString, kSelf, &T::Title, &T::SetTitle), kMaxTitleBytes, true),
        Property("TUnits", kTUnits, kSelf, &T::TUnits, &T::SetTUnits),
        Property("ValuesTable", kBoolean, kSelf, &T::ValuesTable, &T::SetValuesTable),
        ReadOnlyProperty("Zoom", kBoolean, kSelf, &T::Zoom),
    };
}

}  // namespace

const std::vector<TPropertyInfo>& TernagramProperties() {
    static const std::vector<TPropertyInfo> properties = MakeProperties();
    return properties;
}

const TPropertyInfo* FindProperty(std::string_view name) {
    for (const TPropertyInfo& property : TernagramProperties()) {
        if (SameText(property.Name, name)) return &property;
    }
    return nullptr;
}

TPropertyResult SetPropertyByName(TTernagram& diagram, std::string_view name,
                                  std::string_view value) {
    const TPropertyInfo* property = FindProperty(name);
    if (property == nullptr) {
        return {TPropertyStatus::psUnknownProperty, "unknown property " + QuotedInput(name)};
    }
    if (property->ReadOnly()) {
        return {TPropertyStatus::psReadOnly, "property " + property->Name + " is read-only"};
    }
    if (!property->Set(diagram, value)) {
        return {TPropertyStatus::psBadValue, "invalid value " + QuotedInput(value) + " for " +
                                                 property->Name + ": expected " +
                                                 property->Expected};
    }
    return {};
}

TPropertyResult SetPropertyExactly(TTernagram& diagram, std::string_view name,
                                   std::string_view value) {
    const TPropertyInfo* property = FindProperty(name);
    if (property != nullptr && !property->ReadOnly() && property->Keeps &&
        !property->Keeps(value)) {
        return {TPropertyStatus::psBadValue, "invalid value " + QuotedInput(value) + " for " +
                                                 property->Name + ": expected " +
                                                 property->Expected};
    }
    return SetPropertyByName(diagram, name, value);
}

std::optional<std::string> GetPropertyByName(const TTernagram& diagram, std::string_view name) {
    const TPropertyInfo* property = FindProperty(name);
    if (property == nullptr) return std::nullopt;
    return property->Get(diagram);
}

}  // namespace liquidus
