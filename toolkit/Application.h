// The application object: the hidden zero-size window that carries the program's only taskbar
// entry, the forms created through it, the message loop, minimise/restore of the whole program,
// and the owner and caption of the error report (toolkit/ErrorReport.h).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ErrorReport.h"
#include "toolkit/ExecutablePath.h"
#include "toolkit/Handles.h"
#include "toolkit/WindowClass.h"

namespace tk {

class Form;

class Application : private WindowTarget {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The one instance; valid between construction and destruction.
    static Application& Instance();
    static bool Exists() noexcept;

    // Builds a form; the first one created becomes the main form and gets its window at once.
    template <class F, class... Args>
    F& CreateForm(Args&&... args) {
        auto form = std::make_unique<F>(*this, std::forward<Args>(args)...);
        F& ref = *form;
        AddForm(std::move(form));
        return ref;
    }

    // Shows the main form by the process's start show state and dispatches messages until the
    // application is terminated.
    void Run(int showCommand);
    void Terminate(); // posts the quit message
    bool Terminated() const noexcept { return terminated_; }

    // One message from the queue, waited for when none is there.
    void HandleMessage();
    // For tests: dispatches everything waiting, without waiting.
    void ProcessMessages();
    // Runs `work` from the next HandleMessage that finds the queue empty, i.e. once the forms
    // on screen are drawn and the user has not yet acted: for what the user will soon need but
    // does not wait for yet. An error it raises goes to the error report.
    void WhenIdle(std::function<void()> work);

    void Minimize();
    void Restore();

    HWND Handle() const noexcept { return window_.Get(); }
    const std::wstring& Title() const noexcept { return title_; } // read by tests
    Form* MainForm() const noexcept { return mainForm_; }
    HICON Icon() const noexcept { return icon_.Get(); }

    // Broadcasts that reach every top-level window, taken on the application window: the
    // regional or other settings changed (WM_SETTINGCHANGE), the system time was set
    // (WM_TIMECHANGE), the machine resumed from sleep (WM_POWERBROADCAST).
    std::function<void()> OnSettingChange;
    std::function<void()> OnTimeChange;
    std::function<void()> OnResume;

    // The forms in order of creation.
    const std::vector<std::unique_ptr<Form>>& Forms() const noexcept { return forms_; }
    // The zero-size application window is shown with the first form: it is the taskbar entry.
    void ShowTaskbarEntry();

private:
    void AddForm(std::unique_ptr<Form> form);
    bool ProcessMessage();
    void Dispatch(MSG& message);
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void CentreZeroSize();
    void HideForms();

    BoundWindow window_;
    OwnedIcon icon_;
    std::wstring title_;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    std::vector<std::function<void()>> idleWork_;
};

} // namespace tk
