#pragma once
// The name tag both diagrams show under the mouse: the name in a small
// yellow box resting on the point, with a red pointer at the point itself.

#include <string>

#include "canvas/canvas.h"

namespace liquidus {

/// Draws the tag for the point (x, y) with the canvas's current pen and
/// brush replaced (black pen, Arial 8); the box extends to the left when
/// `opensLeft`, else to the right. Leaves the brush red. `scale` is the
/// canvas's pixels per screen pixel, so that the tag reads at the same size
/// on a screen of denser pixels.
void DrawPointerTag(TCanvas& canvas, int x, int y, const std::string& text, bool opensLeft,
                    double scale = 1.0);

}  // namespace liquidus
