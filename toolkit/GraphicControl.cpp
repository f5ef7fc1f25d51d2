#include "toolkit/GraphicControl.h"

#include <uxtheme.h>
#include <windowsx.h>

#include <utility>

#include "toolkit/Form.h"

namespace tk {

// ---- GraphicControl -------------------------------------------------------------------------

GraphicControl::GraphicControl(Form& parent, Bounds b)
    : parent_(parent), bounds96_(b), bounds_(ScaleBounds(b, parent.Dpi())) {
    parent.AddDrawnControl(this);
}

void GraphicControl::SetBoundsRect(const RECT& bounds) {
    if (EqualRect(&bounds, &bounds_))
        return;
    Invalidate();
    bounds_ = bounds;
    Invalidate();
}

void GraphicControl::Invalidate() { parent_.Invalidate(&bounds_); }

void GraphicControl::DpiChanged(int dpi) { SetBoundsRect(ScaleBounds(bounds96_, dpi)); }

void GraphicControl::MouseDown(const MouseEvent& event) {
    if (OnMouseDown) OnMouseDown(event);
}
void GraphicControl::MouseMove(const MouseEvent& event) {
    if (OnMouseMove) OnMouseMove(event);
}
void GraphicControl::MouseUp(const MouseEvent& event) {
    if (OnMouseUp) OnMouseUp(event);
}

// ---- ThemeData ------------------------------------------------------------------------------

HANDLE ThemeData::Get(HWND window) {
    if (!opened_) {
        theme_ = IsAppThemed() ? OpenThemeData(window, classList_) : nullptr;
        opened_ = true;
    }
    return theme_;
}

void ThemeData::Reset() noexcept {
    if (theme_)
        CloseThemeData(static_cast<HTHEME>(theme_));
    theme_ = nullptr;
    opened_ = false;
}

// ---- DrawnControlDispatcher -----------------------------------------------------------------

void DrawnControlDispatcher::Clear() noexcept {
    captureControl_ = nullptr;
    hoverControl_ = nullptr;
    controls_.clear();
}

void DrawnControlDispatcher::PaintWindow(HWND window, HBRUSH background) const {
    PaintScope paint(window);
    const RECT& area = paint.Area();
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    // Off-screen in a memory DC of the screen's and a bitmap of its own bits, not in a pair made
    // compatible with the window's DC: made without a word to the window system, they cost the
    // once-a-second repaint nothing beyond the drawing (under Wine a window-compatible pair takes
    // its server six round trips a paint).
    MemoryDc buffer;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectGuard selectBitmap(buffer.Get(), bitmap.Get());
    // The bitmap covers the paint rectangle only; the controls draw in client coordinates.
    SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
    FillRect(buffer.Get(), &area, background);
    for (GraphicControl* control : controls_) {
        RECT overlap{};
        const RECT bounds = control->BoundsRect();
        if (control->Visible && IntersectRect(&overlap, &bounds, &area))
            control->Paint(buffer.Get());
    }
    SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
    BitBlt(paint.Dc(), area.left, area.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

GraphicControl* DrawnControlDispatcher::At(POINT client) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->Visible && (*it)->Enabled && (*it)->Contains(client))
            return *it;
    return nullptr;
}

void DrawnControlDispatcher::SetHover(GraphicControl* control) {
    if (control == hoverControl_)
        return;
    if (hoverControl_)
        hoverControl_->MouseLeave();
    hoverControl_ = control;
    if (hoverControl_)
        hoverControl_->MouseEnter();
}

void DrawnControlDispatcher::Mouse(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseEvent event;
    event.Keys = GET_KEYSTATE_WPARAM(wParam);
    event.Client = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: event.Button = MouseButton::Right; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: event.Button = MouseButton::Middle; break;
    default: event.Button = MouseButton::Left; break;
    }
    // While the left button holds the capture, everything goes to the control it was pressed on.
    GraphicControl* target = captured_ ? captureControl_ : At(event.Client);
    HWND window = form_.Handle();
    if (message == WM_LBUTTONDOWN || captured_)
        lastLeft_ = {MouseButton::Left, event.Keys & ~static_cast<WPARAM>(MK_LBUTTON), event.Client};

    switch (message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        if (message == WM_LBUTTONDOWN) {
            captureControl_ = target;
            captured_ = true;
            SetCapture(window);
        }
        if (target) target->MouseDown(event);
        else if (form_.OnMouseDown) form_.OnMouseDown(event);
        break;
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        SetHover(captured_ ? (At(event.Client) == captureControl_ ? captureControl_ : nullptr) : At(event.Client));
        if (target) target->MouseMove(event);
        else if (form_.OnMouseMove) form_.OnMouseMove(event);
        break;
    default: // button released
        if (message == WM_LBUTTONUP && captured_) {
            captured_ = false;
            ReleaseCapture();
        }
        Release(target, event);
        break;
    }
}

void DrawnControlDispatcher::Release(GraphicControl* target, const MouseEvent& event) {
    if (target) target->MouseUp(event);
    else if (form_.OnMouseUp) form_.OnMouseUp(event);
}

void DrawnControlDispatcher::MouseLeft() {
    trackingLeave_ = false;
    SetHover(nullptr);
}

void DrawnControlDispatcher::CaptureChanged(HWND newCapture) {
    if (!captured_ || newCapture == form_.Handle())
        return;
    captured_ = false;
    GraphicControl* pressed = std::exchange(captureControl_, nullptr);
    // Lost first, so that a button does not take the release for a click.
    if (pressed)
        pressed->CaptureLost();
    Release(pressed, lastLeft_);
}

void DrawnControlDispatcher::CancelMode() {
    if (captured_)
        ReleaseCapture();
}

void DrawnControlDispatcher::DpiChanged(int dpi) {
    for (GraphicControl* control : controls_)
        control->DpiChanged(dpi);
}

void DrawnControlDispatcher::ThemeChanged() {
    for (GraphicControl* control : controls_)
        control->ThemeChanged();
}

} // namespace tk
