#pragma once
// The program's command-line modes: pictures, look-ups and listings of the
// diagram without any window.

#include <iosfwd>
#include <string>
#include <vector>

namespace liquidus {

/// True when the arguments ask for a command-line mode rather than the window.
bool IsCommandLineMode(const std::vector<std::string>& args);

/// Runs a command-line mode. `args` excludes the program name. Returns the
/// process exit status: 0 success, 1 a file could not be written, 2 bad input.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// The same, with the input that "--query -" reads.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace liquidus
