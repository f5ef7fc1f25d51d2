// A periodic timer. It runs while its interval is non-zero, it is enabled and it has a handler.
// There is no guard against re-entry: a handler that opens a modal window or a message box is
// entered again by the next timer message. Timers belong to the thread of the program's windows.
#pragma once

#include <windows.h>

#include <functional>

namespace tk {

class TimerWindow;

// The platform's SetTimer, replaceable so that tests can make it refuse.
inline UINT_PTR(WINAPI* SetPlatformTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = ::SetTimer;

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const noexcept { return enabled_; }
    // For tests: the interval the platform runs the timer at, and whether it runs it.
    unsigned Interval() const noexcept { return interval_; }
    bool Running() const noexcept { return running_; }

    // These three raise EOutOfResources "Not enough timers available" when the platform refuses
    // to start the timer; the timer then stays stopped.
    void SetInterval(unsigned milliseconds);
    void SetEnabled(bool enabled);
    void SetOnTimer(std::function<void()> handler);

    // Sets the interval and counts it afresh from now, even when it is unchanged (0 stops the
    // timer): for a timer whose every tick, or whose owner's every change, decides when the next
    // one is due. It raises nothing, so a tick or a notification that must not raise may call it.
    // A running timer is set again in place, never stopped first; if the platform refuses, the
    // timer keeps its previous due time (or stays stopped), and the refusal is reported once,
    // from the message loop, as an escaped EOutOfResources would be.
    void Restart(unsigned milliseconds) noexcept;

private:
    friend class TimerWindow;
    // Asks the platform for the interval; whether it agreed. A refusal changes nothing.
    bool Apply(unsigned milliseconds) noexcept;

    UINT_PTR id_; // on the timers' shared window
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    std::function<void()> onTimer_;
};

} // namespace tk
