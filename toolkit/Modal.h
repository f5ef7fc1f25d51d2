// Everything about modality in one place: the modal stack, disabling the program's other windows,
// taking its topmost windows out of the topmost band and back, and reactivating the window that
// was active. Modal forms, the error report and the open-file dialog all go through it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace tk {

class Form;

// For one scope the program's visible topmost windows leave the topmost band, so that a window
// or box that is not topmost itself comes in front of them; they go back when the scope ends.
// Each scope puts back exactly what it took, so nested scopes unwind correctly.
class OutOfTopmostBand {
public:
    OutOfTopmostBand();
    ~OutOfTopmostBand() { Restore(); }
    OutOfTopmostBand(const OutOfTopmostBand&) = delete;
    OutOfTopmostBand& operator=(const OutOfTopmostBand&) = delete;
    void Restore();

private:
    std::vector<HWND> moved_;
};

// For one scope in which the platform shows a box or a common dialog of its own (the program's
// message boxes, the open-file dialog): once that window comes up, it stands in front of the
// program's topmost windows, so it is never hidden behind the window that asked for it.
// - While a modal window is up (the box comes from it), the program's topmost windows leave the
//   topmost band and the box is raised above them; they go back when the scope ends. The band is
//   left only once the box exists, because a box made later would otherwise still be placed below
//   owned windows that some platforms leave in the band.
// - Otherwise the box joins the topmost band itself, at its top, and the program's topmost
//   windows stay in the band: nothing of another program can come over them while it shows.
class BoxInFront {
public:
    BoxInFront();
    ~BoxInFront();
    BoxInFront(const BoxInFront&) = delete;
    BoxInFront& operator=(const BoxInFront&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
    BoxInFront* outer_;
    HWND box_ = nullptr; // the box, once it came up
    std::optional<OutOfTopmostBand> band_;
};

// For one scope, the program's visible, enabled top-level windows other than `except` are
// disabled and the active window is remembered; with `leaveTopmostBand`, the program's topmost
// windows also leave the topmost band. A form shown but hidden because the program is minimised
// counts as visible: it must not come back usable behind a modal window. Restore() (or the
// destructor) undoes it; the destructor then reactivates the remembered window.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND except = nullptr, bool leaveTopmostBand = true);
    ~OtherWindowsDisabled();
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
    HWND Active() const noexcept { return active_; }
    void Restore();
    // Restore, and the remembered window activated at once.
    void RestoreAndReactivate();
    // While some scope is alive, a modal window (or box) of the program is up.
    static bool AnyAlive() noexcept { return alive_ > 0; }

private:
    std::vector<HWND> windows_;
    HWND active_;
    std::optional<OutOfTopmostBand> band_;
    bool restored_ = false;
    static inline int alive_ = 0;
};

// For one scope in which a box or common dialog of the platform, owned by `owner`, runs its own
// loop while `disabled` keeps the program's other windows disabled (the error report, the
// open-file dialog): as the box begins to hide, still inside its loop, the windows are enabled
// again and the one that was active is activated. The platform moves the activation as the box
// hides, before the box is destroyed: were the program's windows still disabled then, it would
// activate another program's window instead.
class EnabledAgainAsBoxHides {
public:
    EnabledAgainAsBoxHides(OtherWindowsDisabled& disabled, HWND owner);
    ~EnabledAgainAsBoxHides();
    EnabledAgainAsBoxHides(const EnabledAgainAsBoxHides&) = delete;
    EnabledAgainAsBoxHides& operator=(const EnabledAgainAsBoxHides&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    OtherWindowsDisabled& disabled_;
    HWND owner_;
    HHOOK hook_;
    EnabledAgainAsBoxHides* outer_;
};

// The innermost form shown modally, or null: it gets dialog keyboard handling (Tab order) in
// the message loop, and the focus when the taskbar entry is activated.
Form* InnermostModalForm() noexcept;

// Shows `form` modally and runs a nested message loop until the form's showing is marked finished
// or the application ends; returns the modal result. Form::ShowModal is this.
int RunModal(Form& form);

} // namespace tk
