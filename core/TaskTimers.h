// When the two timers that serve the armed slots run: the countdown timer while a countdown is
// armed, the time-of-day timer while a time of day is armed. Pure rules: the strip asks after each
// change of what is armed and at each tick of the time-of-day timer, and sets its timers as told.
#pragma once

#include <cstdint>

#include "core/SecondTicks.h"

struct TimerPlan {
    enum Kind { Stop, Keep, DueIn } Action;
    // With DueIn: milliseconds until the next event, then periodic at that interval until told
    // otherwise; 0 means as soon as the platform allows.
    std::int64_t DueInMs = 0;

    friend constexpr bool operator==(const TimerPlan&, const TimerPlan&) = default;
};

inline constexpr std::int64_t kCountdownPeriodMs = 1000;

// After what is armed changed. The countdown timer starts with the first countdown armed, so a
// countdown of n seconds fires n seconds after its arming; it is not restarted by arming while it
// runs, so two countdowns armed between the same two events fire in the same event; it stops with
// the last armed countdown.
constexpr TimerPlan CountdownTimerAfterChange(bool anyCountdownArmed, bool running) {
    if (!anyCountdownArmed)
        return {TimerPlan::Stop};
    return running ? TimerPlan{TimerPlan::Keep} : TimerPlan{TimerPlan::DueIn, kCountdownPeriodMs};
}

// After what is armed changed, the time-of-day timer is due at once while a time of day is armed:
// a slot armed for the running second fires in it, and after a slot fired (the change comes before
// its action, which may wait) a second slot due in the same second fires in it too.
constexpr TimerPlan TimeOfDayTimerAfterChange(bool anyAtTimeArmed) {
    return anyAtTimeArmed ? TimerPlan{TimerPlan::DueIn, 0} : TimerPlan{TimerPlan::Stop};
}

// At its own tick, before the tick runs (its actions may wait, and the ticks go on meanwhile): due
// just after the next second of the clock begins (`clockMs`, milliseconds of a clock whose seconds
// begin with the local time's); stopped when nothing waits for a time of day any more, a tick
// still due as the last slot went.
constexpr TimerPlan TimeOfDayTimerAtTick(bool anyAtTimeArmed, std::int64_t clockMs) {
    return anyAtTimeArmed ? TimerPlan{TimerPlan::DueIn, MillisecondsToNextSecond(clockMs)}
                          : TimerPlan{TimerPlan::Stop};
}
