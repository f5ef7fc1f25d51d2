// The screens the program places its windows on, each named for what it is and kept here alone:
// the primary monitor's work area (the strip's start corner, clear of the taskbar), the desktop
// (the primary monitor's whole size, on which a form is centred the first time it shows), the
// monitor that shows a given window (where the open-file dialog appears), and that monitor's
// work area (which a tooltip is kept on).
#pragma once

#include <windows.h>

#include <optional>

namespace tk {

RECT PrimaryWorkArea() noexcept;
RECT Desktop() noexcept;
// The whole monitor that shows most of `window` (or is nearest to it); none if it cannot be had.
std::optional<RECT> MonitorShowing(HWND window) noexcept;
std::optional<RECT> WorkAreaShowing(HWND window) noexcept;
// Whether some part of `bounds` (screen pixels) lies on a monitor.
bool OnSomeMonitor(const RECT& bounds) noexcept;

} // namespace tk
