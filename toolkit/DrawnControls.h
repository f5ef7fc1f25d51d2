// The controls drawn by their form, without a window of their own: a transparent auto-sizing
// label, a flat speed button, an etched group frame and a picture. They only show things and
// take the mouse; none takes the keyboard focus.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/GraphicControl.h"
#include "toolkit/Handles.h"

namespace tk {

// One line of text, no background of its own, resized to its text whenever the text changes (a
// text set before the form has a window, once it has one).
class Label : public GraphicControl {
public:
    Label(Form& parent, Bounds bounds96, const FontSpec& font, std::string caption);

    const std::string& Caption() const noexcept { return caption_; }
    // Does nothing when the text is unchanged; otherwise resizes, repaints and tells screen
    // readers that the name changed.
    void SetCaption(const std::string& caption);
    std::string Name() const override { return AccessibleName.empty() ? caption_ : AccessibleName; }
    void Paint(HDC dc) override;
    void DpiChanged(int dpi) override;
    void FormWindowCreated() override;

private:
    void AdjustSize();

    FontSpec fontSpec_;
    OwnedFont font_;
    std::string caption_;
    std::wstring wideCaption_;
    bool sizeDue_ = false; // a caption set before the form had a window, not yet measured
};

// A flat button with a 16 x 16 picture: only the picture without the pointer over it, a raised
// frame under the pointer, a sunken frame while pressed. Pixels of the picture's bottom-left
// colour are transparent. A left click runs OnClick.
class SpeedButton : public GraphicControl {
public:
    SpeedButton(Form& parent, Bounds bounds96, const wchar_t* glyphResource, std::string hint);

    std::function<void()> OnClick;
    bool Down() const noexcept { return down_; } // drawn pressed; read by tests

    void Paint(HDC dc) override;
    void MouseDown(const MouseEvent& event) override;
    void MouseMove(const MouseEvent& event) override;
    void MouseUp(const MouseEvent& event) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CaptureLost() override;
    const std::wstring* Hint() const override { return &hint_; }
    void ThemeChanged() override { theme_.Reset(); }
    // Named by its tooltip; its default action is a click.
    std::string Name() const override { return AccessibleName.empty() ? hintText_ : AccessibleName; }
    std::string DefaultAction() const override;
    void DoDefaultAction() override;

private:
    ThemeData theme_{L"TOOLBAR"};
    OwnedBitmap glyph_;
    SIZE glyphSize_{};
    COLORREF transparent_ = 0;
    std::wstring hint_;
    std::string hintText_;
    bool hot_ = false;
    bool down_ = false;
    bool pressing_ = false; // the left button went down on this button and is still held
};

// An etched frame without a caption. Controls placed "inside" it are ordinary controls of the
// form created after it; their 96-dpi bounds are the frame's left/top plus their own offset.
class GroupBox : public GraphicControl {
public:
    GroupBox(Form& parent, Bounds bounds96);

    // The 96-dpi bounds of a control at `inner`, given relative to the frame.
    Bounds Inside(Bounds inner) const noexcept {
        return {bounds96_.Left + inner.Left, bounds96_.Top + inner.Top, inner.Width, inner.Height};
    }
    void Paint(HDC dc) override;
    void ThemeChanged() override { theme_.Reset(); }

private:
    ThemeData theme_{L"BUTTON"};
};

// An icon resource drawn at the control's bounds, scaled to them, with its own transparency.
class Image : public GraphicControl {
public:
    Image(Form& parent, Bounds bounds96, const wchar_t* iconResource);

    // Loaded at the first call, at the drawn size, so that a form that is never shown costs none.
    HICON Icon();
    void Paint(HDC dc) override;

private:
    const wchar_t* iconResource_;
    OwnedIcon icon_;
    bool loaded_ = false;
};

} // namespace tk
