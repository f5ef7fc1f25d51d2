#include "toolkit/Tooltip.h"

#include <algorithm>

#include "toolkit/Screens.h"
#include "toolkit/Text.h"
#include "toolkit/WinControl.h"

namespace tk {

TOOLINFOW Tooltip::ToolInfo(const Tool& tool) const {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner_;
    info.uId = tool.Id;
    info.rect = tool.Text ? tool.Area : ClientArea();
    info.lpszText = tool.Text ? const_cast<wchar_t*>(tool.Text->c_str()) : LPSTR_TEXTCALLBACKW;
    return info;
}

RECT Tooltip::ClientArea() const {
    RECT client{};
    GetClientRect(owner_, &client);
    return client;
}

void Tooltip::AddTool(UINT_PTR id, const RECT& area, const std::wstring& text) {
    tools_.push_back({id, area, &text});
    if (window_) {
        const TOOLINFOW info = ToolInfo(tools_.back());
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void Tooltip::AddClientTool(UINT_PTR id, std::function<std::string()> text, int autoPop, int maxWidth) {
    tools_.push_back({id, {}, nullptr});
    clientToolId_ = id;
    text_ = std::move(text);
    clientAutoPop_ = autoPop;
    maxWidth_ = maxWidth;
}

void Tooltip::MoveTool(UINT_PTR id, const RECT& area) {
    for (Tool& tool : tools_)
        if (tool.Id == id && tool.Text) {
            tool.Area = area;
            if (window_) {
                const TOOLINFOW info = ToolInfo(tool);
                SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
            }
        }
}

void Tooltip::ClientResized() {
    if (!window_ || !text_)
        return;
    for (const Tool& tool : tools_)
        if (!tool.Text) {
            const TOOLINFOW info = ToolInfo(tool);
            SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        }
}

void Tooltip::Activate(HWND owner) {
    if (window_ || tools_.empty())
        return;
    EnsureCommonControls();
    owner_ = owner;
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        return;
    SendMessageW(window_, TTM_SETDELAYTIME, TTDT_INITIAL, InitialDelay);
    SendMessageW(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, AutoPopDelay);
    // In the order added: the control takes the first tool under the pointer.
    for (const Tool& tool : tools_) {
        const TOOLINFOW info = ToolInfo(tool);
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    if (text_)
        SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, maxWidth_); // honours the line breaks
}

void Tooltip::OwnerDestroyed() noexcept {
    refresh_.reset();
    window_ = nullptr;
    owner_ = nullptr;
}

bool Tooltip::Notify(const NMHDR& header, LRESULT& result) {
    if (!window_ || header.hwndFrom != window_)
        return false;
    result = 0;
    if (!text_ || header.idFrom != clientToolId_)
        return true;
    switch (header.code) {
    case TTN_GETDISPINFOW: {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        shownText_ = Widen(text_());
        info.lpszText = shownText_.data();
        break;
    }
    case TTN_SHOW: // a list is read for longer than a button's name; it follows the text meanwhile
        SendMessageW(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, clientAutoPop_);
        if (!refresh_) {
            refresh_ = std::make_unique<Timer>();
            refresh_->SetOnTimer([this] { Refresh(); });
        }
        refresh_->SetEnabled(true);
        KeepOnMonitor();
        result = TRUE; // placed here
        break;
    case TTN_POP:
        SendMessageW(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, AutoPopDelay);
        if (refresh_)
            refresh_->SetEnabled(false);
        break;
    }
    return true;
}

void Tooltip::Refresh() {
    if (!window_)
        return;
    if (text_().empty()) {
        SendMessageW(window_, TTM_POP, 0, 0);
        return;
    }
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner_;
    info.uId = clientToolId_;
    info.lpszText = LPSTR_TEXTCALLBACKW; // asks for the text again
    SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

// An owner at the screen's edge would push a wide list off it.
void Tooltip::KeepOnMonitor() {
    RECT tip{};
    GetWindowRect(window_, &tip);
    const RECT area = WorkAreaShowing(owner_).value_or(RECT{});
    const int left = std::max(area.left, std::min(tip.left, area.right - (tip.right - tip.left)));
    const int top = std::max(area.top, std::min(tip.top, area.bottom - (tip.bottom - tip.top)));
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tk
