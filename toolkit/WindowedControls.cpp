#include "toolkit/WindowedControls.h"

#include <commctrl.h>

#include <utility>

#include "toolkit/Form.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

// The font pointer is kept by the control until its window exists, so it must be static data.
ControlLayout WindowedLayout(const wchar_t* windowClass, Bounds bounds, DWORD style, DWORD exStyle,
                             const FontSpec* font) {
    return {.WindowClass = windowClass, .Bounds96 = bounds, .Caption = "", .Style = style, .ExStyle = exStyle,
            .Font = font};
}

} // namespace

// ---- Button ---------------------------------------------------------------------------------

Button::Button(Form& parent, Bounds bounds96, std::string caption, const FontSpec* font)
    : WinControl(parent, WindowedLayout(L"BUTTON", bounds96, BS_PUSHBUTTON | WS_TABSTOP, 0, font)) {
    WinControl::SetText(caption);
}

void Button::Command(WORD notification) {
    if (notification == BN_CLICKED && OnClick)
        OnClick();
}

// The dialog manager presses only a default button on Enter, and a form has none: the button
// asks for Enter itself and clicks as the dialog manager would, through its form's WM_COMMAND.
bool Button::ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const MSG* key = message == WM_GETDLGCODE ? reinterpret_cast<const MSG*>(lParam) : nullptr;
    if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) && key->wParam == VK_RETURN) {
        result = DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTMESSAGE;
        return true;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        if (!(lParam & (1 << 30)) && IsWindowEnabled(window)) // not the key's auto-repeat
            SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(window));
        return true;
    }
    if (message == WM_CHAR && wParam == VK_RETURN)
        return true;
    return WinControl::ControlMessage(window, message, wParam, lParam, result);
}

// ---- Memo -----------------------------------------------------------------------------------

Memo::Memo(Form& parent, Bounds bounds96, std::string text, const FontSpec* font)
    : WinControl(parent, WindowedLayout(L"EDIT", bounds96,
                                        ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_TABSTOP,
                                        WS_EX_CLIENTEDGE, font)) {
    SetText(text);
}

void Memo::SetText(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            lines += '\r';
        lines += text[i];
    }
    WinControl::SetText(lines);
}

bool Memo::ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE)
        return true;
    return WinControl::ControlMessage(window, message, wParam, lParam, result);
}

// ---- Edit -----------------------------------------------------------------------------------

Edit::Edit(Form& parent, Bounds bounds96, std::string text, const FontSpec* font)
    : WinControl(parent, WindowedLayout(L"EDIT", bounds96, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, font)) {
    SetText(text);
}

// ---- ComboBox -------------------------------------------------------------------------------

namespace {

// The window of a drop-down combo box is as high as the closed box and its open list together.
Bounds WithOpenList(Bounds box) {
    box.Height += ComboBox::VisibleItems * ComboBox::ItemHeight + 2;
    return box;
}

} // namespace

ComboBox::ComboBox(Form& parent, Bounds bounds96, std::vector<std::string> items, std::string text,
                   const FontSpec* font)
    : WinControl(parent, WindowedLayout(L"COMBOBOX", WithOpenList(bounds96),
                                        CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, font)),
      boxHeight96_(bounds96.Height), items_(std::move(items)) {
    SetText(text);
}

void ComboBox::CreateHandle(HWND parentWindow, int dpi) {
    WinControl::CreateHandle(parentWindow, dpi);
    for (const std::string& item : items_)
        SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    SendMessageW(handle_, CB_SETMINVISIBLE, VisibleItems, 0);
    SetWindowTextW(handle_, Widen(text_).c_str());
    FitHeights(dpi);
    COMBOBOXINFO parts{sizeof parts};
    if (GetComboBoxInfo(handle_, &parts))
        Subclass(parts.hwndItem);
}

void ComboBox::DpiChanged(int dpi) {
    WinControl::DpiChanged(dpi); // the new font resets the box's height
    FitHeights(dpi);
}

void ComboBox::FitHeights(int dpi) {
    SendMessageW(handle_, CB_SETITEMHEIGHT, 0, ScaleToDpi(ItemHeight, dpi));
    // The closed box is its text field plus a frame whose thickness depends on the platform's
    // look, so the field is set, the box measured, and the field corrected by the difference.
    const int wanted = ScaleToDpi(boxHeight96_, dpi);
    SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted - 6);
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT box{};
        GetWindowRect(handle_, &box);
        const int difference = wanted - (box.bottom - box.top);
        if (difference == 0)
            break;
        const auto field = static_cast<int>(SendMessageW(handle_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
    }
}

// ---- RadioButton ----------------------------------------------------------------------------

// No WS_TABSTOP: the platform's radio buttons take it when checked and drop it when unchecked.
RadioButton::RadioButton(Form& parent, Bounds bounds96, std::string caption, const FontSpec* font)
    : WinControl(parent, WindowedLayout(L"BUTTON", bounds96, BS_AUTORADIOBUTTON, 0, font)) {
    WinControl::SetText(caption);
}

bool RadioButton::Checked() const {
    return handle_ && SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// ---- Tab order ------------------------------------------------------------------------------

void ArrangeTabOrder(std::initializer_list<const WinControl*> order) {
    HWND previous = HWND_TOP; // Tab follows the order of the windows from the top
    HWND groupFirst = nullptr; // of the radio group the order is in, if any
    bool groupChecked = false;
    const auto endGroup = [&] {
        if (groupFirst && !groupChecked)
            SetWindowLongPtrW(groupFirst, GWL_STYLE, GetWindowLongPtrW(groupFirst, GWL_STYLE) | WS_TABSTOP);
        groupFirst = nullptr;
    };
    for (const WinControl* control : order) {
        HWND handle = control->Handle();
        // A radio button says what it is when asked as the dialog manager asks it.
        const bool radio = SendMessageW(handle, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON;
        if (!radio || !groupFirst) {
            endGroup();
            groupFirst = radio ? handle : nullptr;
            groupChecked = false;
        }
        groupChecked = groupChecked || (radio && SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED);
        const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
        SetWindowLongPtrW(handle, GWL_STYLE, radio && groupFirst != handle ? style & ~WS_GROUP : style | WS_GROUP);
        SetWindowPos(handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = handle;
    }
    endGroup();
}

} // namespace tk
