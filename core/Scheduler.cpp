#include "core/Scheduler.h"

#include <cstdint>
#include <limits>
#include <utility>

// The one raiser of "the armed slots changed"; the subscriptions' friend.
void RaiseArmedSlotsChanged();

namespace {

struct CountdownEntry {
    CountdownSlot* Slot;
    TaskKind Kind;
};

struct AtTimeEntry {
    AtTimeSlot* Slot;
    TaskKind Kind;
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

constexpr std::int64_t kNoReading = -1;
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kMsPerDay = kSecondsPerDay * 1000;
constexpr std::int64_t kLongestSkipMs = 60'000; // a longer gap is sleep or a clock set forward

// Where the time-of-day tick last looked for one at-time slot: the millisecond of the day of that
// reading, and whether the second it falls in is still to be looked at (a reading taken when the
// slot was armed, not by a comparison). None until the slot is compared or given a reading.
struct LastLook {
    std::int64_t Ms = kNoReading;
    bool OwnSecondOpen = false;
};

// Indexed by TaskKind, as kAtTimes is. Each slot has its own: what a tick looked at for one slot
// says nothing of the others, whose comparisons a long action or a raising one may have put off.
LastLook lastLooks[4];

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

std::int64_t MillisecondOfDay(const DateTimeParts& time) {
    return ((time.Hour * 60LL + time.Minute) * 60 + time.Second) * 1000 + time.Millisecond;
}

// How far `to` lies after `from` going forward round a clock face of `period`.
std::int64_t Forward(std::int64_t from, std::int64_t to, std::int64_t period) {
    return ((to - from) % period + period) % period;
}

// Whether the target's second is among those this reading looks at for the slot: its own, and,
// when the slot's last look is at most kLongestSkipMs behind going forward, every second after
// that look's (and that look's own while it is still open). Leaves the reading as the slot's last
// look. Out of line: it runs once a second.
[[gnu::noinline]] bool LooksAtTarget(LastLook& look, std::int32_t target, const DateTimeParts& now) {
    const LastLook before = look;
    const std::int64_t nowMs = MillisecondOfDay(now);
    look = {nowMs, false};
    if (TimeCode(now.Hour, now.Minute, now.Second) == target)
        return true;
    const std::int64_t second = SecondOfDay(target);
    if (before.Ms == kNoReading || second < 0 || Forward(before.Ms, nowMs, kMsPerDay) > kLongestSkipMs)
        return false;
    const std::int64_t from = before.Ms / 1000;
    const std::int64_t ahead = Forward(from, second, kSecondsPerDay);
    return ahead <= Forward(from, nowMs / 1000, kSecondsPerDay) && (ahead > 0 || before.OwnSecondOpen);
}

// The door's order for either kind of slot: path, value, the caller's step, state, notification.
void ArmSlot(std::int32_t& value, TaskState& state, std::string& launchPath, std::int32_t newValue,
             const ArmingSteps& steps) {
    if (steps.LaunchPath)
        launchPath = *steps.LaunchPath;
    value = newValue;
    if (steps.BeforeArmed)
        steps.BeforeArmed();
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

CountdownSlot& CountdownSlotOf(TaskKind kind) { return *kCountdowns[static_cast<int>(kind)].Slot; }

AtTimeSlot& AtTimeSlotOf(TaskKind kind) { return *kAtTimes[static_cast<int>(kind)].Slot; }

bool AnyAtTimeSlotArmed() {
    for (const AtTimeEntry& entry : kAtTimes)
        if (entry.Slot->State == TaskArmed)
            return true;
    return false;
}

bool AnyCountdownSlotArmed() {
    for (const CountdownEntry& entry : kCountdowns)
        if (entry.Slot->State == TaskArmed)
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
    // Armed afresh, the slot has been looked at for no second yet.
    lastLooks[static_cast<int>(kind)] = {};
    ArmSlot(slot.TargetCode, slot.State, LaunchPathOf(Trigger::AtTime), timeCode, steps);
}

void CountdownTick(TaskActions& actions) {
    for (const CountdownEntry& entry : kCountdowns) {
        CountdownSlot& slot = *entry.Slot;
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
        actions.Run(entry.Kind, Trigger::Countdown);
    }
}

void TimeOfDayTick(TaskActions& actions, const LocalClock& clock) {
    for (const AtTimeEntry& entry : kAtTimes) {
        AtTimeSlot& slot = *entry.Slot;
        if (slot.State != TaskArmed)
            continue;
        // Read afresh for each slot, and looked at from that slot's own last look: whatever ran
        // since (a nested tick, an action that raised, a long action before it in this event)
        // leaves no second of it unseen.
        if (!LooksAtTarget(lastLooks[static_cast<int>(entry.Kind)], slot.TargetCode, clock.Now()))
            continue;
        slot.State = TaskDone;
        RaiseArmedSlotsChanged();
        actions.Run(entry.Kind, Trigger::AtTime);
    }
}

void TakeArmingReadings(const LocalClock& clock) {
    std::int64_t nowMs = kNoReading; // read once, and only when a slot needs it
    for (const AtTimeEntry& entry : kAtTimes) {
        LastLook& look = lastLooks[static_cast<int>(entry.Kind)];
        if (entry.Slot->State != TaskArmed || look.Ms != kNoReading)
            continue;
        if (nowMs == kNoReading)
            nowMs = MillisecondOfDay(clock.Now());
        look = {nowMs, true};
    }
}

void StopTasks(TaskKind kind, const std::function<void()>& confirm) {
    for (TaskState* state : {&CountdownSlotOf(kind).State, &AtTimeSlotOf(kind).State}) {
        if (*state != TaskArmed)
            continue;
        *state = TaskDone;
        RaiseArmedSlotsChanged();
        confirm();
    }
}
