// The base of the child controls with a window of their own (buttons, edits, ...): built before
// its form's window, its own window made when the form makes its one. The controls themselves
// are in WindowedControls.h.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Dpi.h"
#include "toolkit/Handles.h"

namespace tk {

class Form;
class GraphicControl;

// Registers the common controls' classes (and loads their DLL) the first time a control or a
// tooltip of ours needs them, not at start.
void EnsureCommonControls();

struct ControlLayout {
    const wchar_t* WindowClass = L"STATIC";
    Bounds Bounds96;
    const char* Caption = "";
    DWORD Style = 0;
    DWORD ExStyle = 0;
    const FontSpec* Font = nullptr; // null: the form's font; else static data
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

    // The drawn label that says what the control holds. Screen readers take its text for the
    // control's name: the platform names an edit by a label window before it, and a drawn label
    // has no window to find.
    void LabelledBy(const GraphicControl& label) noexcept { label_ = &label; }

protected:
    friend class Form;
    virtual void CreateHandle(HWND parentWindow, int dpi);
    // The control's own font at `dpi`, given to its window before the one it had is freed.
    void ApplyFont(int dpi);
    // The messages of the control's window, and of any window passed to Subclass, before the
    // platform's class procedure sees them: true when handled here, with `result` to return.
    // This base answers screen readers' requests for a labelled control's object.
    virtual bool ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Subclass(HWND window);

    Form& parent_;
    ControlLayout layout_;
    std::string text_;
    HWND handle_ = nullptr; // borrowed: destroyed with the form's window
    OwnedFont font_;
    int id_;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR control);

    const GraphicControl* label_ = nullptr;
};

} // namespace tk
