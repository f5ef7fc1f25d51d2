// A periodic timer. It runs while its interval is non-zero, it is enabled and it has a handler.
// There is no guard against re-entry: a handler that opens a modal window or a message box is
// entered again by the next timer message. Timers belong to the thread of the program's windows.
#pragma once

#include <windows.h>

#include <functional>

namespace tk {

class TimerWindow;

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const noexcept { return enabled_; }
    // For tests: the interval asked for, and whether the platform runs the timer.
    unsigned Interval() const noexcept { return interval_; }
    bool Running() const noexcept { return running_; }
    void SetInterval(unsigned milliseconds);
    // Sets the interval and counts it afresh from now, even when it is unchanged: a timer whose
    // every tick decides when the next one is due.
    void Restart(unsigned milliseconds);
    void SetEnabled(bool enabled);
    // Raises EOutOfResources "Not enough timers available" when the platform refuses a timer.
    void SetOnTimer(std::function<void()> handler);

private:
    friend class TimerWindow;
    void Update();

    UINT_PTR id_; // on the timers' shared window
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    std::function<void()> onTimer_;
};

} // namespace tk
