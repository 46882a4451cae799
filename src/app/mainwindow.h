#pragma once

#include <optional>
#include <string>
#include <vector>

namespace liquidus {

/// The diagram file the window opens with: `--diagram FILE` (or
/// `--diagram=FILE`) as the only arguments; none for anything else.
std::optional<std::string> WindowDiagramFile(const std::vector<std::string>& args);

/// Runs the desktop program, on `diagramFile` when one is given; returns the
/// process exit status.
int RunWindow(int argc, char** argv, const std::optional<std::string>& diagramFile = {});

}  // namespace liquidus
