// Every window of ours, from a form to a timer's hidden window, runs one window procedure: it
// binds the window to its object when the window is created, passes each message to that object
// inside the one exception boundary, and unbinds the object when the window goes.
#pragma once

#include <windows.h>

#include "toolkit/Handles.h"

namespace tk {

// What a window of ours is bound to.
class WindowTarget {
public:
    // Every message of the bound window, from WM_NCCREATE on and short of WM_NCDESTROY. An
    // exception that escapes is reported, and the message then gets the default handling.
    virtual LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Bound: before any other message of the window reaches the target.
    virtual void WindowBound(HWND window) { (void)window; }
    // Unbound: the window is being destroyed; its handle is about to become invalid.
    virtual void WindowUnbound() {}

protected:
    ~WindowTarget() = default;
};

// Registers a class of ours once: its windows run the one procedure.
void RegisterWindowClass(const wchar_t* className, HCURSOR cursor = nullptr);

struct WindowStyle {
    DWORD Style = WS_POPUP;
    DWORD ExStyle = 0;
    const wchar_t* Title = L"";
    RECT Bounds{}; // left, top, right, bottom in screen pixels
    HWND Owner = nullptr;
};

// Creates a window of a class registered with RegisterWindowClass, bound to `target`; null when
// the platform refuses.
HWND CreateBoundWindow(WindowTarget& target, const wchar_t* className, const WindowStyle& style);

// Takes the target off a window that stays, so that no further message reaches the object.
void Unbind(HWND window) noexcept;

// An owned window that is unbound before it is destroyed: its object is going away, and the
// messages of the destruction must not reach it.
struct BoundWindowTraits {
    static void Close(HWND window) noexcept {
        Unbind(window);
        DestroyWindow(window);
    }
};
using BoundWindow = Owned<HWND, BoundWindowTraits>;

// A message-only window of its own class, bound to `target`: timers and sound players take their
// messages on one.
BoundWindow CreateMessageWindow(WindowTarget& target, const wchar_t* className);

} // namespace tk
