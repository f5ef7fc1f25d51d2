// The base of the controls without a window of their own, and their dispatcher: the form paints
// them, finds the one under the pointer, tells them when the pointer comes and goes, and gives
// the left button's capture to the one it was pressed on. The controls themselves are in
// DrawnControls.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Dpi.h"

namespace tk {

class Form;

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton Button = MouseButton::Left; // meaningless for moves
    WPARAM Keys = 0;
    POINT Client{}; // in the form's client coordinates
};

using MouseHandler = std::function<void(const MouseEvent&)>;

// What a screen reader is told a drawn control is (toolkit/FormAccessible.cpp maps each to its
// MSAA role).
enum class AccessibleRole { Text, PushButton, Grouping, Graphic, TimeDisplay };

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

    bool Visible = true;
    bool Enabled = true;
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
    // The visual style changed: theme data opened before is stale.
    virtual void ThemeChanged() {}
    // The form's window has been made: what waited for it to be needed is done now.
    virtual void FormWindowCreated() {}

    // What screen readers are told of the control (toolkit/Accessible.h): its role, Text unless
    // its kind's constructor sets another (DrawnControls.cpp), and its text for its name; a form
    // may give a role or a name of its own (a label that shows the time, a picture, which has
    // no text).
    AccessibleRole Role = AccessibleRole::Text;
    std::string AccessibleName;
    std::function<std::string()> OnAccessibleDescription; // unset: no description
    virtual std::string Name() const { return AccessibleName; }
    // The default action's verb (empty: the control has none), and the action itself; the form
    // runs it from a posted message, never inside a screen reader's request.
    virtual std::string DefaultAction() const { return {}; }
    virtual void DoDefaultAction() {}

protected:
    Form& parent_;
    Bounds bounds96_;
    RECT bounds_{};
};

// A visual style's data for one class of parts (uxtheme's HTHEME), opened at the first paint and
// again after the style changed; none while the program is drawn without visual styles.
class ThemeData {
public:
    explicit ThemeData(const wchar_t* classList) noexcept : classList_(classList) {}
    ~ThemeData() { Reset(); }
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;
    HANDLE Get(HWND window);
    void Reset() noexcept;

private:
    const wchar_t* classList_;
    HANDLE theme_ = nullptr;
    bool opened_ = false;
};

// The drawn controls of one form, in creation order: later ones lie on top of earlier ones.
class DrawnControlDispatcher {
public:
    explicit DrawnControlDispatcher(Form& form) : form_(form) {}

    void Add(GraphicControl* control) { controls_.push_back(control); }
    const std::vector<GraphicControl*>& All() const noexcept { return controls_; }
    // The form's window goes: no message may reach a control any more.
    void Clear() noexcept;

    // A WM_PAINT: the background and the controls meeting the paint rectangle, drawn off-screen
    // in a bitmap of that rectangle's size, then copied at once, so nothing flickers.
    void PaintWindow(HWND window, HBRUSH background) const;
    GraphicControl* At(POINT client) const;

    // The mouse messages of the form's client area; the form's own handlers get what falls on
    // no control.
    void Mouse(UINT message, WPARAM wParam, LPARAM lParam);
    void MouseLeft();
    // The capture went elsewhere (a modal window, the error report, the system) while a left
    // press held it: the control it was pressed on gets its release at the last known point, as
    // if the button had come up there, so that a press never stays held with no button down.
    void CaptureChanged(HWND newCapture);
    void CancelMode();
    void DpiChanged(int dpi);
    void ThemeChanged();

private:
    void SetHover(GraphicControl* control);
    void Release(GraphicControl* target, const MouseEvent& event);

    Form& form_;
    std::vector<GraphicControl*> controls_;
    GraphicControl* captureControl_ = nullptr;
    bool captured_ = false;
    MouseEvent lastLeft_; // the last left-button message while the capture was held
    GraphicControl* hoverControl_ = nullptr;
    bool trackingLeave_ = false;
};

} // namespace tk
