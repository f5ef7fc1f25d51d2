#include "toolkit/Screens.h"

namespace tk {

RECT PrimaryWorkArea() noexcept {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return workArea;
}

RECT Desktop() noexcept { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

namespace {

std::optional<MONITORINFO> MonitorInfoShowing(HWND window) noexcept {
    MONITORINFO monitor{sizeof monitor};
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return std::nullopt;
    return monitor;
}

} // namespace

std::optional<RECT> MonitorShowing(HWND window) noexcept {
    const auto monitor = MonitorInfoShowing(window);
    return monitor ? std::optional<RECT>(monitor->rcMonitor) : std::nullopt;
}

std::optional<RECT> WorkAreaShowing(HWND window) noexcept {
    const auto monitor = MonitorInfoShowing(window);
    return monitor ? std::optional<RECT>(monitor->rcWork) : std::nullopt;
}

bool OnSomeMonitor(const RECT& bounds) noexcept { return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr; }

} // namespace tk
