// Modality: the modal stack and what closing a modal window means, disabling the program's other
// windows and reactivating the one that was active, taking the program's topmost windows (forms
// and its own boxes) out of the topmost band and back, the keys of the innermost modal window,
// and the platform's boxes and common dialogs shown over the program's windows.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace tk {

// What a window shown modally gives modality: Form is one. The result is what the showing
// returns; a close request during the showing sets it to ModalCancel.
class ModalWindow {
public:
    int ModalResult = 0;
    static constexpr int ModalCancel = 2;

    // The window, made if it is not there yet.
    virtual HWND ModalHandle() = 0;
    // Shown and activated with the focus on its first control; hidden when the showing ends.
    virtual void ShowForModal() = 0;
    virtual void HideAfterModal() = 0;

protected:
    ~ModalWindow() = default;
};

// Shows `window` modally and runs a nested message loop until its showing is marked finished or
// the application ends; returns the modal result. A window already on screen is refused with
// EInvalidOperation "Cannot make a visible window modal".
int RunModal(ModalWindow& window);

// A close request for `window`: true when it is shown modally, whose showing it then marks
// finished (with the cancel result); false when the caller decides what closing means.
bool EndModalShowing(ModalWindow& window) noexcept;

// The innermost window shown modally, or null.
HWND InnermostModalWindow() noexcept;

// Tab and arrow keys move between the controls of the innermost modal window: true when
// `message` was one of them and has been handled.
bool ModalKeyMessage(MSG& message);

// The window to work in once the program is restored: the innermost modal window, which the
// others are disabled behind, or else `main`.
HWND WindowToActivate(HWND main) noexcept;

// How a box or common dialog of the platform stands to the program's windows.
enum class BoxKind {
    // The error report, owned by the application window: the program's other windows are
    // disabled and leave the topmost band at once; as the box hides they are enabled again and
    // the window that was active is activated.
    ErrorReport,
    // The open-file dialog, owned by the application window: the other windows are disabled,
    // the dialog stands in front once it is up, and they are enabled again as it hides.
    OpenFileDialog,
    // The program's own boxes, owned by no window: the program's windows stay usable. While a
    // modal window is up, the program's topmost windows leave the band once the box is up and
    // the box is raised above them; otherwise the box joins the topmost band at its top.
    OwnBox,
};

// The parts modality is built of.
// - For one scope the program's visible topmost windows, its forms and the boxes of its own that
//   joined the band, leave the topmost band, so that a window or box that is not topmost itself
//   comes in front of them; each scope puts back exactly what it took, so nested scopes unwind.
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

// - For one scope, the program's visible, enabled top-level windows other than `except` are
//   disabled and the active window is remembered; with `leaveTopmostBand`, the program's topmost
//   windows also leave the topmost band. A form shown but hidden because the program is
//   minimised counts as visible: it must not come back usable behind a modal window. Restore()
//   (or the destructor) undoes it; the destructor then reactivates the remembered window.
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

// For one scope, a box or common dialog of the platform (of `kind`, owned by `owner`) is up over
// the program's windows; everything is put back when the scope ends. Every box of the program's
// own that is open while a modal window or another such scope begins leaves the topmost band
// with the forms, and comes back with them, so that the newest box always stands in front.
class BoxScope {
public:
    explicit BoxScope(BoxKind kind, HWND owner = nullptr);
    ~BoxScope();
    BoxScope(const BoxScope&) = delete;
    BoxScope& operator=(const BoxScope&) = delete;
    // The program's window that was active when the scope began.
    HWND Active() const noexcept { return disabled_ ? disabled_->Active() : active_; }
    // The box of a scope still open that joined the topmost band (no modal window was up): it
    // leaves the band with the forms when a modal window or another box begins.
    static void BoxesInBand(std::vector<HWND>& boxes);

private:
    static LRESULT CALLBACK ActivateHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK HidingHook(int code, WPARAM wParam, LPARAM lParam);

    BoxKind kind_;
    HWND owner_;
    HWND active_;
    BoxScope* outer_;
    std::optional<OtherWindowsDisabled> disabled_;
    HHOOK activateHook_ = nullptr;
    HHOOK hidingHook_ = nullptr;
    HWND box_ = nullptr; // the box, once it came up
    std::optional<OutOfTopmostBand> band_; // left once the box came up over a modal window
};

} // namespace tk
