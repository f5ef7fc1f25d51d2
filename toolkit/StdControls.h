// The standard controls of the dialogs: windowed ones (push button, memo) that the platform draws
// and that take the keyboard focus, and drawn ones (group frame, picture) that only show things.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Form.h"
#include "toolkit/Handles.h"

namespace tk {

// ---- Windowed controls ----------------------------------------------------------------------

// A push button, a tab stop. It is never the default button, so Enter on another control does
// not press it. A click (mouse, Space, or BM_CLICK) runs OnClick.
class Button : public WinControl {
public:
    Button(Form& parent, Bounds bounds96, std::string caption, const FontSpec* font = nullptr);

    std::function<void()> OnClick;
    void Command(WORD notification) override;
};

// A multi-line text box: editable, lines wrapped at its width, no scroll bars, a tab stop.
// The text is UTF-8 with "\r\n" line breaks; SetText replaces the whole text and turns a bare
// "\n" into "\r\n", which is what the box needs to break a line.
class Memo : public WinControl {
public:
    Memo(Form& parent, Bounds bounds96, std::string text = {}, const FontSpec* font = nullptr);

    void SetText(const std::string& text);
};

// ---- Drawn controls -------------------------------------------------------------------------

// An etched frame without a caption. Controls placed "inside" it are ordinary controls of the
// form created after it; their 96-dpi bounds are the frame's left/top plus their own offset.
class GroupBox : public GraphicControl {
public:
    GroupBox(Form& parent, Bounds bounds96);

    // The 96-dpi bounds of a control at `inner`, given relative to the frame.
    Bounds Inside(Bounds inner) const noexcept {
        return {bounds96_.left + inner.left, bounds96_.top + inner.top, inner.width, inner.height};
    }
    void Paint(HDC dc) override;
};

// An icon resource drawn at the control's bounds, scaled to them, with its own transparency.
class Image : public GraphicControl {
public:
    Image(Form& parent, Bounds bounds96, const wchar_t* iconResource);

    HICON Icon() const noexcept { return icon_.Get(); }
    void Paint(HDC dc) override;

private:
    OwnedIcon icon_;
};

} // namespace tk
