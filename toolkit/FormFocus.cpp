// A form's keyboard focus across its deactivation, kept as the platform's dialog manager keeps a
// dialog's: the default handling of an activation puts the focus on the form window itself, on
// no control, so that after a box, another program or a click on the taskbar the user's typing
// would go nowhere.
#include "toolkit/Form.h"

namespace tk {

LRESULT Form::ActivateMessage(WPARAM wParam, LPARAM lParam) {
    HWND window = window_.Get();
    if (children_.empty()) // nothing to focus but the form itself
        return DefaultProc(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) == WA_INACTIVE) {
        // The focus is still where the user left it while the deactivation is announced.
        if (HWND focus = GetFocus(); focus && IsChild(window, focus))
            focused_ = focus;
        return 0;
    }
    if (HIWORD(wParam)) // activated while minimised: no control to give the focus to
        return 0;
    const bool usable = focused_ && IsChild(window, focused_) && IsWindowVisible(focused_) && IsWindowEnabled(focused_);
    // The first time, or when that control can take it no more: the first control in tab order.
    HWND target = usable ? focused_ : GetNextDlgTabItem(window, nullptr, FALSE);
    SetFocus(target ? target : window);
    return 0;
}

} // namespace tk
