#pragma once

namespace liquidus {

/// Runs the desktop program; returns the process exit status.
int RunWindow(int argc, char** argv);

}  // namespace liquidus
