#pragma once
// The one parser of the command line. A mode is a TModeSpec with its own
// Run function in a file of its own; the parser checks every argument
// against the modes and options before any mode runs.

#include <iosfwd>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/format.h"

namespace liquidus::cli {

constexpr std::string_view kProgram = "liquidus";

/// Bad input: one line on stderr, exit status 2, nothing written.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The output could not be written: exit status 1.
class TWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Bad input for a message: escaped, quoted and cut short (QuotedInput).
std::string Quoted(std::string_view text);

using liquidus::Escaped;

struct TPictureSize {
    int Width = 0;
    int Height = 0;
};

/// A --size given as WxHmm: millimetres, for the vector pictures only.
struct TMillimetreSize {
    double Width = 0.0;
    double Height = 0.0;
};

struct TPropertyAssignment {
    std::string Argument;  // as typed, for messages
    std::string Name;
    std::string Value;
};

struct TRequest;

struct TStreams {
    std::istream& In;
    std::ostream& Out;
};

/// An option that is not a mode; the modes name the ones they accept.
struct TOptionSpec {
    std::string_view Name;
    std::string_view Argument;  // empty: the option takes no value
    std::string_view Help;
    bool Repeatable = false;
};

/// One thing the program can do without a window.
struct TModeSpec {
    std::string_view Name = {};
    std::string_view Alias = {};
    std::string_view Argument = {};  // empty: the mode option takes no value
    std::string_view Help = {};
    bool Repeatable = false;
    /// Builds the diagram, so it takes --set and --size.
    bool UsesDiagram = false;
    /// Further options it accepts, by name.
    std::span<const std::string_view> Options = {};
    /// Other modes it combines with, by name: given together with this
    /// mode, such a mode's value is one of this mode's Options.
    std::span<const std::string_view> Combines = {};
    /// Checks what it needs of the request (throwing TUsageError) before
    /// writing anything, then does its work.
    void (*Run)(const TRequest& request, TStreams& streams) = nullptr;
};

/// Everything the arguments ask for.
struct TRequest {
    const TModeSpec* Mode = nullptr;
    std::vector<std::string> ModeValues;  // one per occurrence of the mode option
    std::vector<TPropertyAssignment> Sets;
    std::optional<TPictureSize> Size;
    std::optional<TMillimetreSize> SizeMm;  // instead of Size
    std::vector<std::pair<std::string_view, std::string>> Options;  // in the order given

    bool Has(std::string_view option) const;
    /// The value of a non-repeatable option.
    std::optional<std::string> Value(std::string_view option) const;
};

/// Whether `mode` takes `option` (a diagram mode takes --set, --size and
/// --diagram besides its own).
bool Accepts(const TModeSpec& mode, std::string_view option);
/// The modes that take `option`, as "--export or --query".
std::string ModesAccepting(std::string_view option);

/// Every mode, in the order --help lists them.
std::span<const TModeSpec* const> Modes();
/// Every option that is not a mode (--set and --size included).
std::span<const TOptionSpec> Options();

/// Checks the arguments (without the program name); throws TUsageError.
TRequest ParseArguments(const std::vector<std::string>& args);

/// "A,B": two numbers within +-1e6, blanks around each allowed.
std::optional<std::pair<double, double>> ParsePair(std::string_view text);

}  // namespace liquidus::cli
