// A form's tooltips: one tooltip control for all the tools of its owner window, each tool a
// rectangle of the owner's client area with a fixed text or a text asked for when it shows. The
// control itself is made only when the pointer first moves over the owner, so a window that is
// never pointed at costs no tooltip (and loads no common controls).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Timer.h"

namespace tk {

class Tooltip {
public:
    static constexpr int InitialDelay = 500;   // ms the pointer rests before a tip shows
    static constexpr int AutoPopDelay = 2500;  // ms a fixed tip stays

    Tooltip() = default;
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    // A tool with a text that stays as it is; `text` must outlive the tool.
    void AddTool(UINT_PTR id, const RECT& area, const std::wstring& text);
    // The one tool that covers the owner's whole client area, behind the tools added before it.
    // Its text (UTF-8, lines broken by "\r\n", at most `maxWidth` pixels wide) is asked for when
    // the pointer has rested, and again once a second while it shows; an empty text shows nothing.
    // It stays up to `autoPop` ms, kept on the owner's monitor.
    void AddClientTool(UINT_PTR id, std::function<std::string()> text, int autoPop, int maxWidth);
    void MoveTool(UINT_PTR id, const RECT& area);
    // The owner's client area changed size.
    void ClientResized();

    // The pointer moved over the owner: the control is made now if it is not there yet.
    void Activate(HWND owner);
    // WM_NOTIFY of the owner: true (with the result) when it came from this tooltip.
    bool Notify(const NMHDR& header, LRESULT& result);
    // The owner window is being destroyed, and with it the tooltip control.
    void OwnerDestroyed() noexcept;

private:
    struct Tool {
        UINT_PTR Id;
        RECT Area;
        const std::wstring* Text; // null: the client tool, whose text is asked for
    };
    TOOLINFOW ToolInfo(const Tool& tool) const;
    RECT ClientArea() const;
    void Refresh();
    void KeepOnMonitor();

    HWND window_ = nullptr; // borrowed: the platform destroys it with its owner
    HWND owner_ = nullptr;
    std::vector<Tool> tools_;
    UINT_PTR clientToolId_ = 0;
    std::function<std::string()> text_;
    std::wstring shownText_; // the client tool's text while it is asked for or shown
    int clientAutoPop_ = AutoPopDelay;
    int maxWidth_ = 0;
    std::unique_ptr<Timer> refresh_; // made the first time the client tool shows
};

} // namespace tk
