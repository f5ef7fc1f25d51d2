// The program's own message boxes: confirmations and refusals, each with an OK button and an
// icon, shown over whatever window asked for them.
#pragma once

#include <windows.h>

#include <string>

// Icon types of the program's own message boxes.
inline constexpr UINT InformationIcon = MB_ICONINFORMATION; // confirmations (0x40)
inline constexpr UINT ErrorIcon = MB_ICONERROR;             // refused input (0x10)

// A box with an OK button and the given icon type, owned by no window, so the program's windows
// stay usable while it shows. Returns when the user dismisses it.
void ShowMessage(const std::string& caption, const std::string& text, UINT iconType) noexcept;
