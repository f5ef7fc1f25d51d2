// The task table: the program's whole scheduling state, eight slots of plain module variables
// that the setup dialogs arm, the two ticks evaluate and the stop commands disarm; the one door
// through which a slot is armed; the two ticks; and the one notification that the set of armed
// slots changed. Pure code: the actions and the clock come in through the seams below.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/DateTime.h"

enum TaskState : std::int32_t {
    TaskIdle = 0,  // never armed since start
    TaskArmed = 1, // the ticks evaluate the slot
    TaskDone = 2,  // fired, or disarmed by a stop command
};

// Arming (ArmCountdown, ArmAtTime) writes the value first and the state last; firing and
// disarming set only the state.
struct CountdownSlot {
    std::int32_t SecondsLeft = 0;
    TaskState State = TaskIdle;
};

struct AtTimeSlot {
    std::int32_t TargetCode = 0; // a TimeCode
    TaskState State = TaskIdle;
};

inline CountdownSlot AlarmCountdown;
inline CountdownSlot ShutdownCountdown;
inline CountdownSlot ReminderCountdown;
inline std::int32_t AlarmSounded = 0; // 1 once an alarm has started its sound; never reset
inline CountdownSlot LaunchCountdown;
inline std::string LaunchCountdownPath;
inline std::string LaunchAtTimePath;
inline AtTimeSlot AlarmAtTime;
inline AtTimeSlot ShutdownAtTime;
inline AtTimeSlot ReminderAtTime;
inline AtTimeSlot LaunchAtTime;

// One integer for each second of the day: hour * 10000 + minute * 100 + second, so 1:10:05 is
// 11005 and 11:00:05 is 110005. Every second has a code of its own; no code is negative.
constexpr std::int32_t TimeCode(int hour, int minute, int second) {
    return hour * 10000 + minute * 100 + second;
}

enum class TaskKind { Alarm, Shutdown, Reminder, Launch };
enum class Trigger { Countdown, AtTime };

// The slots of one kind, and the program path of a launch slot.
CountdownSlot& CountdownSlotOf(TaskKind kind);
AtTimeSlot& AtTimeSlotOf(TaskKind kind);
// Whether any slot waits for a time of day: only then has the time-of-day tick anything to do.
bool AnyAtTimeSlotArmed();
std::string& LaunchPathOf(Trigger trigger);

// What arming writes besides the slot's value, each at its place in the door's order.
struct ArmingSteps {
    // The program a launch slot starts, written to LaunchPathOf(trigger); without one the path
    // stays as it is.
    std::optional<std::string> launchPath;
    // Runs once the value is in and before the slot is armed: the reminder dialog hands its text
    // to the reminder window here, so that the slot never fires with an earlier reminder's text.
    std::function<void()> beforeArmed;
};

// The one way a slot is armed; the input is converted and checked before (core/SetupInput.h).
// In this order: the launch path, the value, `steps.beforeArmed`, the state; then "the armed
// slots changed" is raised, a re-arm of an armed slot included. The value goes in before the
// state, so a tick never sees an armed slot with an old value. Arming an armed or fired slot
// arms it afresh from the new value.
void ArmCountdown(TaskKind kind, std::int32_t seconds, const ArmingSteps& steps = {});
void ArmAtTime(TaskKind kind, std::int32_t timeCode, const ArmingSteps& steps = {});

// "The set of armed slots changed", for whatever depends on what is armed (keeping the machine
// awake): raised after every arming, after a firing slot becomes TaskDone and before its action
// runs, and after a stop disarms a slot and before its confirmation. A subscriber reads the table
// itself; it is called from the ticks, so it must be quick, must not raise, and must neither arm,
// stop, run a message loop nor subscribe or unsubscribe anyone.
//
// Subscribes `onChange` for as long as it lives; subscribers are called in the order they
// subscribed. Raising walks the subscriptions themselves and allocates nothing.
class ArmedSlotsSubscription {
public:
    explicit ArmedSlotsSubscription(std::function<void()> onChange);
    ~ArmedSlotsSubscription();
    ArmedSlotsSubscription(const ArmedSlotsSubscription&) = delete;
    ArmedSlotsSubscription& operator=(const ArmedSlotsSubscription&) = delete;

private:
    // Declared and called in Scheduler.cpp only: nothing outside the task table raises it.
    friend void RaiseArmedSlotsChanged();

    std::function<void()> onChange_;
    ArmedSlotsSubscription* next_ = nullptr;
};

// What a firing slot does. The slot is already TaskDone, and its change raised, when Run is
// called; Run may raise, and may run a nested message loop in which the ticks run again.
class TaskActions {
public:
    virtual void Run(TaskKind kind, Trigger trigger) = 0;

protected:
    ~TaskActions() = default;
};

// The local time the time-of-day tick reads; only the time of day matters to it.
class LocalClock {
public:
    virtual DateTimeParts Now() const = 0;

protected:
    ~LocalClock() = default;
};

// Once a second: counts every armed countdown slot down by one and fires those that reach 0 or
// less, in the order alarm, shutdown, reminder, launch. An action that raises ends the tick.
void CountdownTick(TaskActions& actions);

// As often as the platform allows: reads the clock afresh for each armed at-time slot, in table
// order, and fires the slot when its TargetCode is the code of the current second, or when its
// second was skipped: it lies strictly after the second of the reading remembered from the
// previous event and strictly before the current second, that reading being more than 0 and at
// most 60 000 ms earlier going forward round the clock (midnight included). A clock set back, a
// longer gap (sleep, the clock set forward) or nothing remembered adds nothing, so a slot whose
// second has passed otherwise waits for it to come round. An action that raises ends the tick.
//
// The remembered reading is the last one the tick took during an event in which some at-time
// slot was armed; a tick that finds none armed forgets it. A long action earlier in the same
// event therefore skips no second for the slots after it, and a tick nested in an action starts
// from what the outer one read.
void TimeOfDayTick(TaskActions& actions, const LocalClock& clock);

// Forgets the reading TimeOfDayTick remembers, as a tick with nothing armed does. For tests that
// must start from a clean slate.
void ForgetTimeOfDayReading();

// A stop command: disarms the kind's countdown slot, then its at-time slot, and runs `confirm`
// after each one that was armed. Only states change. A slot is disarmed, and its change raised,
// before its confirmation, which may wait in a nested message loop where the ticks and this
// command run again.
void StopTasks(TaskKind kind, const std::function<void()>& confirm);
