#include "toolkit/WindowedControls.h"

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
    bool previousIsRadio = false;
    for (const WinControl* control : order) {
        HWND handle = control->Handle();
        const bool radio = dynamic_cast<const RadioButton*>(control) != nullptr;
        const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
        SetWindowLongPtrW(handle, GWL_STYLE, radio && previousIsRadio ? style & ~WS_GROUP : style | WS_GROUP);
        SetWindowPos(handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = handle;
        previousIsRadio = radio;
    }
}

} // namespace tk
