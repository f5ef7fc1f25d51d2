// The controls with a window of their own, drawn by the platform: push button, memo, one-line
// edit, combo box and radio button, and the tab order that joins them. They take the keyboard
// focus.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "toolkit/WinControl.h"

namespace tk {

// A push button, a tab stop. It is never the default button, so Enter on another control does
// not press it; Enter on the button itself does, as Space does. A click (mouse, Space, Enter,
// or BM_CLICK) runs OnClick.
class Button : public WinControl {
public:
    Button(Form& parent, Bounds bounds96, std::string caption, const FontSpec* font = nullptr);

    std::function<void()> OnClick;
    void Command(WORD notification) override;

protected:
    bool ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A multi-line text box: editable, lines wrapped at its width, no scroll bars, a tab stop.
// The text is UTF-8 with "\r\n" line breaks; SetText replaces the whole text and turns a bare
// "\n" into "\r\n", which is what the box needs to break a line. Enter starts a new line; Esc
// does nothing (the platform's multi-line edit would ask its form to close, so that a stray Esc
// dismissed what the user was reading or writing).
class Memo : public WinControl {
public:
    Memo(Form& parent, Bounds bounds96, std::string text = {}, const FontSpec* font = nullptr);

    void SetText(const std::string& text);

protected:
    bool ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A one-line text box: editable, scrolls sideways for a long text, a tab stop.
class Edit : public WinControl {
public:
    Edit(Form& parent, Bounds bounds96, std::string text = {}, const FontSpec* font = nullptr);
};

// An editable drop-down list: the user picks an item or types any text, and Text() reads
// whichever is in the box. `bounds96` gives the closed box; it is made exactly that high (21
// pixels in the dialogs), its items 13 pixels high, and the list shows at most eight of them and
// scrolls for the rest. The items keep the order they are given in. A tab stop. Its text field,
// which takes the focus, carries the box's label too.
class ComboBox : public WinControl {
public:
    ComboBox(Form& parent, Bounds bounds96, std::vector<std::string> items, std::string text,
             const FontSpec* font = nullptr);

    void DpiChanged(int dpi) override;

    static constexpr int ItemHeight = 13;  // at 96 dpi
    static constexpr int VisibleItems = 8; // items the open list shows before it scrolls

protected:
    void CreateHandle(HWND parentWindow, int dpi) override;

private:
    void FitHeights(int dpi);

    int boxHeight96_;
    std::vector<std::string> items_;
};

// A radio button. Radio buttons next to each other in the tab order form one group (see
// ArrangeTabOrder): when the user checks one, the others are unchecked; once one is checked the
// user can switch but not return to none. The program never checks one itself. Once one is
// checked, only it is a tab stop (the platform's buttons move the tab stop as they are checked);
// while none is, the group's first button is, so that the keyboard reaches the group: the arrow
// keys then move between the buttons and check the one they reach, and Space checks it.
class RadioButton : public WinControl {
public:
    RadioButton(Form& parent, Bounds bounds96, std::string caption, const FontSpec* font = nullptr);

    bool Checked() const;
};

// Puts the form's windowed controls (created already) into this order for Tab, and makes each
// a group of its own for the arrow keys, except radio buttons that follow each other in the
// order, which form one group; a group with none checked gets its tab stop at its first button.
void ArrangeTabOrder(std::initializer_list<const WinControl*> order);

} // namespace tk
