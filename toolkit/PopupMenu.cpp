#include "toolkit/PopupMenu.h"

#include "toolkit/Text.h"

namespace tk {

namespace {
constexpr wchar_t kOwnerClass[] = L"TkPopupList";
} // namespace

PopupMenu::PopupMenu(std::vector<MenuItem> items) : items_(std::move(items)) { menu_.Reset(Build(items_)); }

HWND PopupMenu::OwnerHandle() {
    if (!owner_) {
        RegisterWindowClass(kOwnerClass);
        // A hidden top-level window rather than a message-only one: the menu's owner must be able
        // to take the foreground, or a click elsewhere would not dismiss the menu.
        owner_.Reset(CreateBoundWindow(*this, kOwnerClass, {.Style = WS_POPUP, .ExStyle = WS_EX_TOOLWINDOW}));
    }
    return owner_.Get();
}

HMENU PopupMenu::Build(std::vector<MenuItem>& items) {
    HMENU menu = CreatePopupMenu();
    for (MenuItem& item : items) {
        if (item.Caption == "-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.Items.empty()) {
            // The submenu is destroyed with its parent menu.
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Build(item.Items)), Widen(item.Caption).c_str());
        } else {
            commands_.push_back(&item);
            AppendMenuW(menu, MF_STRING, commands_.size(), Widen(item.Caption).c_str());
        }
    }
    return menu;
}

void PopupMenu::Popup(POINT screen) {
    idleDue_ = true;
    TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, OwnerHandle(), nullptr);
}

UINT PopupMenu::CommandId(const std::string& name) const {
    for (std::size_t i = 0; i < commands_.size(); ++i)
        if (commands_[i]->Name == name)
            return static_cast<UINT>(i + 1);
    return 0;
}

LRESULT PopupMenu::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The menu's loop sends this to the owner when it has drawn the menu and finds no input.
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && idleDue_) {
        idleDue_ = false;
        if (OnIdle)
            OnIdle();
        return 0;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != 0)
        return DefWindowProcW(window, message, wParam, lParam);
    const UINT id = LOWORD(wParam);
    if (id >= 1 && id <= commands_.size())
        if (const std::function<void()>& handler = commands_[id - 1]->OnClick)
            handler();
    return 0;
}

} // namespace tk
