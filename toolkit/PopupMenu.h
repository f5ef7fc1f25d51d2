// A context menu built from data: captions, handlers and submenus. Its owner is a hidden window of
// its own, made when the menu is first shown, which receives the WM_COMMAND of the chosen item;
// the platform posts that message, so the item's handler runs after the menu has closed, from the
// message loop. Dismissing the menu posts nothing and runs nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Handles.h"
#include "toolkit/WindowClass.h"

namespace tk {

struct MenuItem {
    std::string Name;              // the item's name in the program (N1, N2, ...)
    std::string Caption;           // "-" draws a separator line
    std::function<void()> OnClick; // none for separators and submenus
    std::vector<MenuItem> Items;   // a non-empty list makes the item a submenu
};

class PopupMenu : private WindowTarget {
public:
    explicit PopupMenu(std::vector<MenuItem> items);
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Shows the menu with its left edge at the screen point; items answer either mouse button.
    // Returns when the menu closes; the chosen item's handler runs later, from the message loop.
    void Popup(POINT screen);

    // Runs once each time the menu is up and waiting for the user, who reads it for longer than
    // most preparations take: for what the chosen command will need, loaded before it is chosen.
    std::function<void()> OnIdle;

    HMENU Handle() const noexcept { return menu_.Get(); }
    HWND OwnerHandle(); // made at the first call
    // For tests: the command id of the named item (0 for none), what its WM_COMMAND carries.
    UINT CommandId(const std::string& name) const;

private:
    HMENU Build(std::vector<MenuItem>& items);
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<MenuItem> items_;
    std::vector<const MenuItem*> commands_; // by command id - 1
    OwnedMenu menu_;
    BoundWindow owner_;
    bool idleDue_ = false;
};

} // namespace tk
