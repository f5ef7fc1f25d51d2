// The task table as the tests arm and reset it, for the native tests of the core and for the tests
// and helper programs under Wine alike. Arming goes through the core's door (ArmCountdown,
// ArmAtTime), as a setup dialog arms, so whatever follows the table hears of it; a test that needs
// a slot in a state no dialog makes (idle, done, armed without a notification) writes it itself.
#pragma once

#include <cstdint>

#include "core/Scheduler.h"

namespace tablefixture {

inline constexpr TaskKind kKinds[] = {TaskKind::Alarm, TaskKind::Shutdown, TaskKind::Reminder, TaskKind::Launch};
inline constexpr Trigger kTriggers[] = {Trigger::Countdown, Trigger::AtTime};

inline TaskState& StateOf(TaskKind kind, Trigger trigger) {
    return trigger == Trigger::Countdown ? CountdownSlotOf(kind).State : AtTimeSlotOf(kind).State;
}

// Arms the slot of `trigger` through the door: `value` is its SecondsLeft or its TargetCode.
inline void Arm(TaskKind kind, Trigger trigger, std::int32_t value) {
    if (trigger == Trigger::Countdown)
        ArmCountdown(kind, value);
    else
        ArmAtTime(kind, value);
}

// The table as at start: every armed slot is first disarmed as the stop commands do, so that
// whatever follows the table (the keep-awake request) hears of it; then every slot is idle with
// no value, both launch paths are empty and no alarm has sounded. Arming through the door starts
// a slot's time-of-day looks afresh.
inline void ResetTaskTable() {
    for (const TaskKind kind : kKinds) {
        StopTasks(kind, [] {});
        CountdownSlotOf(kind) = {};
        AtTimeSlotOf(kind) = {};
    }
    LaunchCountdownPath.clear();
    LaunchAtTimePath.clear();
    AlarmSounded = 0;
}

} // namespace tablefixture
