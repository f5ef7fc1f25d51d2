#include "toolkit/Application.h"

#include <commctrl.h>

#include <string>

#include "core/ErrorText.h"
#include "core/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

constexpr wchar_t kApplicationClass[] = L"TkApplication";
Application* current = nullptr;

struct ThreadWindows {
    HWND except;
    std::vector<HWND>* found;
};

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
    const std::size_t slash = path.find_last_of(L"\\:");
    std::wstring name(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
    name = name.substr(0, name.find(L'.'));
    if (name.size() > 1)
        CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    return name;
}

Application::Application() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = &Application::StaticWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kApplicationClass;
    RegisterClassExW(&windowClass);

    title_ = TitleFromExecutablePath(ModuleFileName());
    // Zero size in the middle of the screen: never seen itself, it carries the taskbar entry.
    HWND window = CreateWindowExW(0, kApplicationClass, title_.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                  nullptr, nullptr, instance, this);
    window_.Reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    icon_.Reset(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    if (icon_) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    }
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
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
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
        added->Handle();
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
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    // Tab and arrow keys move between the controls of the innermost modal form.
    if (!modalForms_.empty()) {
        HWND modal = modalForms_.back()->Handle();
        if ((message.hwnd == modal || IsChild(modal, message.hwnd)) && IsDialogMessageW(modal, &message))
            return true;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return true;
}

void Application::HandleMessage() {
    if (!ProcessMessage() && !terminated_)
        WaitMessage();
}

void Application::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void Application::CentreZeroSize() {
    SetWindowPos(window_.Get(), nullptr, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Application::Minimize() {
    HWND window = window_.Get();
    if (IsIconic(window))
        return;
    SetActiveWindow(window);
    if (mainForm_ && mainForm_->HandleAllocated()) {
        // Sit on the strip so that the platform's animation starts from it.
        SetWindowPos(window, mainForm_->Handle(), mainForm_->Left(), mainForm_->Top(), mainForm_->Width(), 0,
                     SWP_SHOWWINDOW);
    }
    DefWindowProcW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (auto& form : forms_)
        if (form->HandleAllocated() && IsWindowVisible(form->Handle()))
            ShowWindow(form->Handle(), SW_HIDE); // stays Visible(): shown again by Restore
}

void Application::Restore() {
    HWND window = window_.Get();
    if (!IsIconic(window))
        return;
    DefWindowProcW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    CentreZeroSize();
    for (auto& form : forms_)
        if (form->Visible() && form->HandleAllocated() && !IsWindowVisible(form->Handle()))
            ShowWindow(form->Handle(), SW_SHOWNA);
    if (mainForm_ && mainForm_->HandleAllocated())
        SetActiveWindow(mainForm_->Handle());
}

std::vector<HWND> Application::DisableTaskWindows(HWND except) {
    std::vector<HWND> disabled;
    ThreadWindows search{except, &disabled};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<ThreadWindows*>(parameter);
            if (window != search->except && IsWindowVisible(window) && IsWindowEnabled(window))
                search->found->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND window : disabled)
        EnableWindow(window, FALSE);
    return disabled;
}

void Application::EnableTaskWindows(const std::vector<HWND>& windows) {
    for (HWND window : windows)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

void Application::NormalizeTopMosts() {
    // Each level remembers only what it moved out of the band, so that an error box inside a
    // modal window puts back exactly what it took.
    std::vector<HWND> moved;
    for (auto& form : forms_) {
        if (!form->HandleAllocated())
            continue;
        HWND window = form->Handle();
        if (IsWindowVisible(window) && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
            SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            moved.push_back(window);
        }
    }
    normalizedTopMosts_.push_back(std::move(moved));
}

void Application::RestoreTopMosts() {
    if (normalizedTopMosts_.empty())
        return;
    for (HWND window : normalizedTopMosts_.back())
        if (IsWindow(window))
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    normalizedTopMosts_.pop_back();
}

TaskWindowsDisabled::TaskWindowsDisabled(HWND except, bool leaveTopmostBand)
    : active_(GetActiveWindow()), topmostsNormalized_(leaveTopmostBand && Application::Exists()) {
    if (!Application::Exists())
        return;
    Application& application = Application::Instance();
    windows_ = application.DisableTaskWindows(except);
    if (topmostsNormalized_)
        application.NormalizeTopMosts();
}

void TaskWindowsDisabled::Restore() {
    if (restored_ || !Application::Exists())
        return;
    restored_ = true;
    Application& application = Application::Instance();
    application.EnableTaskWindows(windows_);
    if (topmostsNormalized_)
        application.RestoreTopMosts();
}

TaskWindowsDisabled::~TaskWindowsDisabled() {
    Restore();
    if (active_ && IsWindow(active_))
        SetActiveWindow(active_);
}

void Application::HandleException(const std::exception& error) noexcept {
    try {
        if (HWND capture = GetCapture())
            SendMessageW(capture, WM_CANCELMODE, 0, 0);
        const std::wstring text = Widen(ErrorReportText(error.what()));
        TaskWindowsDisabled disabled;
        MessageBoxW(window_.Get(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Reporting failed (out of memory): nothing better is left to do.
    }
}

LRESULT Application::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.Get();
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
        if (!modalForms_.empty())
            SetFocus(modalForms_.back()->Handle());
        else if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle()))
            SetFocus(mainForm_->Handle());
        return 0;
    case WM_WININICHANGE:
        if (OnSettingChange)
            OnSettingChange();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Application::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* application = reinterpret_cast<Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!application || !application->window_)
        return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    if (!Guarded([&] { result = application->WindowProc(message, wParam, lParam); }))
        result = DefWindowProcW(window, message, wParam, lParam);
    return result;
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
        const auto* known = dynamic_cast<const Exception*>(&error);
        std::wstring module = ModuleFileName();
        module = module.substr(module.find_last_of(L"\\:") + 1);
        const std::wstring text = L"Exception " + Widen(known ? known->ClassName() : "std::exception") +
                                  L" in module " + module + L".\n" + Widen(ErrorReportText(error.what()));
        MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

} // namespace tk
