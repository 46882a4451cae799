#include "qt/controlwidget.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace liquidus {

namespace {
TShiftState ShiftOf(const QMouseEvent* event) {
    TShiftState shift = 0;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & Qt::ShiftModifier) shift |= ssShift;
    if (mods & Qt::AltModifier) shift |= ssAlt;
    if (mods & Qt::ControlModifier) shift |= ssCtrl;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

bool ButtonOf(const QMouseEvent* event, TMouseButton& button) {
    switch (event->button()) {
        case Qt::LeftButton: button = TMouseButton::mbLeft; return true;
        case Qt::RightButton: button = TMouseButton::mbRight; return true;
        case Qt::MiddleButton: button = TMouseButton::mbMiddle; return true;
        default: return false;
    }
}

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }
}  // namespace

TControlWidget::TControlWidget(TCustomControl& control, QWidget* parent)
    : QWidget(parent), m_control(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(1, 1);
    m_control.SetHost(this);
}

TControlWidget::TControlWidget(std::unique_ptr<TCustomControl> control, QWidget* parent)
    : TControlWidget(*control, parent) {
    m_owned = std::move(control);
}

TControlWidget::~TControlWidget() { m_control.SetHost(nullptr); }

void TControlWidget::Invalidate() {
    m_paintPending = true;
    update();
}

void TControlWidget::ScreenChanged() { update(); }

void TControlWidget::RereadMouse() {
    if (!m_mouseKnown) return;
    m_rereadPending = true;
    update();
}

void TControlWidget::SetCursor(TCursor cursor) {
    switch (cursor) {
        case TCursor::crDefault: unsetCursor(); break;
        case TCursor::crCross: setCursor(Qt::CrossCursor); break;
        case TCursor::crHourGlass: setCursor(Qt::WaitCursor); break;
    }
}

void TControlWidget::ShowMessage(const std::string& text) {
    QMessageBox::information(this, QApplication::applicationDisplayName(),
                             QString::fromStdString(text));
}

void TControlWidget::ProcessMessages() { QCoreApplication::processEvents(); }

TColor TControlWidget::PaletteColor(const QPalette& palette, TColor sysColor) {
    switch (SystemColorIndex(sysColor)) {
        case kColorWindow: return FromQColor(palette.color(QPalette::Base));
        case kColorWindowFrame: return clBlack;
        case kColorWindowText: return FromQColor(palette.color(QPalette::Text));
        case kColorBtnFace: return FromQColor(palette.color(QPalette::Button));
        case kColorBtnText: return FromQColor(palette.color(QPalette::ButtonText));
        case kColorHighlight: return FromQColor(palette.color(QPalette::Highlight));
        case kColorInfoBk: return FromQColor(palette.color(QPalette::ToolTipBase));
        default: return DefaultSystemColor(sysColor);
    }
}

TColor TControlWidget::SystemColor(TColor sysColor) const {
    return PaletteColor(palette(), sysColor);
}

QSize TControlWidget::PhysicalSize() const {
    const double ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)),
            static_cast<int>(std::lround(height() * ratio))};
}

QPoint TControlWidget::Physical(QPointF logical) const {
    return (logical * devicePixelRatioF()).toPoint();
}

void TControlWidget::FollowScreen() {
    // The control draws on the screen's own pixels, so a high-density
    // screen shows it sharp; the mouse is mapped onto the same pixels.
    m_control.SetDevicePixelRatio(devicePixelRatioF());
    const QSize size = PhysicalSize();
    if (m_control.Width() != size.width() || m_control.Height() != size.height()) {
        m_control.SetBounds(size.width(), size.height());
        m_paintPending = true;
    }
}

void TControlWidget::paintEvent(QPaintEvent*) {
    FollowScreen();
    if (m_paintPending) {
        m_paintPending = false;
        m_control.Paint();
    }
    if (m_rereadPending) {
        m_rereadPending = false;
        // Between the paint and the copy, so the old reading never shows.
        m_control.MouseMove(0, m_lastMouse.x(), m_lastMouse.y());
    }
    QPainter painter(this);
    QImage image = m_control.Screen().Image();  // shared, not copied
    image.setDevicePixelRatio(devicePixelRatioF());
    painter.drawImage(0, 0, image);
}

void TControlWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FollowScreen();
    m_paintPending = true;
}

void TControlWidget::mousePressEvent(QMouseEvent* event) {
    TMouseButton button{};
    if (ButtonOf(event, button)) {
        const QPoint p = Physical(event->position());
        m_lastMouse = p;
        m_mouseKnown = true;
        m_control.MouseDown(button, ShiftOf(event), p.x(), p.y());
    }
}

void TControlWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = Physical(event->position());
    m_lastMouse = p;
    m_mouseKnown = true;
    m_control.MouseMove(ShiftOf(event), p.x(), p.y());
}

void TControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button{};
    if (ButtonOf(event, button)) {
        const QPoint p = Physical(event->position());
        m_control.MouseUp(button, ShiftOf(event), p.x(), p.y());
    }
}

}  // namespace liquidus
