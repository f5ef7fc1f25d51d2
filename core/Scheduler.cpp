#include "core/Scheduler.h"

#include <cstdint>
#include <limits>
#include <utility>

// The one raiser of "the armed slots changed"; the subscriptions' friend.
void RaiseArmedSlotsChanged();

namespace {

struct CountdownEntry {
    CountdownSlot* slot;
    TaskKind kind;
};

struct AtTimeEntry {
    AtTimeSlot* slot;
    TaskKind kind;
};

// Evaluation order is table order; same-second firings run in this order. Indexed by TaskKind.
constexpr CountdownEntry kCountdowns[] = {
    {&AlarmCountdown, TaskKind::Alarm},
    {&ShutdownCountdown, TaskKind::Shutdown},
    {&ReminderCountdown, TaskKind::Reminder},
    {&LaunchCountdown, TaskKind::Launch},
};

constexpr AtTimeEntry kAtTimes[] = {
    {&AlarmAtTime, TaskKind::Alarm},
    {&ShutdownAtTime, TaskKind::Shutdown},
    {&ReminderAtTime, TaskKind::Reminder},
    {&LaunchAtTime, TaskKind::Launch},
};

constexpr std::int32_t kNoReading = -1; // a code no second has: nothing is remembered
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kLongestSkipMs = 60'000; // a longer gap is sleep or a clock set forward

// The last reading of an event in which some at-time slot was armed: the code of its second and
// the millisecond within that second.
std::int32_t lastCode = kNoReading;
std::int32_t lastMillisecond = 0;

// The subscribers to "the armed slots changed", in the order they subscribed.
ArmedSlotsSubscription* firstSubscription = nullptr;

// The second of the day a code names; -1 for a code no second has.
std::int64_t SecondOfDay(std::int32_t code) {
    if (code < 0)
        return -1;
    const std::int64_t hour = code / 10000, minute = code / 100 % 100, second = code % 100;
    if (hour > 23 || minute > 59 || second > 59)
        return -1;
    return hour * 3600 + minute * 60 + second;
}

// How far `to` lies after `from` going forward round a clock face of `period`.
std::int64_t Forward(std::int64_t from, std::int64_t to, std::int64_t period) {
    return ((to - from) % period + period) % period;
}

// Whether the target's second lies strictly between the seconds of the two readings, which are
// more than 0 and at most kLongestSkipMs apart going forward. Out of line: it runs once a second.
[[gnu::noinline]] bool SkippedBetween(std::int32_t beforeCode, std::int32_t beforeMillisecond, std::int32_t nowCode,
                                      std::int32_t nowMillisecond, std::int32_t target) {
    const std::int64_t from = SecondOfDay(beforeCode), to = SecondOfDay(nowCode), second = SecondOfDay(target);
    if (from < 0 || to < 0 || second < 0)
        return false;
    const std::int64_t gapMs =
        Forward(from * 1000 + beforeMillisecond, to * 1000 + nowMillisecond, kSecondsPerDay * 1000);
    if (gapMs == 0 || gapMs > kLongestSkipMs)
        return false;
    const std::int64_t ahead = Forward(from, second, kSecondsPerDay);
    return ahead > 0 && ahead < Forward(from, to, kSecondsPerDay);
}

// The time-of-day tick once it has found a slot armed; out of line, so that the tick with
// nothing armed, which runs all day, is only the look at the four states.
[[gnu::noinline]] void CompareArmedSlots(TaskActions& actions, const LocalClock& clock) {
    // Every armed slot was compared last at the previous event's last reading: the seconds after
    // it went unseen, whatever this event has read since for the slots before.
    std::int32_t beforeCode = lastCode, beforeMillisecond = lastMillisecond;
    std::int32_t code = beforeCode, millisecond = beforeMillisecond;
    // Unrolled, each slot is addressed directly and the loop costs nothing beyond the readings.
#pragma GCC unroll 4
    for (const AtTimeEntry& entry : kAtTimes) {
        AtTimeSlot& slot = *entry.slot;
        if (slot.State != TaskArmed)
            continue;
        const DateTimeParts now = clock.Now();
        code = TimeCode(now.Hour, now.Minute, now.Second);
        millisecond = now.Millisecond;
        // Nearly every reading falls in the second of the one before: only equality can fire then.
        if (code != slot.TargetCode &&
            (code == beforeCode || !SkippedBetween(beforeCode, beforeMillisecond, code, millisecond, slot.TargetCode)))
            continue;
        // Remembered before the action, which may raise or run a nested tick.
        lastCode = code;
        lastMillisecond = millisecond;
        slot.State = TaskDone;
        RaiseArmedSlotsChanged();
        actions.Run(entry.kind, Trigger::AtTime);
        // A tick nested in the action has compared the later slots itself (or, finding nothing
        // armed, forgotten the reading): go on from where it left off.
        if (lastCode != code || lastMillisecond != millisecond) {
            beforeCode = code = lastCode;
            beforeMillisecond = millisecond = lastMillisecond;
        }
    }
    lastCode = code;
    lastMillisecond = millisecond;
}

// The door's order for either kind of slot: path, value, the caller's step, state, notification.
void ArmSlot(std::int32_t& value, TaskState& state, std::string& launchPath, std::int32_t newValue,
             const ArmingSteps& steps) {
    if (steps.launchPath)
        launchPath = *steps.launchPath;
    value = newValue;
    if (steps.beforeArmed)
        steps.beforeArmed();
    state = TaskArmed;
    RaiseArmedSlotsChanged();
}

} // namespace

// Out of line, so that the ticks, which reach it only when a slot fires, stay small.
[[gnu::noinline]] void RaiseArmedSlotsChanged() {
    for (ArmedSlotsSubscription* subscription = firstSubscription; subscription; subscription = subscription->next_)
        subscription->onChange_();
}

ArmedSlotsSubscription::ArmedSlotsSubscription(std::function<void()> onChange) : onChange_(std::move(onChange)) {
    ArmedSlotsSubscription** last = &firstSubscription;
    while (*last)
        last = &(*last)->next_;
    *last = this;
}

ArmedSlotsSubscription::~ArmedSlotsSubscription() {
    for (ArmedSlotsSubscription** link = &firstSubscription; *link; link = &(*link)->next_)
        if (*link == this) {
            *link = next_;
            return;
        }
}

CountdownSlot& CountdownSlotOf(TaskKind kind) { return *kCountdowns[static_cast<int>(kind)].slot; }

AtTimeSlot& AtTimeSlotOf(TaskKind kind) { return *kAtTimes[static_cast<int>(kind)].slot; }

bool AnyAtTimeSlotArmed() {
    for (const AtTimeEntry& entry : kAtTimes)
        if (entry.slot->State == TaskArmed)
            return true;
    return false;
}

std::string& LaunchPathOf(Trigger trigger) {
    return trigger == Trigger::Countdown ? LaunchCountdownPath : LaunchAtTimePath;
}

void ArmCountdown(TaskKind kind, std::int32_t seconds, const ArmingSteps& steps) {
    CountdownSlot& slot = CountdownSlotOf(kind);
    ArmSlot(slot.SecondsLeft, slot.State, LaunchPathOf(Trigger::Countdown), seconds, steps);
}

void ArmAtTime(TaskKind kind, std::int32_t timeCode, const ArmingSteps& steps) {
    AtTimeSlot& slot = AtTimeSlotOf(kind);
    ArmSlot(slot.TargetCode, slot.State, LaunchPathOf(Trigger::AtTime), timeCode, steps);
}

void CountdownTick(TaskActions& actions) {
    for (const CountdownEntry& entry : kCountdowns) {
        CountdownSlot& slot = *entry.slot;
        if (slot.State != TaskArmed)
            continue;
        // Saturating: the lowest count is as due as any other negative one, not 68 years away.
        if (slot.SecondsLeft > std::numeric_limits<std::int32_t>::min())
            --slot.SecondsLeft;
        if (slot.SecondsLeft > 0)
            continue;
        // Done before the action: a tick nested inside a waiting action must not fire it again.
        slot.State = TaskDone;
        RaiseArmedSlotsChanged();
        actions.Run(entry.kind, Trigger::Countdown);
    }
}

void TimeOfDayTick(TaskActions& actions, const LocalClock& clock) {
    for (const AtTimeEntry& entry : kAtTimes)
        if (entry.slot->State == TaskArmed) {
            CompareArmedSlots(actions, clock);
            return;
        }
    lastCode = kNoReading;
}

void ForgetTimeOfDayReading() { lastCode = kNoReading; }

void StopTasks(TaskKind kind, const std::function<void()>& confirm) {
    for (TaskState* state : {&CountdownSlotOf(kind).State, &AtTimeSlotOf(kind).State}) {
        if (*state != TaskArmed)
            continue;
        *state = TaskDone;
        RaiseArmedSlotsChanged();
        confirm();
    }
}
