#pragma once
// A custom-painted control that is not tied to any window system. It owns its
// screen: a bitmap of the control's size standing for its on-screen pixels.
// The window system is reached only through TControlHost.

#include <cstdint>
#include <functional>
#include <string>

#include "canvas/canvas.h"

namespace liquidus {

enum class TCursor { crDefault, crCross, crHourGlass };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

/// Modifier keys and buttons held during a mouse event (bit set).
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

/// What a control needs from the window that shows it.
class TControlHost {
public:
    virtual ~TControlHost() = default;
    virtual void Invalidate() = 0;     ///< schedule Paint()
    virtual void ScreenChanged() = 0;  ///< the screen bitmap was drawn on directly: show it
    virtual void SetCursor(TCursor cursor) = 0;             ///< the mouse pointer over the control
    virtual void ShowMessage(const std::string& text) = 0;  ///< modal, OK button
    virtual void ProcessMessages() = 0;                     ///< let pending events run
    /// The window system's colour for a system colour (clBtnFace, ...).
    virtual TColor SystemColor(TColor sysColor) const = 0;
};

/// A host for controls that live without a window (command line, tests).
class TNullHost : public TControlHost {
public:
    void Invalidate() override {}
    void ScreenChanged() override {}
    void SetCursor(TCursor) override {}
    void ShowMessage(const std::string&) override {}
    void ProcessMessages() override {}
    TColor SystemColor(TColor sysColor) const override { return DefaultSystemColor(sysColor); }
};

/// Anything that raises events: the sender of a TNotifyEvent.
class TComponent {
public:
    virtual ~TComponent() = default;
};

using TNotifyEvent = std::function<void(TComponent& sender)>;
using TMouseEvent =
    std::function<void(TComponent& sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent& sender, TShiftState, int x, int y)>;

/// A control that paints itself onto its own screen bitmap and takes mouse
/// events; a TControlHost (a TControlWidget in a Qt program) shows it.
class TCustomControl : public TComponent {
public:
    TCustomControl(int width, int height, TControlHost* host = nullptr);
    TCustomControl(const TCustomControl&) = delete;
    TCustomControl& operator=(const TCustomControl&) = delete;

    /// Attaches the control to a window (nullptr: no window).
    void SetHost(TControlHost* host);
    TControlHost& Host() const { return *m_host; }

    int Width() const { return m_screen.Width(); }
    int Height() const { return m_screen.Height(); }
    /// Resizing takes effect at the next paint.
    void SetBounds(int width, int height);

    /// The control's on-screen pixels.
    TBitmap& Screen() { return m_screen; }
    const TBitmap& Screen() const { return m_screen; }
    TCanvas& Canvas() { return m_screen.Canvas(); }

    /// Screen pixels per pixel of the window system's coordinates: a host
    /// on a high-density screen gives the control its physical pixels and
    /// says how many stand for one. Controls that draw fixed pixel sizes
    /// grow them by it; the default keeps them as they are.
    virtual void SetDevicePixelRatio(double /*ratio*/) {}

    /// Composes the whole picture onto the screen bitmap.
    virtual void Paint() = 0;
    /// Marks the control for repainting at the next paint cycle.
    virtual void Invalidate();
    /// Repaints at once.
    void Refresh();

    void SetCursor(TCursor cursor);
    TCursor Cursor() const { return m_cursor; }
    /// Asks the host to show what was drawn straight onto the screen.
    void ScreenChanged() { m_host->ScreenChanged(); }

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    TColor ResolveColor(TColor color) const { return m_screen.Canvas().Resolve(color); }

private:
    TNullHost m_nullHost;
    TControlHost* m_host;
    TBitmap m_screen;
    TCursor m_cursor = TCursor::crDefault;
};

}  // namespace liquidus
