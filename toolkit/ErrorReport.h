// The one exception boundary's report: an exception that escaped a handler is shown in an error
// box and the program goes on with the next message. Below the application, so that the window
// procedure reaches it without knowing the application; the application tells it where to show.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace tk {

// The window that owns the report and the title that captions it, set by the application while
// it exists (null: none, and a failure gets the start-up report instead).
void SetErrorReportOwner(HWND window, const std::wstring* title) noexcept;

// The error report: cancels a mouse capture, then shows the message (with the full-stop rule)
// in an error box captioned with the title, owned by the application window, with the
// program's other windows disabled meanwhile. Never throws.
void ReportException(const std::exception& error) noexcept;
void ReportUnknownException() noexcept;

// The last-resort report for a failure before the message loop runs (e.g. while the forms are
// created): a box captioned "Application Error" naming the exception and its message.
void ShowStartupFailure(const std::exception& error) noexcept;

// Runs `handler`, reporting any exception through the error report, so that no exception crosses
// a Win32 frame. Returns false when the handler failed.
template <class Handler>
bool Guarded(Handler&& handler) noexcept {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ReportException(error);
    } catch (...) {
        ReportUnknownException();
    }
    return false;
}

} // namespace tk
