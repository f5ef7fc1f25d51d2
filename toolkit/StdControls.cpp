#include "toolkit/StdControls.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace tk {

namespace {

// The font pointer is kept by the control until its window exists, so it must be static data.
ControlLayout WindowedLayout(const wchar_t* windowClass, Bounds bounds, DWORD style, DWORD exStyle,
                             const FontSpec* font) {
    return {.windowClass = windowClass, .bounds = bounds, .caption = "", .style = style, .exStyle = exStyle,
            .font = font};
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

// ---- GroupBox -------------------------------------------------------------------------------

GroupBox::GroupBox(Form& parent, Bounds bounds96) : GraphicControl(parent, bounds96) {}

void GroupBox::Paint(HDC dc) {
    // The frame's top edge sits where a caption's middle would be, as on the platform's own
    // group box, so a frame without a caption lines up with captioned ones.
    TEXTMETRICW metrics{};
    {
        SelectGuard selectFont(dc, Parent().Font());
        GetTextMetricsW(dc, &metrics);
    }
    RECT frame = BoundsRect();
    frame.top += metrics.tmHeight / 2 - 1;
    HTHEME theme = IsAppThemed() ? OpenThemeData(Parent().Handle(), L"BUTTON") : nullptr;
    if (theme) {
        DrawThemeBackground(theme, dc, BP_GROUPBOX, GBS_NORMAL, &frame, nullptr);
        CloseThemeData(theme);
    } else {
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
}

// ---- Image ----------------------------------------------------------------------------------

Image::Image(Form& parent, Bounds bounds96, const wchar_t* iconResource) : GraphicControl(parent, bounds96) {
    // Loaded at the drawn size, so the platform picks the best image of the icon and scales it once.
    const RECT bounds = BoundsRect();
    icon_.Reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), iconResource, IMAGE_ICON,
                                              bounds.right - bounds.left, bounds.bottom - bounds.top, 0)));
}

void Image::Paint(HDC dc) {
    if (!icon_)
        return;
    const RECT bounds = BoundsRect();
    DrawIconEx(dc, bounds.left, bounds.top, icon_.Get(), bounds.right - bounds.left, bounds.bottom - bounds.top, 0,
               nullptr, DI_NORMAL);
}

} // namespace tk
