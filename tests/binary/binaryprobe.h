#pragma once
// A binary diagram that lets tests reach the state the mouse and the zoom
// logic would set.

#include "binary/binagram.h"

namespace liquidus::test {

class TBinaryProbe : public TBinagram {
public:
    using TBinagram::TBinagram;

    /// Zooms into the window as the zoom logic does: the limits change
    /// through their setters while zooming, then the window is placed.
    void ZoomTo(double lowC, double highC, double lowT, double highT) {
        SetZooming(true);
        SetLowTLimit(lowT);
        SetHighTLimit(highT);
        SetLowCLimit(lowC);
        SetHighCLimit(highC);
        StoreZoomLimits();
        CalcLayout();
        CalcZoomFrame();
    }

    void SetCursor(bool onArea, double a, double t, int coPhases = 0) {
        m_cursorOnArea = onArea;
        m_cursorPoint.A = a;
        m_cursorPoint.T = t;
        m_cursorPoint.CoPhases = coPhases;
    }

    TEdgeFillLists& EdgeFills() { return m_edgeFills; }
    bool CoPhasesShown() const { return m_coPhasesShown; }
};

}  // namespace liquidus::test
