#include "ternary/ternaplot.h"

#include <algorithm>

namespace liquidus {

TTernaplot::TTernaplot(int width, int height, TControlHost* host)
    : TDiagram(width, height, host), m_areaList(MakeDefaultAreaList()) {}

void TTernaplot::SetDrawTPoints(bool value) {
    m_drawTPoints = value;
    Invalidate();
}

void TTernaplot::SetSplines(const TSplinesData& data) {
    m_splinesHigh = data.High;
    m_splinesA.assign(data.High + 2, 0.0);
    m_splinesB.assign(data.High + 2, 0.0);
    // A host that declares more pairs than it hands over gets the missing
    // ones as zeros rather than a read past its array.
    const std::size_t count = std::min<std::size_t>(data.High + 1, data.Points.size());
    for (std::size_t i = 0; i < count; ++i) {
        m_splinesA[i] = data.Points[i].A;
        m_splinesB[i] = data.Points[i].B;
    }
    Invalidate();
    DoChange();
}

void TTernaplot::CalcLayout(bool reserveBand) {
    m_layout = CalcScreenLayout(Width(), Height(), reserveBand, PixelScale());
}

void TTernaplot::CompositionToPixel(double a, double b, int& x, int& y) const {
    liquidus::CompositionToPixel(m_layout, ActiveZoom(), a, b, x, y);
}

void TTernaplot::PixelToComposition(int x, int y, double& a, double& b, double& c) const {
    liquidus::PixelToComposition(m_layout, ActiveZoom(), m_unitsTotal, x, y, a, b, c);
}

void TTernaplot::SetZoomState(bool zoom, const TZoomCorners& corners) {
    m_zoom = zoom;
    m_zoomCorners = corners;
    m_zoomWindow = TZoomWindow::FromCorners(corners);
}

}  // namespace liquidus
