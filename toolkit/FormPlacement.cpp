// Where a form sits and at which resolution: its bounds, kept in step with the window's, the
// first showing's centring (and the centring of a form whose place is on no monitor any more),
// and the change to a monitor of another resolution.
#include "toolkit/Form.h"

namespace tk {

void Form::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (window_)
        SetWindowPos(window_.Get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::WindowMoved() {
    if (IsIconic(window_.Get()) || IsZoomed(window_.Get()))
        return; // keep the normal bounds
    RECT rect{};
    GetWindowRect(window_.Get(), &rect);
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
}

void Form::AdoptDpi(int dpi) {
    dpi_ = dpi;
    OwnedFont previous = std::move(font_); // the controls still draw with it until they change
    font_ = CreateFontFor(layout_.Font, dpi);
    drawn_.DpiChanged(dpi);
    for (WinControl* child : children_)
        if (child->Handle())
            child->DpiChanged(dpi);
    for (std::size_t i = 0; i < drawn_.All().size(); ++i)
        tooltip_.MoveTool(i, drawn_.All()[i]->BoundsRect());
}

void Form::ChangeDpi(int dpi, const RECT& suggested) {
    AdoptDpi(dpi);
    SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    tooltip_.ClientResized();
    Invalidate();
}

void Form::CentreOnDesktop() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetBounds((screenWidth - width_) / 2, (screenHeight - height_) / 2, width_, height_);
}

bool Form::OnSomeMonitor() const {
    const RECT bounds{left_, top_, left_ + width_, top_ + height_};
    return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr;
}

} // namespace tk
