#include "canvas/control.h"

namespace liquidus {

TCustomControl::TCustomControl(int width, int height, TControlHost* host)
    : m_host(&m_nullHost), m_screen(width, height) {
    SetHost(host);
}

void TCustomControl::SetHost(TControlHost* host) {
    m_host = host != nullptr ? host : &m_nullHost;
    TControlHost* resolverHost = m_host;
    // Every bitmap the control draws on resolves system colours the same way;
    // the control's own bitmaps copy this resolver from the screen.
    m_screen.SetSystemColorResolver(
        [resolverHost](TColor c) { return resolverHost->SystemColor(c); });
}

void TCustomControl::SetBounds(int width, int height) {
    if (width == Width() && height == Height()) {
        return;
    }
    m_screen.SetSize(width, height);
    Invalidate();
}

void TCustomControl::Invalidate() { m_host->Invalidate(); }

void TCustomControl::Refresh() {
    Paint();
    m_host->ScreenChanged();
}

void TCustomControl::SetCursor(TCursor cursor) {
    if (cursor == m_cursor) {
        return;
    }
    m_cursor = cursor;
    m_host->SetCursor(cursor);
}

void TCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(*this, button, shift, x, y);
    }
}

void TCustomControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(*this, shift, x, y);
    }
}

void TCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(*this, button, shift, x, y);
    }
}

}  // namespace liquidus
