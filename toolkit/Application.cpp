#include "toolkit/Application.h"

#include <string>

#include "toolkit/Focus.h"
#include "toolkit/Form.h"
#include "toolkit/Modal.h"
#include "toolkit/Screens.h"

namespace tk {

namespace {

constexpr wchar_t kApplicationClass[] = L"TkApplication";
Application* current = nullptr;

} // namespace

Application::Application() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(kApplicationClass, LoadCursorW(nullptr, IDC_ARROW));
    title_ = TitleFromExecutablePath(ModuleFileName());
    // Zero size in the middle of the desktop: never seen itself, it carries the taskbar entry.
    const RECT desktop = Desktop();
    const int x = desktop.right / 2, y = desktop.bottom / 2;
    window_.Reset(CreateBoundWindow(*this, kApplicationClass,
                                    {.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                     .Title = title_.c_str(), .Bounds = {x, y, x, y}}));
    HWND window = window_.Get();
    // The taskbar entry's picture: setting it costs the platform a conversion of the picture
    // into its own form, so it waits until the program's window is on screen and painted.
    WhenIdle([this, instance] {
        icon_.Reset(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
        if (icon_) {
            SendMessageW(window_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
            SendMessageW(window_.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
        }
    });
    // The taskbar entry's menu offers Restore, Minimize and Close only.
    HMENU menu = GetSystemMenu(window, FALSE);
    for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MOVE})
        DeleteMenu(menu, command, MF_BYCOMMAND);
    current = this;
    SetErrorReportOwner(window, &title_);
}

Application::~Application() {
    // Windows first, while every form and control is whole; then the forms in reverse order of
    // creation, each with its controls and timers.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        (*it)->DestroyHandle();
    while (!forms_.empty())
        forms_.pop_back();
    window_.Reset();
    if (current == this) {
        current = nullptr;
        SetErrorReportOwner(nullptr, nullptr);
    }
}

Application& Application::Instance() { return *current; }
bool Application::Exists() noexcept { return current != nullptr; }

void Application::AddForm(std::unique_ptr<Form> form) {
    Form* added = form.get();
    forms_.push_back(std::move(form));
    if (!mainForm_) {
        mainForm_ = added;
        added->EnsureHandle();
    }
}

void Application::Run(int showCommand) {
    if (mainForm_) {
        if (showCommand == SW_SHOWMINNOACTIVE) {
            mainForm_->ShowState(SW_SHOWNOACTIVATE);
            Minimize();
        } else if (showCommand == SW_SHOWMAXIMIZED) {
            mainForm_->ShowState(SW_SHOWMAXIMIZED);
        } else {
            mainForm_->Show();
        }
    }
    while (!terminated_)
        HandleMessage();
}

void Application::Terminate() { PostQuitMessage(0); }

bool Application::ProcessMessage() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    Dispatch(message);
    return true;
}

void Application::Dispatch(MSG& message) {
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    if (ModalKeyMessage(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// One call that waits and takes: a look that finds the queue empty followed by a wait would cost
// two more calls into the system for every message.
void Application::HandleMessage() {
    MSG message;
    if (terminated_)
        return;
    if (!idleWork_.empty() && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        const std::function<void()> work = std::move(idleWork_.front());
        idleWork_.erase(idleWork_.begin());
        Guarded(work);
        return;
    }
    if (GetMessageW(&message, nullptr, 0, 0) == -1) // only for an invalid window filter
        return;
    Dispatch(message);
}

void Application::WhenIdle(std::function<void()> work) { idleWork_.push_back(std::move(work)); }

void Application::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void Application::CentreZeroSize() {
    const RECT desktop = Desktop();
    SetWindowPos(window_.Get(), nullptr, desktop.right / 2, desktop.bottom / 2, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Application::ShowTaskbarEntry() {
    SetWindowPos(window_.Get(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

// While a modal window is up, this window is disabled, and the default handling of a system
// command ignores a disabled window: then it is minimised and restored directly, so that the
// program can always be brought back.
void Application::Minimize() {
    HWND window = window_.Get();
    if (IsIconic(window))
        return;
    if (!IsWindowEnabled(window)) {
        HideForms(); // first, so that minimising activates none of them
        ShowWindow(window, SW_MINIMIZE);
        return;
    }
    SetActiveWindow(window);
    if (mainForm_ && mainForm_->HandleAllocated()) {
        // Sit on the main form so that the platform's animation starts from it.
        SetWindowPos(window, mainForm_->Handle(), mainForm_->Left(), mainForm_->Top(), mainForm_->Width(), 0,
                     SWP_SHOWWINDOW);
    }
    DefWindowProcW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    HideForms();
}

void Application::HideForms() {
    for (auto& form : forms_)
        if (form->HandleAllocated() && IsWindowVisible(form->Handle()))
            ShowWindow(form->Handle(), SW_HIDE); // stays Visible(): shown again by Restore
}

void Application::Restore() {
    HWND window = window_.Get();
    if (!IsIconic(window))
        return;
    if (IsWindowEnabled(window))
        DefWindowProcW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    else
        ShowWindow(window, SW_RESTORE);
    CentreZeroSize();
    for (auto& form : forms_)
        if (form->Visible() && form->HandleAllocated() && !IsWindowVisible(form->Handle()))
            ShowWindow(form->Handle(), SW_SHOWNA);
    if (HWND active = WindowToActivate(mainForm_ ? mainForm_->Handle() : nullptr))
        SetActiveWindow(active);
}

LRESULT Application::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: // the taskbar entry's Close
        if (mainForm_)
            mainForm_->Close();
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        default: break;
        }
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            terminated_ = true;
        return 0;
    case WM_SETFOCUS: // the taskbar entry was activated
        PassFocusFromTaskbarEntry(mainForm_ ? mainForm_->Handle() : nullptr);
        return 0;
    case WM_SETTINGCHANGE:
        if (OnSettingChange)
            OnSettingChange();
        break;
    case WM_TIMECHANGE:
        if (OnTimeChange)
            OnTimeChange();
        break;
    case WM_POWERBROADCAST:
        if ((wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) && OnResume)
            OnResume();
        return TRUE;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tk
