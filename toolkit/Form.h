// Forms. A form is created once, hidden until shown, never destroyed before the application
// ends; its layout is data at 96 dpi, scaled to the screen it is on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Accessible.h"
#include "toolkit/Dpi.h"
#include "toolkit/Focus.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Handles.h"
#include "toolkit/Modal.h"
#include "toolkit/Tooltip.h"
#include "toolkit/WinControl.h"
#include "toolkit/WindowClass.h"

namespace tk {

class Application;

enum class BorderStyle { None, Dialog, ToolWindow };

// Whether the system's high-contrast mode is on (SPI_GETHIGHCONTRAST), replaceable so that tests
// can turn it on. Asked when a form's window is made and when the system's colours or that mode
// change.
extern bool (*HighContrastOn)();

struct FormLayout {
    const char* Caption = "";
    Bounds Bounds96;      // left and top: stored screen position; width, height: client size
    BorderStyle Border = BorderStyle::Dialog;
    bool StayOnTop = false;
    BYTE Alpha = 255;     // below 255 the whole window is drawn translucent at that alpha
    // Background; CLR_INVALID: the button-face colour. High contrast puts the system's in its place.
    COLORREF Color = CLR_INVALID;
    FontSpec Font;
    const wchar_t* Icon = nullptr; // resource name of the window's big icon
    // The form's own tooltip (OnHint): how long it stays up, and its widest line at 96 dpi.
    int HintAutoPop = Tooltip::AutoPopDelay; // ms
    int HintMaxWidth = 300;
    // What screen readers are told the window is: a dialog (they read its texts when it
    // opens), or else a plain window's client area.
    bool AccessibleDialog = false;
};

class Form : private WindowTarget, public ModalWindow {
public:
    Form(Application& application, const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The form's window; null until it is made (by EnsureHandle, or by showing the form).
    HWND Handle() const noexcept { return window_.Get(); }
    bool HandleAllocated() const noexcept { return static_cast<bool>(window_); }
    // Makes the window, and the windowed controls', if they are not there yet; returns it.
    HWND EnsureHandle();
    // Destroys the window (and with it the windowed controls); the application does this for
    // every form before it destroys any, so no message reaches a form whose controls are gone.
    void DestroyHandle();
    Application& App() const noexcept { return app_; }

    int Dpi() const noexcept { return dpi_; }
    int Scale(int value96) const noexcept { return ScaleToDpi(value96, dpi_); }
    HFONT Font() const noexcept { return font_.Get(); }
    // The background, and the colour of text in `font` on it: the layout's own, or, while the
    // system's high-contrast mode is on, the system's.
    COLORREF Color() const noexcept;
    COLORREF TextColor(const FontSpec& font) const noexcept;

    // Window bounds in screen pixels.
    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetBounds(int left, int top, int width, int height);

    void Show();
    void ShowState(int showCommand); // Show with a ShowWindow state (maximised, ...)
    void Hide();
    bool Visible() const noexcept { return visible_; } // shown, though maybe minimised away
    // Shows the form modally and returns its modal result when it closes (toolkit/Modal.h).
    int ShowModal();
    // A modal form's close only marks its showing finished (toolkit/Modal.h); the main form's
    // ends the program; any other form hides.
    void Close();

    void Invalidate(const RECT* area = nullptr);

    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;
    // WM_CONTEXTMENU: screen position, or {-1,-1} from the keyboard.
    std::function<void(POINT)> OnContextPopup;
    // The form's own tooltip, over its background and the controls without a tooltip of their
    // own; set before the window exists. Its text (UTF-8, lines broken by "\r\n") is asked for
    // when the pointer has rested, and once a second while it shows; an empty text shows nothing.
    std::function<std::string()> OnHint;
    // WM_DISPLAYCHANGE: the screens' layout or resolution changed.
    std::function<void()> OnDisplayChange;

    // What the form's accessible object (toolkit/Accessible.h) reads.
    const std::vector<GraphicControl*>& DrawnControls() const noexcept { return drawn_.All(); }
    const std::vector<WinControl*>& WindowedControls() const noexcept { return children_; }
    bool AccessibleDialog() const noexcept { return layout_.AccessibleDialog; }
    // What readers hear the window called: its window text, unless a name is set here.
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    const std::string& AccessibleName() const noexcept { return accessibleName_; }
    // Runs the control's default action from the message loop, once the caller has returned;
    // false when the form has no window to post to.
    bool PostDefaultAction(const GraphicControl& control);

protected:
    // Creates the window and its windowed controls; override to do more once it exists.
    virtual void CreateWnd();
    // Some part of the window's bounds lies on a monitor.
    bool OnSomeMonitor() const noexcept;

private:
    friend class GraphicControl;
    friend class WinControl;

    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowBound(HWND window) override { window_.Reset(window); }
    void WindowUnbound() override;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    void AddDrawnControl(GraphicControl* control);
    int AddWindowedControl(WinControl* control);
    WinControl* ChildOf(LPARAM handle) const; // the windowed control of that handle

    LRESULT KeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void NextControl(WPARAM wParam, LPARAM lParam);
    LRESULT ContextMenuMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ControlColorMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NotifyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ActivateMessage(WPARAM wParam, LPARAM lParam);
    HWND ModalHandle() override { return EnsureHandle(); }
    void ShowForModal() override;
    void HideAfterModal() override { Hide(); }
    void CentreOnDesktop();
    void ApplyTranslucency();
    void ApplyColors();
    void ColorsChanged();
    void PaintMessage();
    void ApplyIcon();
    void WindowMoved();
    void ChangeDpi(int dpi, const RECT& suggested);
    void AdoptDpi(int dpi);
    void FitFrameToClient();

    Application& app_;
    FormLayout layout_;
    OwnedWindow window_;
    OwnedFont font_;
    OwnedBrush background_;
    Tooltip tooltip_;
    DrawnControlDispatcher drawn_{*this};
    std::vector<WinControl*> children_;
    int dpi_;
    int left_, top_, width_, height_;
    bool visible_ = false;
    bool shownBefore_ = false;
    bool iconDue_ = false; // the layout's icon, set once the window has first been painted
    KeptAccessible accessible_; // made at a screen reader's first request
    bool highContrast_ = false; // the system's high-contrast mode, as last asked
    FocusMemory focus_;
    std::string accessibleName_;
};

} // namespace tk
