#pragma once
// The ternary diagram's published properties by name, as text. Everything that
// addresses a property by name (the command line's --set, listings, look-ups)
// goes through this one registry, so a property added here is at once
// settable, readable and listed everywhere.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace liquidus {

class TTernagram;

/// One published property. Sub-object properties are named with a dot
/// ("Isotherms.Step", "SubstanceA.Name").
struct TPropertyInfo {
    std::string Name;
    /// The value type as listed: "Boolean", "Byte", "Integer", "Single",
    /// "TColor", "string", or an enumeration with its value names.
    std::string Type;
    /// What a value must look like, for messages ("True or False").
    std::string Expected;
    /// The current value in the form Set accepts.
    std::function<std::string(const TTernagram&)> Get;
    /// Parses `text` and assigns it through the component's setter (so its
    /// clamping applies). Returns false, changing nothing, when the text does
    /// not parse. Empty for a read-only property.
    std::function<bool(TTernagram&, std::string_view text)> Set;
    /// Whether `text` is a value the component keeps exactly as given and a
    /// diagram file can hold; empty when every value Set takes is kept. The
    /// command line refuses what a setter would clamp or round, where the
    /// window's controls rely on that clamping.
    std::function<bool(std::string_view text)> Keeps;

    bool ReadOnly() const { return !Set; }
};

/// Every published property, in listing order (alphabetical, sub-object
/// properties under their object).
const std::vector<TPropertyInfo>& TernagramProperties();

/// Names match case-insensitively. nullptr when there is no such property.
const TPropertyInfo* FindProperty(std::string_view name);

enum class TPropertyStatus { psOk, psUnknownProperty, psReadOnly, psBadValue };

struct TPropertyResult {
    TPropertyStatus Status = TPropertyStatus::psOk;
    /// One line naming the property (and the value when it did not parse);
    /// empty on success.
    std::string Message;

    bool Ok() const { return Status == TPropertyStatus::psOk; }
};

/// Sets a property from text. Booleans are True/False, enumerations their
/// value names (both case-insensitive), colours $00BBGGRR, decimal or a
/// colour name; a string takes `value` as it is.
TPropertyResult SetPropertyByName(TTernagram& diagram, std::string_view name,
                                  std::string_view value);

/// As SetPropertyByName, but a value the component would not keep as given
/// (clamped, rounded) or that no diagram file could hold is refused with
/// psBadValue, the valid values named in the message, and nothing changes.
TPropertyResult SetPropertyExactly(TTernagram& diagram, std::string_view name,
                                   std::string_view value);

/// The property's value as text; nullopt for an unknown name.
std::optional<std::string> GetPropertyByName(const TTernagram& diagram, std::string_view name);

}  // namespace liquidus
