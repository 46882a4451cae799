// --help and --version.

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <string>

#include "app/cli/modes.h"
#include "ternary/properties.h"

namespace liquidus::cli {

namespace {

std::string Synopsis(std::string_view name, std::string_view alias, std::string_view argument) {
    std::string synopsis(name);
    if (!alias.empty()) synopsis = std::string(alias) + ", " + synopsis;
    if (!argument.empty()) synopsis += " " + std::string(argument);
    return synopsis;
}

void RunHelp(const TRequest&, TStreams& streams) {
    std::ostream& out = streams.Out;
    out << "Usage: " << kProgram << " [OPTION]...\n"
        << "Without options the program opens its window. With a mode option it works\n"
           "on the built-in sample diagram (or a --diagram file) without a window.\n\n";
    out << "Modes:\n";
    for (const TModeSpec* mode : Modes()) {
        out << "  " << std::left << std::setw(22)
            << Synopsis(mode->Name, mode->Alias, mode->Argument) << ' ' << mode->Help << '\n';
    }
    out << "\nOptions:\n";
    for (const TOptionSpec& option : Options()) {
        out << "  " << std::left << std::setw(22) << Synopsis(option.Name, {}, option.Argument)
            << ' ' << option.Help << " (with " << ModesAccepting(option.Name) << ")\n";
    }
    out << "\nProperties for --set (names are case-insensitive; Boolean is True or False,\n"
           "TColor is $00BBGGRR, a decimal number or a name such as clBlue):\n";
    std::size_t width = 0;
    for (const TPropertyInfo& property : TernagramProperties()) {
        width = std::max(width, property.Name.size());
    }
    for (const TPropertyInfo& property : TernagramProperties()) {
        out << "  " << std::left << std::setw(static_cast<int>(width)) << property.Name << "  "
            << property.Type << (property.ReadOnly() ? ", read-only" : "") << '\n';
    }
    out << "\nExit status: 0 done, 1 the file could not be written, 2 bad arguments.\n";
}

void RunVersion(const TRequest&, TStreams& streams) {
    streams.Out << kProgram << ' ' << LIQUIDUS_VERSION << '\n';
}

}  // namespace

const TModeSpec kHelpMode{
    .Name = "--help",
    .Alias = "-h",
    .Help = "show this help",
    .Run = RunHelp,
};

const TModeSpec kVersionMode{
    .Name = "--version",
    .Help = "show the version",
    .Run = RunVersion,
};

}  // namespace liquidus::cli
