#include "toolkit/PopupMenu.h"

#include "toolkit/Application.h"
#include "toolkit/Text.h"

namespace tk {

namespace {
constexpr wchar_t kOwnerClass[] = L"TkPopupList";
} // namespace

PopupMenu::PopupMenu(std::vector<MenuItem> items) : items_(std::move(items)) {
    menu_.Reset(Build(items_));
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (!GetClassInfoExW(instance, kOwnerClass, &windowClass)) {
        windowClass = {sizeof windowClass};
        windowClass.lpfnWndProc = &PopupMenu::StaticWndProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kOwnerClass;
        RegisterClassExW(&windowClass);
    }
    // A hidden top-level window rather than a message-only one: the menu's owner must be able to
    // take the foreground, or a click elsewhere would not dismiss the menu.
    owner_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr));
    SetWindowLongPtrW(owner_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PopupMenu::~PopupMenu() { SetWindowLongPtrW(owner_.Get(), GWLP_USERDATA, 0); }

HMENU PopupMenu::Build(std::vector<MenuItem>& items) {
    HMENU menu = CreatePopupMenu();
    for (MenuItem& item : items) {
        if (item.caption == "-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.items.empty()) {
            // The submenu is destroyed with its parent menu.
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Build(item.items)), Widen(item.caption).c_str());
        } else {
            commands_.push_back(&item);
            AppendMenuW(menu, MF_STRING, commands_.size(), Widen(item.caption).c_str());
        }
    }
    return menu;
}

void PopupMenu::Popup(POINT screen) {
    TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner_.Get(), nullptr);
}

UINT PopupMenu::CommandId(const std::string& name) const {
    for (std::size_t i = 0; i < commands_.size(); ++i)
        if (commands_[i]->name == name)
            return static_cast<UINT>(i + 1);
    return 0;
}

LRESULT CALLBACK PopupMenu::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* menu = reinterpret_cast<PopupMenu*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COMMAND && menu && HIWORD(wParam) == 0) {
        const UINT id = LOWORD(wParam);
        if (id >= 1 && id <= menu->commands_.size())
            if (const std::function<void()>& handler = menu->commands_[id - 1]->onClick)
                Guarded(handler);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tk
