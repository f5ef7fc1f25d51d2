// Where the keyboard focus goes when a window of the program is activated, decided here alone:
// a form's remembered control, a modal showing's first control, and the taskbar entry's hand-off.
// The platform's default handling of an activation puts the focus on the form window itself, on
// no control, so that after a box, another program or a click on the taskbar the user's typing
// would go nowhere; a form keeps its focus as the platform's dialog manager keeps a dialog's.
#pragma once

#include <windows.h>

namespace tk {

// A form's focus across its deactivation. Only a form with controls has any to keep: one
// without leaves its activation to the default handling.
class FocusMemory {
public:
    // WM_ACTIVATE of the form `window`: on deactivation the control that has the focus is
    // remembered; on activation it gets the focus back, or, the first time or when it can take
    // it no more, the first control in tab order does. Activated while minimised, nothing does.
    void Activated(HWND window, WPARAM wParam) noexcept;
    // A modal showing begins, the form activated: its first control takes the focus, whatever
    // the form had the last time.
    static void ShowingBegins(HWND window) noexcept;

private:
    HWND focused_ = nullptr;
};

// The taskbar entry (the application window) was activated and got the focus: it passes it on.
// The innermost modal window is activated, not focused: its activation gives the focus back to
// its control, where focusing the form itself would take it away again. Without one, the focus
// goes to `main` if it shows.
void PassFocusFromTaskbarEntry(HWND main) noexcept;

} // namespace tk
