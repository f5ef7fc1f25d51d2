// The colours a form and its labels paint with: the layout's own, or, while the system's
// high-contrast mode is on, the system's, so that text stays readable in the colours the user
// chose (a fixed white background under a theme's white text would hide every label). A change
// of the mode or of the system's colours repaints the form at once.
#include "toolkit/Form.h"

namespace tk {

std::function<bool()> HighContrastOn = [] {
    HIGHCONTRASTW mode{sizeof mode};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0) && (mode.dwFlags & HCF_HIGHCONTRASTON);
};

// A form on the button face keeps its pair of system colours; one with a colour of its own takes
// the window's pair.
COLORREF Form::Color() const noexcept {
    if (layout_.Color == CLR_INVALID)
        return GetSysColor(COLOR_BTNFACE);
    return highContrast_ ? GetSysColor(COLOR_WINDOW) : layout_.Color;
}

COLORREF Form::TextColor(const FontSpec& font) const noexcept {
    if (!highContrast_)
        return TextColorOf(font);
    return GetSysColor(layout_.Color == CLR_INVALID ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
}

void Form::ApplyColors() {
    highContrast_ = HighContrastOn();
    background_.Reset(CreateSolidBrush(Color()));
}

void Form::ColorsChanged() {
    ApplyColors();
    RedrawWindow(window_.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace tk
