#include "toolkit/WinControl.h"

#include <commctrl.h>

#include "core/Exception.h"
#include "toolkit/Accessible.h"
#include "toolkit/Form.h"
#include "toolkit/Text.h"

namespace tk {

void EnsureCommonControls() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
}

WinControl::WinControl(Form& parent, const ControlLayout& layout)
    : parent_(parent), layout_(layout), text_(layout.Caption ? layout.Caption : ""),
      id_(parent.AddWindowedControl(this)) {
    // The form makes every control's window, through the virtual CreateHandle, when it makes its
    // own; made here, a derived control's window would miss what only the derived part adds
    // (a combo box's items). So a control is built while its form has no window yet.
    if (parent.HandleAllocated())
        throw EInvalidOperation("A control must be built before its form's window");
}

void WinControl::CreateHandle(HWND parentWindow, int dpi) {
    EnsureCommonControls();
    const Bounds& b = layout_.Bounds96;
    handle_ = CreateWindowExW(layout_.ExStyle, layout_.WindowClass, Widen(text_).c_str(),
                              WS_CHILD | WS_VISIBLE | layout_.Style, ScaleToDpi(b.Left, dpi), ScaleToDpi(b.Top, dpi),
                              ScaleToDpi(b.Width, dpi), ScaleToDpi(b.Height, dpi), parentWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr);
    Subclass(handle_);
    ApplyFont(dpi);
}

void WinControl::Subclass(HWND window) {
    if (window)
        SetWindowSubclass(window, &WinControl::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK WinControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR control) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, &WinControl::SubclassProc, 0);
    LRESULT result = 0;
    if (message != WM_NCDESTROY &&
        reinterpret_cast<WinControl*>(control)->ControlMessage(window, message, wParam, lParam, result))
        return result;
    return DefSubclassProc(window, message, wParam, lParam);
}

bool WinControl::ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_GETOBJECT || !label_)
        return false;
    result = AnswerWithName(window, wParam, lParam, *label_);
    return result != 0;
}

void WinControl::ApplyFont(int dpi) {
    OwnedFont font = layout_.Font ? CreateFontFor(*layout_.Font, dpi) : OwnedFont();
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font.Get() : parent_.Font()), FALSE);
    font_ = std::move(font); // the old font only now: the control no longer draws with it
}

void WinControl::DpiChanged(int dpi) {
    const Bounds& b = layout_.Bounds96;
    ApplyFont(dpi);
    SetWindowPos(handle_, nullptr, ScaleToDpi(b.Left, dpi), ScaleToDpi(b.Top, dpi), ScaleToDpi(b.Width, dpi),
                 ScaleToDpi(b.Height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WinControl::Text() const {
    if (!handle_)
        return text_;
    std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(GetWindowTextW(handle_, buffer.data(), static_cast<int>(buffer.size()))));
    return Narrow(buffer);
}

void WinControl::SetText(const std::string& text) {
    text_ = text;
    if (handle_)
        SetWindowTextW(handle_, Widen(text).c_str());
}

RECT WinControl::BoundsRect() const {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace tk
