#pragma once
// The base display control of the ternary diagram: it holds the phase-field
// records and the boundary lines, publishes the layer switches, and owns the
// triangle layout together with the composition/pixel mappings.

#include <vector>

#include "diagram/diagram.h"
#include "model/areadata.h"
#include "ternary/geometry.h"

namespace liquidus {

enum class TGraphType { gtPhase, gtMelting };

/// The ternary diagram's field records, boundary lines, layer switches and
/// triangle layout with the composition/pixel mappings; TTernagram paints.
class TTernaplot : public TDiagram {
public:
    TTernaplot(int width, int height, TControlHost* host = nullptr);

    bool PlotZoomed() const override { return m_zoom; }

    // Published properties.
    TGraphType GraphType() const { return m_graphType; }
    void SetGraphType(TGraphType value) { Assign(m_graphType, value); }
    bool DrawTPoints() const { return m_drawTPoints; }
    /// Repaints on every assignment, also of the current value.
    void SetDrawTPoints(bool value);

    /// The 16 phase-field records; hosts write them in place (index 0..15).
    std::vector<TAreaData>& AreaList() { return m_areaList; }
    const std::vector<TAreaData>& AreaList() const { return m_areaList; }

    /// Takes over the boundary lines (copied; the caller keeps `data`).
    void SetSplines(const TSplinesData& data);
    const std::vector<double>& SplinesA() const { return m_splinesA; }
    const std::vector<double>& SplinesB() const { return m_splinesB; }
    int SplinesHigh() const { return m_splinesHigh; }

    // Layout and mappings of the picture on screen (or being printed).
    const TTriangleLayout& Layout() const { return m_layout; }
    int TriangleLeft() const { return m_layout.TriangleLeft; }
    int TriangleTop() const { return m_layout.TriangleTop; }
    int SideLength() const { return m_layout.SideLength; }
    int TriangleHeight() const { return m_layout.TriangleHeight; }
    int LegendWidth() const { return m_layout.LegendWidth; }

    /// Recomputes the layout from the control's size.
    void CalcLayout(bool reserveBand);
    double LeftEdgeX(double y) const { return liquidus::LeftEdgeX(m_layout, y); }
    double RightEdgeX(double y) const { return liquidus::RightEdgeX(m_layout, y); }
    /// Stored-unit percent shares to a pixel; zoomed form while zoomed.
    void CompositionToPixel(double a, double b, int& x, int& y) const;
    /// A pixel to display-unit shares; zoomed form while zoomed.
    void PixelToComposition(int x, int y, double& a, double& b, double& c) const;
    bool IsInsideTriangle(int x, int y) const { return liquidus::IsInsideTriangle(m_layout, x, y); }
    bool IsTooSmall() const { return liquidus::IsTooSmall(m_layout); }

    /// Zoom window corners; meaningful only while zoomed.
    const TZoomCorners& ZoomCorners() const { return m_zoomCorners; }
    TZoomWindow ZoomWindow() const { return TZoomWindow::FromCorners(m_zoomCorners); }

protected:
    /// nullptr unless zoomed.
    const TZoomWindow* ActiveZoom() const { return m_zoom ? &m_zoomWindow : nullptr; }
    void SetZoomState(bool zoom, const TZoomCorners& corners);

    TTriangleLayout m_layout;
    bool m_zoom = false;
    TRealPoint m_segFrom;
    TRealPoint m_segTo;
    // Ends of the mouse grid: cursor x, y; right-edge x; base x; left-edge x, y.
    int m_mouseGridX = 0, m_mouseGridY = 0, m_mouseGridRightX = 0, m_mouseGridBaseX = 0,
        m_mouseGridLeftX = 0, m_mouseGridLeftY = 0;
    // Boundary lines; SplinesHigh + 2 entries each.
    std::vector<double> m_splinesA;
    std::vector<double> m_splinesB;
    int m_splinesHigh = 0;

private:
    std::vector<TAreaData> m_areaList;
    TGraphType m_graphType = TGraphType::gtPhase;
    bool m_drawTPoints = false;
    TZoomCorners m_zoomCorners{};
    TZoomWindow m_zoomWindow;
};

}  // namespace liquidus
