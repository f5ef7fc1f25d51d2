#include "toolkit/Modal.h"

#include "core/Exception.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

namespace {

std::vector<Form*> modalForms; // innermost last
BoxInFront* innermostBox = nullptr;
EnabledAgainAsBoxHides* innermostHiding = nullptr;

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
        HWND except;
        std::vector<HWND> found;
    } search{except, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            if (window != search->except && (IsWindowVisible(window) || ShownForm(window)) &&
                IsWindowEnabled(window))
                search->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

OutOfTopmostBand::OutOfTopmostBand() {
    if (!Application::Exists())
        return;
    for (const auto& form : Application::Instance().Forms()) {
        if (!form->HandleAllocated())
            continue;
        HWND window = form->Handle();
        if ((form->Visible() || IsWindowVisible(window)) && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
            SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            moved_.push_back(window);
        }
    }
}

void OutOfTopmostBand::Restore() {
    for (HWND window : moved_)
        if (IsWindow(window))
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    moved_.clear();
}

BoxInFront::BoxInFront()
    : hook_(SetWindowsHookExW(WH_CBT, &BoxInFront::Hook, nullptr, GetCurrentThreadId())), outer_(innermostBox) {
    innermostBox = this;
}

BoxInFront::~BoxInFront() {
    innermostBox = outer_;
    if (hook_)
        UnhookWindowsHookEx(hook_);
    band_.reset();
    // An inner box has gone: the outer one, still up, stays in front of the window that asked.
    if (outer_ && outer_->box_ && IsWindow(outer_->box_))
        SetWindowPos(outer_->box_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK BoxInFront::Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && innermostBox && IsPlatformDialog(window)) {
        if (!OtherWindowsDisabled::AnyAlive()) {
            innermostBox->box_ = window;
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
        if (!innermostBox->band_) {
            innermostBox->band_.emplace();
            innermostBox->box_ = window;
        }
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
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

EnabledAgainAsBoxHides::EnabledAgainAsBoxHides(OtherWindowsDisabled& disabled, HWND owner)
    : disabled_(disabled), owner_(owner),
      hook_(SetWindowsHookExW(WH_CALLWNDPROC, &EnabledAgainAsBoxHides::Hook, nullptr, GetCurrentThreadId())),
      outer_(innermostHiding) {
    innermostHiding = this;
}

EnabledAgainAsBoxHides::~EnabledAgainAsBoxHides() {
    innermostHiding = outer_;
    if (hook_)
        UnhookWindowsHookEx(hook_);
}

// The box is told of its hiding (WM_WINDOWPOSCHANGING) before anything of it happens. A box that
// the box itself owns (a refusal inside the open-file dialog) is not the one.
LRESULT CALLBACK EnabledAgainAsBoxHides::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && innermostHiding && call->message == WM_WINDOWPOSCHANGING &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_HIDEWINDOW) && IsWindowVisible(call->hwnd) &&
        IsPlatformDialog(call->hwnd) && GetWindow(call->hwnd, GW_OWNER) == innermostHiding->owner_)
        innermostHiding->disabled_.RestoreAndReactivate();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Form* InnermostModalForm() noexcept { return modalForms.empty() ? nullptr : modalForms.back(); }

int RunModal(Form& form) {
    HWND window = form.EnsureHandle();
    if (IsWindowVisible(window) || !IsWindowEnabled(window))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) {
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    OtherWindowsDisabled disabled(window);
    ++form.modalLevel_;
    form.ModalResult = 0;
    modalForms.push_back(&form);

    struct Finish { // runs on return and if showing fails, before `disabled` reactivates
        Form& form;
        OtherWindowsDisabled& disabled;
        ~Finish() {
            modalForms.pop_back();
            --form.modalLevel_;
            // Enable the others before hiding, so that activation can go back to them.
            disabled.Restore();
            form.Hide();
        }
    } finish{form, disabled};

    form.Show();
    SetActiveWindow(window);
    if (!form.children_.empty()) {
        HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
        SetFocus(first ? first : window);
    }
    Application& application = form.App();
    while (form.ModalResult == 0) {
        application.HandleMessage();
        if (application.Terminated())
            form.ModalResult = Form::ModalCancel;
    }
    // This loop took the quit message: post it again for whatever loop runs outside this one.
    if (application.Terminated())
        PostQuitMessage(0);
    return form.ModalResult;
}

} // namespace tk
