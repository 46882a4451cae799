#include "qt/diagramwidget.h"

#include <algorithm>
#include <cmath>

namespace liquidus {

DiagramWidget::DiagramWidget(std::unique_ptr<TDiagram> diagram, QWidget* parent)
    : TControlWidget(std::move(diagram), parent) {
    TDiagram& d = component();
    d.OnChange = [this](TComponent&) { emit changed(); };
    d.OnMarkPoint = [this](TComponent&) { emit marked(); };
    d.OnZoomIn = [this](TComponent&) { emit zoomedIn(); };
    d.OnZoomOut = [this](TComponent&) { emit zoomedOut(); };
}

// The handlers point at this widget; the component outlives the derived
// destructors, so they are dropped first.
DiagramWidget::~DiagramWidget() {
    TDiagram& d = component();
    d.OnChange = nullptr;
    d.OnMarkPoint = nullptr;
    d.OnZoomIn = nullptr;
    d.OnZoomOut = nullptr;
}

void DiagramWidget::mouseMoveEvent(QMouseEvent* event) {
    // The component reads the composition under the mouse in its own move,
    // after its OnMouseMove handler ran: the read-out is current only now.
    TControlWidget::mouseMoveEvent(event);
    const TDiagram& d = component();
    if (d.CursorOnArea()) {
        m_cursorShown = true;
        emit cursorMoved(d.CursorPoint());
    } else if (m_cursorShown) {
        m_cursorShown = false;
        emit cursorLeft();
    }
}

void DiagramWidget::leaveEvent(QEvent* event) {
    TControlWidget::leaveEvent(event);
    if (m_cursorShown) {
        m_cursorShown = false;
        emit cursorLeft();
    }
}

TernaryDiagramWidget::TernaryDiagramWidget(QWidget* parent)
    : DiagramWidget(std::make_unique<TTernagram>(), parent) {
    diagram().OnIsothermCalcStep = [this](TComponent&) {
        const TTernagram& d = diagram();
        const double rows = std::max(d.IsothermScanRows(), 1);
        const double row = d.IsothermScanRow();
        emit isothermProgress(static_cast<int>(std::lround(row * row * 100.0 / (rows * rows))));
    };
}

TernaryDiagramWidget::~TernaryDiagramWidget() {
    diagram().OnIsothermCalcStep = nullptr;
}

BinaryDiagramWidget::BinaryDiagramWidget(QWidget* parent)
    : DiagramWidget(std::make_unique<TBinagram>(), parent) {}

BinaryDiagramWidget::~BinaryDiagramWidget() = default;

}  // namespace liquidus
