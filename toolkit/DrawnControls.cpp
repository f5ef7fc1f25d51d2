#include "toolkit/DrawnControls.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <utility>

#include "toolkit/Accessible.h"
#include "toolkit/Form.h"
#include "toolkit/Text.h"

namespace tk {

// ---- Label ----------------------------------------------------------------------------------

Label::Label(Form& parent, Bounds bounds96, const FontSpec& font, std::string caption)
    : GraphicControl(parent, bounds96), fontSpec_(font), font_(CreateFontFor(font, parent.Dpi())) {
    SetCaption(caption);
}

void Label::SetCaption(const std::string& caption) {
    if (caption == caption_ && !wideCaption_.empty())
        return;
    caption_ = caption;
    wideCaption_ = Widen(caption_);
    // Measuring takes the font's realisation: the dialogs' labels, built at start, wait until
    // their form is first shown.
    if (parent_.HandleAllocated()) {
        AdjustSize();
        if (AccessibleName.empty())
            RaiseNameChange(*this);
    } else {
        sizeDue_ = true;
    }
}

void Label::FormWindowCreated() {
    if (sizeDue_)
        AdjustSize();
}

void Label::DpiChanged(int dpi) {
    font_ = CreateFontFor(fontSpec_, dpi);
    GraphicControl::DpiChanged(dpi);
    AdjustSize();
}

void Label::AdjustSize() {
    sizeDue_ = false;
    MemoryDc dc;
    SelectGuard selectFont(dc.Get(), font_.Get());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), wideCaption_.c_str(), static_cast<int>(wideCaption_.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    const RECT bounds = BoundsRect();
    Invalidate(); // also when the size stays: the text changed
    SetBoundsRect({bounds.left, bounds.top, bounds.left + size.cx, bounds.top + metrics.tmHeight});
}

void Label::Paint(HDC dc) {
    SelectGuard selectFont(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Parent().TextColor(fontSpec_));
    RECT bounds = BoundsRect();
    DrawTextW(dc, wideCaption_.c_str(), static_cast<int>(wideCaption_.size()), &bounds,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

// ---- SpeedButton ----------------------------------------------------------------------------

SpeedButton::SpeedButton(Form& parent, Bounds bounds96, const wchar_t* glyphResource, std::string hint)
    : GraphicControl(parent, bounds96), hint_(Widen(hint)), hintText_(std::move(hint)) {
    Role = AccessibleRole::PushButton;
    glyph_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), glyphResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (glyph_) {
        BITMAP info{};
        GetObjectW(glyph_.Get(), sizeof info, &info);
        glyphSize_ = {info.bmWidth, info.bmHeight};
        MemoryDc dc;
        SelectGuard select(dc.Get(), glyph_.Get());
        transparent_ = GetPixel(dc.Get(), 0, info.bmHeight - 1);
    }
}

void SpeedButton::Paint(HDC dc) {
    const RECT bounds = BoundsRect();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);

    int offsetX = 0, offsetY = 0;
    if (HTHEME theme = static_cast<HTHEME>(theme_.Get(Parent().Handle()))) {
        if (down_ || hot_) {
            RECT frame = bounds;
            DrawThemeBackground(theme, dc, TP_BUTTON, down_ ? TS_PRESSED : TS_HOT, &frame, nullptr);
        }
        if (down_) offsetX = 1; // the themed pressed look moves the picture right only
    } else {
        RECT frame = bounds;
        if (down_) {
            DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
            offsetX = offsetY = 1;
        } else if (hot_) {
            DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
        }
    }

    if (glyph_) {
        // Centred on the button, rounding up as the picture is one pixel larger than the button.
        const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
        const int x = bounds.left + (width - glyphSize_.cx + 1) / 2 + offsetX;
        const int y = bounds.top + (height - glyphSize_.cy + 1) / 2 + offsetY;
        MemoryDc source(dc);
        SelectGuard select(source.Get(), glyph_.Get());
        // gdi32's own, which msimg32's TransparentBlt only forwards to: one DLL fewer at rest.
        GdiTransparentBlt(dc, x, y, glyphSize_.cx, glyphSize_.cy, source.Get(), 0, 0, glyphSize_.cx,
                          glyphSize_.cy, transparent_);
    }
    RestoreDC(dc, saved);
}

void SpeedButton::MouseDown(const MouseEvent& event) {
    if (event.Button == MouseButton::Left) {
        pressing_ = true;
        down_ = true;
        Invalidate();
    }
    GraphicControl::MouseDown(event);
}

void SpeedButton::MouseMove(const MouseEvent& event) {
    if (pressing_) {
        const bool inside = Contains(event.Client);
        if (inside != down_) {
            down_ = inside;
            Invalidate();
        }
    }
    GraphicControl::MouseMove(event);
}

void SpeedButton::MouseUp(const MouseEvent& event) {
    const bool click = event.Button == MouseButton::Left && pressing_ && Contains(event.Client);
    if (event.Button == MouseButton::Left) {
        pressing_ = false;
        down_ = false;
        Invalidate();
    }
    GraphicControl::MouseUp(event);
    if (click && OnClick)
        OnClick();
}

std::string SpeedButton::DefaultAction() const { return "按下"; }

void SpeedButton::DoDefaultAction() {
    if (OnClick)
        OnClick();
}

void SpeedButton::MouseEnter() {
    hot_ = true;
    Invalidate();
}

void SpeedButton::MouseLeave() {
    hot_ = false;
    if (!pressing_)
        down_ = false;
    Invalidate();
}

void SpeedButton::CaptureLost() {
    pressing_ = false;
    down_ = false;
    Invalidate();
}

// ---- GroupBox -------------------------------------------------------------------------------

GroupBox::GroupBox(Form& parent, Bounds bounds96) : GraphicControl(parent, bounds96) {
    Role = AccessibleRole::Grouping;
}

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
    if (HTHEME theme = static_cast<HTHEME>(theme_.Get(Parent().Handle()))) {
        DrawThemeBackground(theme, dc, BP_GROUPBOX, GBS_NORMAL, &frame, nullptr);
    } else {
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
}

// ---- Image ----------------------------------------------------------------------------------

Image::Image(Form& parent, Bounds bounds96, const wchar_t* iconResource)
    : GraphicControl(parent, bounds96), iconResource_(iconResource) {
    Role = AccessibleRole::Graphic;
}

HICON Image::Icon() {
    if (!loaded_) {
        // At the drawn size, so the platform picks the best image of the icon and scales it once.
        loaded_ = true;
        const RECT bounds = BoundsRect();
        icon_.Reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), iconResource_, IMAGE_ICON,
                                                  bounds.right - bounds.left, bounds.bottom - bounds.top, 0)));
    }
    return icon_.Get();
}

void Image::Paint(HDC dc) {
    HICON icon = Icon();
    if (!icon)
        return;
    const RECT bounds = BoundsRect();
    DrawIconEx(dc, bounds.left, bounds.top, icon, bounds.right - bounds.left, bounds.bottom - bounds.top, 0, nullptr,
               DI_NORMAL);
}

} // namespace tk
