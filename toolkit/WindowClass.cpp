#include "toolkit/WindowClass.h"

#include "toolkit/ErrorReport.h"

namespace tk {

namespace {

LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* target = static_cast<WindowTarget*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
        if (target)
            target->WindowBound(window);
    }
    auto* target = reinterpret_cast<WindowTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!target)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        target->WindowUnbound();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!Guarded([&] { result = target->WindowMessage(window, message, wParam, lParam); }))
        result = DefWindowProcW(window, message, wParam, lParam);
    return result;
}

} // namespace

void RegisterWindowClass(const wchar_t* className, HCURSOR cursor) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (GetClassInfoExW(instance, className, &windowClass))
        return;
    windowClass = {sizeof windowClass};
    windowClass.lpfnWndProc = &BoundWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

HWND CreateBoundWindow(WindowTarget& target, const wchar_t* className, const WindowStyle& style) {
    const RECT& b = style.Bounds;
    return CreateWindowExW(style.ExStyle, className, style.Title, style.Style, b.left, b.top, b.right - b.left,
                           b.bottom - b.top, style.Owner, nullptr, GetModuleHandleW(nullptr), &target);
}

void Unbind(HWND window) noexcept {
    if (window)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

BoundWindow CreateMessageWindow(WindowTarget& target, const wchar_t* className) {
    RegisterWindowClass(className);
    return BoundWindow(CreateBoundWindow(target, className, {.Style = 0, .Owner = HWND_MESSAGE}));
}

} // namespace tk
