#include "toolkit/Modal.h"

#include <algorithm>

#include "core/Exception.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

namespace {

std::vector<ModalWindow*> modalWindows; // innermost last
BoxScope* innermostBox = nullptr;

bool IsPlatformDialog(HWND window) {
    wchar_t name[16]{};
    return GetClassNameW(window, name, 16) > 0 && lstrcmpW(name, L"#32770") == 0;
}

// A form that is shown, though maybe hidden while the program is minimised.
bool ShownForm(HWND window) {
    if (Application::Exists())
        for (const auto& form : Application::Instance().Forms())
            if (form->HandleAllocated() && form->Handle() == window)
                return form->Visible();
    return false;
}

std::vector<HWND> VisibleEnabledThreadWindows(HWND except) {
    struct Search {
        HWND Except;
        std::vector<HWND> Found;
    } search{except, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            if (window != search->Except && (IsWindowVisible(window) || ShownForm(window)) &&
                IsWindowEnabled(window))
                search->Found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

} // namespace

OutOfTopmostBand::OutOfTopmostBand() {
    if (!Application::Exists())
        return;
    for (const auto& form : Application::Instance().Forms()) {
        if (!form->HandleAllocated())
            continue;
        HWND window = form->Handle();
        if ((form->Visible() || IsWindowVisible(window)) && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
            moved_.push_back(window);
    }
    // A box left open in the band would stand in front of every later window of the program,
    // disabled behind a modal one: it leaves with the forms.
    BoxScope::BoxesInBand(moved_);
    for (HWND window : moved_)
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OutOfTopmostBand::Restore() {
    for (HWND window : moved_)
        if (IsWindow(window))
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    moved_.clear();
}

OtherWindowsDisabled::OtherWindowsDisabled(HWND except, bool leaveTopmostBand) : active_(GetActiveWindow()) {
    ++alive_;
    if (!Application::Exists())
        return;
    windows_ = VisibleEnabledThreadWindows(except);
    for (HWND window : windows_)
        EnableWindow(window, FALSE);
    if (leaveTopmostBand)
        band_.emplace();
}

void OtherWindowsDisabled::Restore() {
    if (restored_)
        return;
    restored_ = true;
    for (HWND window : windows_)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    band_.reset();
}

void OtherWindowsDisabled::RestoreAndReactivate() {
    Restore();
    if (active_ && IsWindow(active_))
        SetActiveWindow(active_);
}

OtherWindowsDisabled::~OtherWindowsDisabled() {
    --alive_;
    RestoreAndReactivate();
}

// The error report leaves the band at once; the open-file dialog, owned by the application window
// below the topmost dialog that asked for it, comes in front once it is up. As a box that
// disabled the others hides, the platform moves the activation, before the box is destroyed:
// were the program's windows still disabled then, it would activate another program's window.
BoxScope::BoxScope(BoxKind kind, HWND owner)
    : kind_(kind), owner_(owner), active_(GetActiveWindow()), outer_(innermostBox) {
    if (kind != BoxKind::OwnBox) {
        disabled_.emplace(nullptr, kind == BoxKind::ErrorReport);
        hidingHook_ = SetWindowsHookExW(WH_CALLWNDPROC, &BoxScope::HidingHook, nullptr, GetCurrentThreadId());
    }
    if (kind != BoxKind::ErrorReport)
        activateHook_ = SetWindowsHookExW(WH_CBT, &BoxScope::ActivateHook, nullptr, GetCurrentThreadId());
    innermostBox = this;
}

BoxScope::~BoxScope() {
    innermostBox = outer_;
    if (activateHook_)
        UnhookWindowsHookEx(activateHook_);
    if (hidingHook_)
        UnhookWindowsHookEx(hidingHook_);
    band_.reset();
    // An inner box has gone: the outer one, still up, stays in front of the window that asked.
    BoxScope* outer = outer_;
    while (outer && !outer->activateHook_)
        outer = outer->outer_;
    if (activateHook_ && outer && outer->box_ && IsWindow(outer->box_))
        SetWindowPos(outer->box_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    disabled_.reset();
}

void BoxScope::BoxesInBand(std::vector<HWND>& boxes) {
    for (BoxScope* scope = innermostBox; scope; scope = scope->outer_)
        if (scope->box_ && IsWindowVisible(scope->box_) && (GetWindowLongPtrW(scope->box_, GWL_EXSTYLE) & WS_EX_TOPMOST))
            boxes.push_back(scope->box_);
}

// The innermost scope that places its box is the one the box belongs to.
LRESULT CALLBACK BoxScope::ActivateHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    BoxScope* scope = innermostBox;
    while (scope && !scope->activateHook_)
        scope = scope->outer_;
    if (code == HCBT_ACTIVATE && scope && IsPlatformDialog(window)) {
        if (!OtherWindowsDisabled::AnyAlive()) {
            scope->box_ = window;
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
        // The band is left only once the box exists, because a box made later would otherwise
        // still be placed below owned windows that some platforms leave in the band.
        if (!scope->band_) {
            scope->band_.emplace();
            scope->box_ = window;
        }
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The box is told of its hiding (WM_WINDOWPOSCHANGING) before anything of it happens. A box that
// the box itself owns (a refusal inside the open-file dialog) is not the one.
LRESULT CALLBACK BoxScope::HidingHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    BoxScope* scope = innermostBox;
    while (scope && !scope->hidingHook_)
        scope = scope->outer_;
    if (code == HC_ACTION && scope && call->message == WM_WINDOWPOSCHANGING &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_HIDEWINDOW) && IsWindowVisible(call->hwnd) &&
        IsPlatformDialog(call->hwnd) && GetWindow(call->hwnd, GW_OWNER) == scope->owner_)
        scope->disabled_->RestoreAndReactivate();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND InnermostModalWindow() noexcept { return modalWindows.empty() ? nullptr : modalWindows.back()->ModalHandle(); }

bool EndModalShowing(ModalWindow& window) noexcept {
    if (std::find(modalWindows.begin(), modalWindows.end(), &window) == modalWindows.end())
        return false;
    window.ModalResult = ModalWindow::ModalCancel;
    return true;
}

bool ModalKeyMessage(MSG& message) {
    HWND modal = InnermostModalWindow();
    return modal && (message.hwnd == modal || IsChild(modal, message.hwnd)) && IsDialogMessageW(modal, &message);
}

HWND WindowToActivate(HWND main) noexcept {
    HWND modal = InnermostModalWindow();
    return modal ? modal : main;
}

int RunModal(ModalWindow& modal) {
    HWND window = modal.ModalHandle();
    if (IsWindowVisible(window) || !IsWindowEnabled(window))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) {
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    OtherWindowsDisabled disabled(window);
    modal.ModalResult = 0;
    modalWindows.push_back(&modal);

    struct Finish { // runs on return and if showing fails, before `disabled` reactivates
        ModalWindow& Modal;
        OtherWindowsDisabled& Disabled;
        ~Finish() {
            modalWindows.pop_back();
            // Enable the others before hiding, so that activation can go back to them.
            Disabled.Restore();
            Modal.HideAfterModal();
        }
    } finish{modal, disabled};

    modal.ShowForModal();
    Application& application = Application::Instance();
    while (modal.ModalResult == 0) {
        application.HandleMessage();
        if (application.Terminated())
            modal.ModalResult = ModalWindow::ModalCancel;
    }
    // This loop took the quit message: post it again for whatever loop runs outside this one.
    if (application.Terminated())
        PostQuitMessage(0);
    return modal.ModalResult;
}

} // namespace tk
