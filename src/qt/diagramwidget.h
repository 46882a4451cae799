#pragma once
/// \file
/// The diagram components as Qt widgets: a TernaryDiagramWidget or a
/// BinaryDiagramWidget goes into any layout, owns its component, paints it,
/// passes resizes and the mouse on, and turns the component's events into Qt
/// signals.
///
/// \code
/// auto* view = new liquidus::TernaryDiagramWidget;
/// liquidus::LoadDiagramFile("system.json", view->diagram());  // files/diagramfile.h
/// QObject::connect(view, &liquidus::DiagramWidget::cursorMoved, label,
///                  [label](const liquidus::TFullDataPoint& p) { label->setNum(p.T); });
/// \endcode

#include "binary/binagram.h"
#include "diagram/diagram.h"
#include "qt/controlwidget.h"
#include "ternary/ternagram.h"

namespace liquidus {

/// What both diagram widgets have in common: the component as a TDiagram and
/// the signals of its events.
///
/// The widget takes over the component's OnChange, OnMarkPoint, OnZoomIn
/// and OnZoomOut handlers (and the ternary one's OnIsothermCalcStep):
/// connect to the signals rather than setting those handlers.
class DiagramWidget : public TControlWidget {
    Q_OBJECT
public:
    ~DiagramWidget() override;

    /// The component, as the base both diagrams share.
    TDiagram& component() { return static_cast<TDiagram&>(Control()); }

signals:
    /// The mouse moved over the diagram (the triangle, or the binary plot);
    /// `point` is the component's CursorPoint(): the composition in the
    /// diagram's units and the liquidus temperature T in degrees Celsius as
    /// the read-out table shows it (format it with FormatTemperature() in
    /// the diagram's TUnits()).
    void cursorMoved(const liquidus::TFullDataPoint& point);
    /// The mouse left the diagram, or the widget, after moving over it.
    void cursorLeft();
    /// A point was marked (a right click in mark mode); see MarkedPoint().
    void marked();
    /// A zoom window was chosen (a drag with the left button).
    void zoomedIn();
    /// The view went back to the whole diagram (a left click while zoomed).
    void zoomedOut();
    /// The data, units, order, temperature method, title or mark changed:
    /// whatever a host computed from them is out of date.
    void changed();

protected:
    /// Takes `diagram` (not null) over.
    DiagramWidget(std::unique_ptr<TDiagram> diagram, QWidget* parent);

    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_cursorShown = false;
};

/// The composition triangle (TTernagram) as a widget.
class TernaryDiagramWidget : public DiagramWidget {
    Q_OBJECT
public:
    /// An empty triangle until data are given: LoadDiagram() or
    /// LoadDiagramFile() of files/diagramfile.h.
    explicit TernaryDiagramWidget(QWidget* parent = nullptr);
    ~TernaryDiagramWidget() override;

    /// The component: its properties, data and read-out.
    TTernagram& diagram() { return static_cast<TTernagram&>(Control()); }

signals:
    /// The isotherm scan (DrawIsotherms) started a row: `percent` (0..100)
    /// of its points are done once that row is; 100 comes with the last.
    /// The scan runs inside a paint and lets events run between its rows.
    void isothermProgress(int percent);
};

/// A binary temperature-composition plot (TBinagram) as a widget.
class BinaryDiagramWidget : public DiagramWidget {
    Q_OBJECT
public:
    /// An empty plot until its AreaList() records and SetBoundaryPoints()
    /// are given.
    explicit BinaryDiagramWidget(QWidget* parent = nullptr);
    ~BinaryDiagramWidget() override;

    /// The component: its properties, curves and read-out.
    TBinagram& diagram() { return static_cast<TBinagram&>(Control()); }
};

}  // namespace liquidus
