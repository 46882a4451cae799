#pragma once

#include <optional>
#include <string>
#include <vector>

namespace liquidus {

/// The diagram file the window opens with: `--diagram FILE` (or
/// `--diagram=FILE`) as the only arguments; none for anything else.
std::optional<std::string> WindowDiagramFile(const std::vector<std::string>& args);

/// Takes `--no-settings` out of window arguments (it may stand anywhere
/// among them); true when it was there. Arguments for the command line are
/// left alone, so that it refuses the option as before.
bool TakeNoSettings(std::vector<std::string>& args);

/// The window neither reads nor writes settings: started with --no-settings
/// or with LIQUIDUS_NO_SETTINGS set to anything but empty.
inline constexpr char kNoSettingsVariable[] = "LIQUIDUS_NO_SETTINGS";

/// Runs the desktop program, on `diagramFile` when one is given; returns the
/// process exit status. With `useSettings` the window comes back as it was
/// left.
int RunWindow(int argc, char** argv, const std::optional<std::string>& diagramFile = {},
              bool useSettings = true);

}  // namespace liquidus
