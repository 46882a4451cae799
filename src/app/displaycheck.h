#pragma once
// The start-up checks of the screen: the program needs more than a palette
// display and at least 800 × 600; below 1024 × 768 it runs but says so.

#include <string>
#include <vector>

class QWidget;

namespace liquidus {

inline constexpr const char* kHighColorMessage = "High Colors (16bit) video is minimal. Bye!";
inline constexpr const char* kScreenAreaMessage = "800x600 screen area is minimal. Bye!";
inline constexpr const char* kLargerScreenHint =
    "Try 1024x768 or higher video and large fonts next time!";

/// What the checks decided: the messages in the order they are shown, and
/// whether the program ends after them.
struct TDisplayVerdict {
    std::vector<std::string> Messages;
    bool Terminate = false;
};

/// Every check runs, also after one has decided to end the program, so a
/// small palette screen hears all that is wrong with it.
TDisplayVerdict CheckDisplay(int colorDepth, int screenWidth);

/// Checks the primary screen and shows each message in a box titled with
/// the application's display name. Returns whether the program must end.
bool RunDisplayChecks(QWidget* parent = nullptr);

}  // namespace liquidus
