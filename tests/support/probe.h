#pragma once
// A diagram that lets tests reach the state the mouse would set and the
// protected event dispatchers.

#include "ternary/ternagram.h"

namespace liquidus::test {

class TProbe : public TTernagram {
public:
    using TTernagram::TTernagram;
    using TTernagram::DoIsothermCalcStep;
    using TTernagram::DoMarkPoint;
    using TTernagram::DoZoomIn;
    using TTernagram::DoZoomOut;

    /// Zoomed into the window A 40..60, B 20..40, C 20..40.
    void ForceZoom(bool zoom) { SetZoomState(zoom, {{{60, 20, 20}, {40, 40, 20}, {40, 20, 40}}}); }

    void SetCursor(bool onArea, double a, double b, double c, double t) {
        m_cursorOnArea = onArea;
        m_cursorPoint.A = a;
        m_cursorPoint.B = b;
        m_cursorPoint.C = c;
        m_cursorPoint.T = t;
    }
};

}  // namespace liquidus::test
