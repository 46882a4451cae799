#pragma once
/// \file
/// Shows a window-system-independent control in a QWidget: runs the control's
/// pending paint, shows its screen bitmap, and passes mouse and resize events
/// on. The widget is the control's host. The diagram widgets of
/// qt/diagramwidget.h are built on it.

#include <QPoint>
#include <QWidget>
#include <memory>

#include "canvas/control.h"

namespace liquidus {

/// Hosts a TCustomControl in a QWidget (see the file comment).
class TControlWidget : public QWidget, public TControlHost {
    Q_OBJECT
public:
    /// The control is not owned; it must outlive the widget or be detached.
    explicit TControlWidget(TCustomControl& control, QWidget* parent = nullptr);
    /// Owns `control` (not null) and deletes it with the widget.
    explicit TControlWidget(std::unique_ptr<TCustomControl> control, QWidget* parent = nullptr);
    ~TControlWidget() override;

    /// The control shown.
    TCustomControl& Control() { return m_control; }
    /// Moves the control's mouse again where the mouse last was, once the
    /// pending paint is done: what it read is then read from the new
    /// picture. Nothing while the mouse has not been over the widget.
    void RereadMouse();

    // TControlHost
    void Invalidate() override;
    void ScreenChanged() override;
    void SetCursor(TCursor cursor) override;
    void ShowMessage(const std::string& text) override;
    void ProcessMessages() override;
    TColor SystemColor(TColor sysColor) const override;

    /// The colour a Qt palette gives a system colour (also used without a widget).
    static TColor PaletteColor(const QPalette& palette, TColor sysColor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// The widget's size in the screen's physical pixels.
    QSize PhysicalSize() const;
    /// A position in the widget as a physical pixel of the control.
    QPoint Physical(QPointF logical) const;
    /// Gives the control the screen's pixels and density.
    void FollowScreen();

    // Declared before m_control: an owned control is made before the
    // reference to it and outlives the destructor's detach.
    std::unique_ptr<TCustomControl> m_owned;
    TCustomControl& m_control;
    bool m_paintPending = true;
    bool m_rereadPending = false;
    bool m_mouseKnown = false;
    QPoint m_lastMouse;  // physical pixels
};

}  // namespace liquidus
