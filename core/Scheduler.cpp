#include "core/Scheduler.h"

#include <limits>

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

} // namespace

CountdownSlot& CountdownSlotOf(TaskKind kind) { return *kCountdowns[static_cast<int>(kind)].slot; }

AtTimeSlot& AtTimeSlotOf(TaskKind kind) { return *kAtTimes[static_cast<int>(kind)].slot; }

std::string& LaunchPathOf(Trigger trigger) {
    return trigger == Trigger::Countdown ? LaunchCountdownPath : LaunchAtTimePath;
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
        actions.Run(entry.kind, Trigger::Countdown);
    }
}

void TimeOfDayTick(TaskActions& actions, const LocalClock& clock) {
    for (const AtTimeEntry& entry : kAtTimes) {
        AtTimeSlot& slot = *entry.slot;
        if (slot.State != TaskArmed)
            continue;
        const TimeOfDay now = clock.Now();
        if (TimeCode(now.hour, now.minute, now.second) != slot.TargetCode)
            continue;
        slot.State = TaskDone;
        actions.Run(entry.kind, Trigger::AtTime);
    }
}

void StopTasks(TaskKind kind, const std::function<void()>& confirm) {
    for (TaskState* state : {&CountdownSlotOf(kind).State, &AtTimeSlotOf(kind).State}) {
        if (*state != TaskArmed)
            continue;
        *state = TaskDone;
        confirm();
    }
}
