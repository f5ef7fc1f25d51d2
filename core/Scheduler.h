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
// Whether any slot waits for a time of day, or counts down: only then has that tick anything to do.
bool AnyAtTimeSlotArmed();
bool AnyCountdownSlotArmed();
std::string& LaunchPathOf(Trigger trigger);

// What arming writes besides the slot's value, each at its place in the door's order.
struct ArmingSteps {
    // The program a launch slot starts, written to LaunchPathOf(trigger); without one the path
    // stays as it is.
    std::optional<std::string> LaunchPath;
    // Runs once the value is in and before the slot is armed: the reminder dialog hands its text
    // to the reminder window here, so that the slot never fires with an earlier reminder's text.
    std::function<void()> BeforeArmed;
};

// The one way a slot is armed; the input is converted and checked before (core/SetupInput.h).
// In this order: the launch path, the value, `steps.BeforeArmed`, the state; then "the armed
// slots changed" is raised, a re-arm of an armed slot included. The value goes in before the
// state, so a tick never sees an armed slot with an old value. Arming an armed or fired slot
// arms it afresh from the new value.
void ArmCountdown(TaskKind kind, std::int32_t seconds, const ArmingSteps& steps = {});
void ArmAtTime(TaskKind kind, std::int32_t timeCode, const ArmingSteps& steps = {});

// "The set of armed slots changed", for whatever depends on what is armed (keeping the machine
// awake, running the task timers): raised after every arming, after a firing slot becomes
// TaskDone and before its action runs, and after a stop disarms a slot and before its
// confirmation. A subscriber reads the table
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

// Once a second, while a slot waits for a time of day: reads the clock afresh for each armed
// at-time slot, in table order, and fires the slot when its second is among those the reading
// looks at for it, once. A reading looks at its own second, and at every second since the slot's
// last look when that look is more than 0 and at most 60 s behind it going forward (midnight
// included). The slot's last look is the previous reading that compared it, or the reading taken
// when it was armed (TakeArmingReadings), whose own second counts too.
//
// So a forward gap of at most 60 s fires the slots whose seconds it passed, at once, whatever
// caused it: the program held up, the machine briefly asleep, the clock set forward. A longer gap
// or a clock set back adds nothing but the running second: a slot whose second went by then,
// like one armed for a time already past, waits for it to come round the next day. Each slot is
// looked at from its own last look, so no second is lost for the slots after one whose action
// waits (the ticks nested in it compare them) or raises (the next event does, from where it was).
// An action that raises ends the tick.
void TimeOfDayTick(TaskActions& actions, const LocalClock& clock);

// Gives every armed at-time slot that has been looked at for no second since its arming the
// reading of now, once for them all: from that second on, a stall before the slot's first tick
// loses none of its seconds. Reads the clock only when such a slot exists; raises nothing, so
// "the armed slots changed" may call it.
void TakeArmingReadings(const LocalClock& clock);

// A stop command: disarms the kind's countdown slot, then its at-time slot, and runs `confirm`
// after each one that was armed. Only states change. A slot is disarmed, and its change raised,
// before its confirmation, which may wait in a nested message loop where the ticks and this
// command run again.
void StopTasks(TaskKind kind, const std::function<void()>& confirm);
