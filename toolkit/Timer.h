// A periodic timer with a hidden window of its own. It runs (SetTimer, id 1) while its interval
// is non-zero, it is enabled and it has a handler. There is no guard against re-entry: a handler
// that opens a modal window or a message box is entered again by the next timer message.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/WindowClass.h"

namespace tk {

class Timer : private WindowTarget {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    unsigned Interval() const noexcept { return interval_; }
    bool Enabled() const noexcept { return enabled_; }
    bool Running() const noexcept { return running_; }
    void SetInterval(unsigned milliseconds);
    void SetEnabled(bool enabled);
    // Raises EOutOfResources "Not enough timers available" when the platform refuses a timer.
    void SetOnTimer(std::function<void()> handler);

private:
    void Update();
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    BoundWindow window_;
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    std::function<void()> onTimer_;
};

} // namespace tk
