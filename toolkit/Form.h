// Forms and the control bases. A form is created once, hidden until shown, never destroyed before
// the application ends; its layout is data at 96 dpi, scaled to the screen when it is built.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Handles.h"

namespace tk {

class Application;
class Form;

// 96-dpi layout values become screen pixels through this.
int ScreenDpi();
inline int ScaleToDpi(int value, int dpi) { return MulDiv(value, dpi, 96); }

struct FontSpec {
    const wchar_t* face = L"MS Sans Serif";
    int height = 11; // character height in pixels at 96 dpi
    bool bold = false;
    BYTE charset = DEFAULT_CHARSET;
    COLORREF color = CLR_INVALID; // CLR_INVALID: the window-text colour
};

OwnedFont CreateFontFor(const FontSpec& font, int dpi);
COLORREF TextColorOf(const FontSpec& font);

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

enum class BorderStyle { None, Dialog, ToolWindow };

struct FormLayout {
    const char* caption = "";
    Bounds bounds;        // left and top: stored screen position; width, height: client size
    BorderStyle border = BorderStyle::Dialog;
    bool stayOnTop = false;
    BYTE alpha = 255;     // below 255 the whole window is drawn translucent at that alpha
    COLORREF color = CLR_INVALID; // background; CLR_INVALID: the button-face colour
    FontSpec font;
    const wchar_t* icon = nullptr; // resource name of the window's big icon
};

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton button = MouseButton::Left; // meaningless for moves
    WPARAM keys = 0;
    POINT client{}; // in the form's client coordinates
};

using MouseHandler = std::function<void(const MouseEvent&)>;

// A control drawn by its form, without a window of its own (a label, a flat speed button).
class GraphicControl {
public:
    GraphicControl(Form& parent, Bounds bounds96);
    virtual ~GraphicControl() = default;
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;

    RECT BoundsRect() const noexcept { return bounds_; } // client pixels
    void SetBoundsRect(const RECT& bounds);
    bool Contains(POINT client) const noexcept { return PtInRect(&bounds_, client) != FALSE; }
    void Invalidate();
    Form& Parent() const noexcept { return parent_; }

    bool visible = true;
    bool enabled = true;
    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;

    virtual void Paint(HDC dc) = 0;
    virtual void MouseDown(const MouseEvent& event);
    virtual void MouseMove(const MouseEvent& event);
    virtual void MouseUp(const MouseEvent& event);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // The left-button capture ended without a release reaching the control.
    virtual void CaptureLost() {}
    // A tooltip text, shown by the form after the pointer rests on the control.
    virtual const std::wstring* Hint() const { return nullptr; }
    // The form moved to a screen of another resolution: lay out again from the 96-dpi bounds.
    virtual void DpiChanged(int dpi);
    const Bounds& Bounds96() const noexcept { return bounds96_; }

protected:
    Form& parent_;
    Bounds bounds96_;
    RECT bounds_{};
};

// A child control with a window of its own (buttons, edits, ...), created with its form.
struct ControlLayout {
    const wchar_t* windowClass = L"STATIC";
    Bounds bounds;
    const char* caption = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    const FontSpec* font = nullptr; // null: the form's font
};

class WinControl {
public:
    WinControl(Form& parent, const ControlLayout& layout);
    virtual ~WinControl() = default;
    WinControl(const WinControl&) = delete;
    WinControl& operator=(const WinControl&) = delete;

    HWND Handle() const noexcept { return handle_; }
    int Id() const noexcept { return id_; }
    std::string Text() const;
    void SetText(const std::string& text);
    RECT BoundsRect() const; // in the form's client coordinates

    // WM_COMMAND notifications from this control.
    virtual void Command(WORD notification) { (void)notification; }
    // WM_CTLCOLOR*: return a brush to paint the control's background, or null for the default.
    virtual HBRUSH ControlColor(HDC dc) { (void)dc; return nullptr; }
    virtual void DpiChanged(int dpi);

protected:
    friend class Form;
    virtual void CreateHandle(HWND parentWindow, int dpi);

    Form& parent_;
    ControlLayout layout_;
    std::string text_;
    HWND handle_ = nullptr; // destroyed with the form's window
    OwnedFont font_;
    int id_;
};

class Form {
public:
    Form(Application& application, const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The form's window, created on first need.
    HWND Handle();
    bool HandleAllocated() const noexcept { return static_cast<bool>(window_); }
    // Destroys the window (and with it the windowed controls); the application does this for
    // every form before it destroys any, so no message reaches a form whose controls are gone.
    void DestroyHandle();
    Application& App() const noexcept { return app_; }

    int Dpi() const noexcept { return dpi_; }
    int Scale(int value96) const noexcept { return ScaleToDpi(value96, dpi_); }
    HFONT Font() const noexcept { return font_.Get(); }
    COLORREF Color() const noexcept;

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
    // Shows the form modally and returns its modal result when it closes. Refuses a form that is
    // already on screen with EInvalidOperation "Cannot make a visible window modal".
    int ShowModal();
    // The main form's close ends the program; a modal form's only marks its showing finished;
    // any other form hides.
    void Close();
    int modalResult = 0;
    static constexpr int mrCancel = 2;

    void Invalidate(const RECT* area = nullptr);

    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;
    // WM_CONTEXTMENU: screen position, or {-1,-1} from the keyboard.
    std::function<void(POINT)> OnContextPopup;
    // The form's own tooltip, over its background and the controls without a tooltip of their
    // own; set before the window exists. Its text (UTF-8, lines broken by "\r\n") is asked for
    // when the pointer has rested, and once a second while it shows; an empty text shows nothing.
    std::function<std::string()> OnHint;

protected:
    // Creates the window and its windowed controls; override to do more once it exists.
    virtual void CreateWnd();
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Fills the background, then draws the graphic controls in creation order.
    virtual void Paint(HDC dc, const RECT& area);

private:
    friend class GraphicControl;
    friend class WinControl;
    friend class Application;
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    void MouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    GraphicControl* ControlAt(POINT client) const;
    void SetHover(GraphicControl* control);
    void AddTooltip(GraphicControl* control, std::size_t index);
    HWND EnsureTooltip();
    void AddFormHint();
    LRESULT HintNotify(const NMHDR& header);
    void CentreOnDesktop();
    void ApplyTranslucency();
    void WindowMoved();
    void ChangeDpi(int dpi, const RECT& suggested);
    bool IsModal() const noexcept { return modalLevel_ > 0; }

    Application& app_;
    FormLayout layout_;
    OwnedWindow window_;
    OwnedFont font_;
    OwnedBrush background_;
    OwnedWindow tooltip_;
    std::wstring hintText_; // the form hint's text while it is asked for or shown
    int dpi_;
    int left_, top_, width_, height_;
    bool visible_ = false;
    bool shownBefore_ = false;
    int modalLevel_ = 0;
    std::vector<GraphicControl*> graphics_;
    std::vector<WinControl*> children_;
    GraphicControl* captureControl_ = nullptr;
    bool captured_ = false;
    GraphicControl* hoverControl_ = nullptr;
    bool trackingLeave_ = false;
};

} // namespace tk
