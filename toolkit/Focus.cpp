#include "toolkit/Focus.h"

#include "toolkit/Modal.h"

namespace tk {

void FocusMemory::Activated(HWND window, WPARAM wParam) noexcept {
    if (LOWORD(wParam) == WA_INACTIVE) {
        // The focus is still where the user left it while the deactivation is announced.
        if (HWND focus = GetFocus(); focus && IsChild(window, focus))
            focused_ = focus;
        return;
    }
    if (HIWORD(wParam)) // activated while minimised: no control to give the focus to
        return;
    const bool usable = focused_ && IsChild(window, focused_) && IsWindowVisible(focused_) && IsWindowEnabled(focused_);
    HWND target = usable ? focused_ : GetNextDlgTabItem(window, nullptr, FALSE);
    SetFocus(target ? target : window);
}

void FocusMemory::ShowingBegins(HWND window) noexcept {
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    SetFocus(first ? first : window);
}

void PassFocusFromTaskbarEntry(HWND main) noexcept {
    if (HWND modal = InnermostModalWindow())
        SetActiveWindow(modal);
    else if (main && IsWindowVisible(main))
        SetFocus(main);
}

} // namespace tk
