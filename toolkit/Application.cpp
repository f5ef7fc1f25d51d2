#include "toolkit/Application.h"

#include <string>

#include "core/ErrorText.h"
#include "core/Exception.h"
#include "core/Paths.h"
#include "toolkit/Form.h"
#include "toolkit/Modal.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

constexpr wchar_t kApplicationClass[] = L"TkApplication";
Application* current = nullptr;

} // namespace

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // truncated: a long path; try a bigger buffer
    }
}

std::wstring TitleFromExecutablePath(std::wstring_view path) {
    std::wstring name = Widen(FileNameOf(Narrow(path)));
    name = name.substr(0, name.find(L'.'));
    if (name.size() > 1)
        CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    return name;
}

Application::Application() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(kApplicationClass, LoadCursorW(nullptr, IDC_ARROW));
    title_ = TitleFromExecutablePath(ModuleFileName());
    // Zero size in the middle of the screen: never seen itself, it carries the taskbar entry.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_.Reset(CreateBoundWindow(*this, kApplicationClass,
                                    {.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                     .title = title_.c_str(), .bounds = {x, y, x, y}}));
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
}

Application::~Application() {
    // Windows first, while every form and control is whole; then the forms in reverse order of
    // creation, each with its controls and timers.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        (*it)->DestroyHandle();
    while (!forms_.empty())
        forms_.pop_back();
    window_.Reset();
    if (current == this)
        current = nullptr;
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
    // Tab and arrow keys move between the controls of the innermost modal form.
    if (Form* innermost = InnermostModalForm()) {
        HWND modal = innermost->Handle();
        if ((message.hwnd == modal || IsChild(modal, message.hwnd)) && IsDialogMessageW(modal, &message))
            return;
    }
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
    SetWindowPos(window_.Get(), nullptr, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                 0, SWP_NOZORDER | SWP_NOACTIVATE);
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
    // With a modal window up, it is the one to work in; the others are still disabled behind it.
    Form* active = InnermostModalForm() ? InnermostModalForm() : mainForm_;
    if (active && active->HandleAllocated())
        SetActiveWindow(active->Handle());
}

void Application::HandleException(const std::exception& error) noexcept {
    try {
        if (HWND capture = GetCapture())
            SendMessageW(capture, WM_CANCELMODE, 0, 0);
        const std::wstring text = Widen(ErrorReportText(error.what()));
        OtherWindowsDisabled disabled;
        EnabledAgainAsBoxHides enabledInTime(disabled, window_.Get());
        MessageBoxW(window_.Get(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Reporting failed (out of memory): nothing better is left to do.
    }
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
    case WM_SETFOCUS: // the taskbar entry was activated: pass the focus to the program's window
        // The modal form is activated, not focused: its activation gives the focus back to its
        // control, where focusing the form itself would take it away again.
        if (Form* innermost = InnermostModalForm())
            SetActiveWindow(innermost->Handle());
        else if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle()))
            SetFocus(mainForm_->Handle());
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

void ReportException(const std::exception& error) noexcept {
    if (current)
        current->HandleException(error);
    else
        ShowStartupFailure(error);
}

void ReportUnknownException() noexcept {
    ReportException(Exception("Unknown exception"));
}

void ShowStartupFailure(const std::exception& error) noexcept {
    try {
        // The program has no run-time type information, so what `error` is, is asked by catching
        // it. Every caller passes either the exception being handled or one of ours made to be
        // reported (the stand-in for an exception of no known type, a test's): only the first
        // can be another than ours.
        bool ours = true;
        if (std::current_exception()) {
            try {
                throw;
            } catch (const Exception&) {
            } catch (const std::exception& handled) {
                ours = &handled != &error;
            } catch (...) {
            }
        }
        const char* name = ours ? static_cast<const Exception&>(error).ClassName() : "std::exception";
        const std::string module(FileNameOf(Narrow(ModuleFileName())));
        const std::wstring text = Widen(std::string("Exception ") + name +
                                        " in module " + module + ".\n" + ErrorReportText(error.what()));
        MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

} // namespace tk
