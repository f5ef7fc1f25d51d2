#include "platform/MessageBoxes.h"

#include "toolkit/Modal.h"
#include "toolkit/Text.h"

void ShowMessage(const std::string& caption, const std::string& text, UINT iconType) noexcept {
    try {
        // Only the icon is taken from the type: task-modal or topmost bits would disable or
        // cover the program's windows. Without an owner the box would open behind a topmost
        // dialog that asked for it, holding the focus unseen.
        tk::BoxScope box(tk::BoxKind::OwnBox);
        MessageBoxW(nullptr, tk::Widen(text).c_str(), tk::Widen(caption).c_str(), MB_OK | (iconType & MB_ICONMASK));
    } catch (...) {
    }
}
