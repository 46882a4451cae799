#pragma once
// The name tag both diagrams show under the mouse: the name in a small
// yellow box resting on the point, with a red pointer at the point itself.

#include <string>

#include "canvas/canvas.h"

namespace liquidus {

/// Draws the tag for the point (x, y) with the canvas's current pen and
/// brush replaced (black pen, Arial 8); the box extends to the left when
/// `opensLeft`, else to the right. Leaves the brush red.
void DrawPointerTag(TCanvas& canvas, int x, int y, const std::string& text, bool opensLeft);

}  // namespace liquidus
