#include "toolkit/Screens.h"

namespace tk {

RECT PrimaryWorkArea() noexcept {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return workArea;
}

RECT Desktop() noexcept { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::optional<RECT> MonitorShowing(HWND window) noexcept {
    MONITORINFO monitor{sizeof monitor};
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return std::nullopt;
    return monitor.rcMonitor;
}

bool OnSomeMonitor(const RECT& bounds) noexcept { return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr; }

} // namespace tk
