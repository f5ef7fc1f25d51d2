#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Scheduler.h"
#include "tests/common/TaskTableFixture.h"

namespace {

using Firing = std::pair<TaskKind, Trigger>;
using tablefixture::kKinds;

// Records every firing, then runs the test's hook (which may check state, raise or tick again).
class RecordingActions final : public TaskActions {
public:
    void Run(TaskKind kind, Trigger trigger) override {
        fired.emplace_back(kind, trigger);
        if (hook)
            hook(kind, trigger);
    }
    std::vector<Firing> fired;
    std::function<void(TaskKind, Trigger)> hook;
};

constexpr DateTimeParts Time(int hour, int minute, int second, int millisecond = 0) {
    return {.Hour = hour, .Minute = minute, .Second = second, .Millisecond = millisecond};
}

// Shows a fixed time of day, or one a second later on each reading when `advancing` is set.
class FakeClock final : public LocalClock {
public:
    explicit FakeClock(DateTimeParts time, bool advancing = false) : time_(time), advancing_(advancing) {}
    DateTimeParts Now() const override {
        DateTimeParts shown = time_;
        shown.Second += advancing_ ? reads : 0;
        ++reads;
        return shown;
    }
    mutable int reads = 0;

private:
    DateTimeParts time_;
    bool advancing_;
};

constexpr DateTimeParts kNoon = Time(12, 0, 0);
constexpr std::int32_t kNoonCode = TimeCode(12, 0, 0);

class SchedulerTest : public ::testing::Test {
protected:
    void SetUp() override { tablefixture::ResetTaskTable(); }
    RecordingActions actions;
};

TEST(TimeCode, GivesEverySecondOfTheDayItsOwnNonNegativeCode) {
    std::vector<bool> seen(TimeCode(23, 59, 59) + 1, false);
    int distinct = 0;
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m)
            for (int s = 0; s < 60; ++s) {
                const std::int32_t code = TimeCode(h, m, s);
                ASSERT_GE(code, 0) << h << ':' << m << ':' << s;
                ASSERT_LT(code, static_cast<std::int32_t>(seen.size()));
                distinct += !seen[code];
                seen[code] = true;
            }
    EXPECT_EQ(distinct, 86400);
    EXPECT_NE(TimeCode(1, 10, 5), TimeCode(11, 0, 5));
}

TEST_F(SchedulerTest, CountdownFiresOnTheTickThatUsesUpItsSeconds) {
    for (const TaskKind kind : kKinds)
        for (const std::int32_t seconds : {1, 2, 3, 60}) {
            SCOPED_TRACE(::testing::Message() << "slot " << static_cast<int>(kind) << ", " << seconds << " s");
            SetUp();
            actions.fired.clear();
            ArmCountdown(kind, seconds);
            for (int tick = 1; tick < seconds; ++tick)
                CountdownTick(actions);
            EXPECT_TRUE(actions.fired.empty()) << "fired early";
            CountdownTick(actions);
            EXPECT_EQ(actions.fired, (std::vector<Firing>{{kind, Trigger::Countdown}}));
            EXPECT_EQ(CountdownSlotOf(kind).State, TaskDone);
            for (int tick = 0; tick < 3; ++tick)
                CountdownTick(actions);
            EXPECT_EQ(actions.fired.size(), 1u) << "fired again";
        }
}

TEST_F(SchedulerTest, CountdownArmedWithZeroOrLessFiresOnTheFirstTick) {
    for (const std::int32_t seconds : {0, -1, -3600, std::numeric_limits<std::int32_t>::min() + 1}) {
        SCOPED_TRACE(seconds);
        SetUp();
        actions.fired.clear();
        ArmCountdown(TaskKind::Reminder, seconds);
        CountdownTick(actions);
        EXPECT_EQ(actions.fired, (std::vector<Firing>{{TaskKind::Reminder, Trigger::Countdown}}));
    }
}

// The most negative count a setup dialog can read ("-2147483648" converts) is still a negative
// number of seconds and must fire at once, not wrap round to the largest count.
TEST_F(SchedulerTest, CountdownArmedWithTheMostNegativeCountFiresOnTheFirstTick) {
    ArmCountdown(TaskKind::Alarm, std::numeric_limits<std::int32_t>::min());
    CountdownTick(actions);
    EXPECT_EQ(actions.fired, (std::vector<Firing>{{TaskKind::Alarm, Trigger::Countdown}}));
}

TEST_F(SchedulerTest, UnarmedSlotsAreLeftAloneByBothTicks) {
    for (const TaskState state : {TaskIdle, TaskDone}) {
        SCOPED_TRACE(static_cast<int>(state));
        SetUp();
        for (const TaskKind kind : kKinds) {
            CountdownSlotOf(kind) = CountdownSlot{1, state};
            AtTimeSlotOf(kind) = AtTimeSlot{kNoonCode, state};
        }
        FakeClock clock(kNoon);
        for (int tick = 0; tick < 3; ++tick) {
            CountdownTick(actions);
            TimeOfDayTick(actions, clock);
        }
        EXPECT_TRUE(actions.fired.empty());
        EXPECT_EQ(clock.reads, 0);
        for (const TaskKind kind : kKinds) {
            EXPECT_EQ(CountdownSlotOf(kind).SecondsLeft, 1);
            EXPECT_EQ(CountdownSlotOf(kind).State, state);
            EXPECT_EQ(AtTimeSlotOf(kind).State, state);
        }
    }
}

TEST_F(SchedulerTest, SlotsDueTogetherFireInTableOrderWhateverTheArmingOrder) {
    for (const TaskKind kind : {TaskKind::Launch, TaskKind::Reminder, TaskKind::Alarm, TaskKind::Shutdown}) {
        ArmCountdown(kind, 2);
        ArmAtTime(kind, kNoonCode);
    }
    CountdownTick(actions);
    EXPECT_TRUE(actions.fired.empty());
    CountdownTick(actions);
    FakeClock clock(kNoon);
    TimeOfDayTick(actions, clock);
    std::vector<Firing> expected;
    for (const Trigger trigger : {Trigger::Countdown, Trigger::AtTime})
        for (const TaskKind kind : kKinds)
            expected.emplace_back(kind, trigger);
    EXPECT_EQ(actions.fired, expected);
}

TEST_F(SchedulerTest, RearmingACountdownRestartsItFromTheNewValue) {
    const struct {
        const char* what;
        std::int32_t first, ticksBefore, second;
    } cases[] = {
        {"longer while armed", 5, 3, 4},
        {"shorter while armed", 10, 2, 1},
        {"after it fired", 1, 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        actions.fired.clear();
        ArmCountdown(TaskKind::Shutdown, c.first);
        for (int tick = 0; tick < c.ticksBefore; ++tick)
            CountdownTick(actions);
        const std::size_t firedBefore = actions.fired.size();
        ArmCountdown(TaskKind::Shutdown, c.second);
        for (int tick = 1; tick < c.second; ++tick)
            CountdownTick(actions);
        EXPECT_EQ(actions.fired.size(), firedBefore) << "fired before the new count ran out";
        CountdownTick(actions);
        EXPECT_EQ(actions.fired.size(), firedBefore + 1);
    }
}

TEST_F(SchedulerTest, SlotIsDoneWhileItsActionRuns) {
    std::vector<TaskState> seen;
    actions.hook = [&](TaskKind kind, Trigger trigger) {
        seen.push_back(trigger == Trigger::Countdown ? CountdownSlotOf(kind).State : AtTimeSlotOf(kind).State);
    };
    for (const TaskKind kind : kKinds) {
        ArmCountdown(kind, 1);
        ArmAtTime(kind, kNoonCode);
    }
    CountdownTick(actions);
    TimeOfDayTick(actions, FakeClock(kNoon));
    EXPECT_EQ(seen, std::vector<TaskState>(8, TaskDone));
}

// The raising slot ends the tick: later slots are neither counted nor fired until the next tick,
// which evaluates them normally and does not retry the slot that raised.
TEST_F(SchedulerTest, ActionThatRaisesEndsOnlyTheCurrentTick) {
    for (std::size_t raiser = 0; raiser < std::size(kKinds); ++raiser) {
        SCOPED_TRACE(raiser);
        SetUp();
        actions.fired.clear();
        actions.hook = [&](TaskKind kind, Trigger) {
            if (kind == kKinds[raiser])
                throw std::runtime_error("action failed");
        };
        for (const TaskKind kind : kKinds) {
            ArmCountdown(kind, 1);
            ArmAtTime(kind, kNoonCode);
        }
        FakeClock clock(kNoon);
        EXPECT_THROW(CountdownTick(actions), std::runtime_error);
        EXPECT_THROW(TimeOfDayTick(actions, clock), std::runtime_error);
        std::vector<Firing> expected;
        for (const Trigger trigger : {Trigger::Countdown, Trigger::AtTime})
            for (std::size_t i = 0; i <= raiser; ++i)
                expected.emplace_back(kKinds[i], trigger);
        EXPECT_EQ(actions.fired, expected);
        for (std::size_t i = 0; i < std::size(kKinds); ++i) {
            const TaskState state = i <= raiser ? TaskDone : TaskArmed;
            EXPECT_EQ(CountdownSlotOf(kKinds[i]).State, state) << "slot " << i;
            EXPECT_EQ(CountdownSlotOf(kKinds[i]).SecondsLeft, i <= raiser ? 0 : 1) << "slot " << i;
            EXPECT_EQ(AtTimeSlotOf(kKinds[i]).State, state) << "slot " << i;
        }

        actions.fired.clear();
        CountdownTick(actions);
        TimeOfDayTick(actions, clock);
        expected.clear();
        for (const Trigger trigger : {Trigger::Countdown, Trigger::AtTime})
            for (std::size_t i = raiser + 1; i < std::size(kKinds); ++i)
                expected.emplace_back(kKinds[i], trigger);
        EXPECT_EQ(actions.fired, expected);
    }
}

// An alarm waits for its sound in a nested message loop, in which both ticks go on running for
// three seconds, whichever trigger fired the alarm.
TEST_F(SchedulerTest, NestedTicksNeverRefireADoneSlotButKeepTheOthersGoing) {
    for (const Trigger outer : {Trigger::Countdown, Trigger::AtTime}) {
        SCOPED_TRACE(static_cast<int>(outer));
        SetUp();
        actions.fired.clear();
        FakeClock clock(kNoon);
        std::vector<Firing> firedInside;
        bool inside = false;
        actions.hook = [&](TaskKind kind, Trigger) {
            if (inside || kind != TaskKind::Alarm)
                return;
            inside = true;
            for (int second = 0; second < 3; ++second) {
                const std::size_t before = actions.fired.size();
                CountdownTick(actions);
                TimeOfDayTick(actions, clock);
                firedInside.insert(firedInside.end(), actions.fired.begin() + before, actions.fired.end());
            }
            inside = false;
        };
        if (outer == Trigger::Countdown)
            ArmCountdown(TaskKind::Alarm, 1);
        else
            ArmAtTime(TaskKind::Alarm, kNoonCode);
        ArmCountdown(TaskKind::Shutdown, 2);  // fires in the second nested tick
        ArmCountdown(TaskKind::Reminder, 10); // counted by every nested tick
        ArmAtTime(TaskKind::Launch, kNoonCode); // fires in the first nested tick

        if (outer == Trigger::Countdown)
            CountdownTick(actions);
        else
            TimeOfDayTick(actions, clock);
        EXPECT_EQ(firedInside, (std::vector<Firing>{{TaskKind::Launch, Trigger::AtTime},
                                                    {TaskKind::Shutdown, Trigger::Countdown}}));
        EXPECT_EQ(actions.fired.size(), 3u) << "the alarm once, then the two inside it";
        EXPECT_EQ(ReminderCountdown.SecondsLeft, outer == Trigger::Countdown ? 6 : 7);

        // Back outside, with the same second still showing: nothing is left to fire.
        CountdownTick(actions);
        TimeOfDayTick(actions, clock);
        EXPECT_EQ(actions.fired.size(), 3u);
    }
}

TEST_F(SchedulerTest, AtTimeSlotFiresOnlyInItsOwnSecond) {
    const struct {
        const char* what;
        DateTimeParts now;
        std::int32_t target;
        bool fires;
    } cases[] = {
        {"the same second", Time(12, 0, 0), kNoonCode, true},
        {"late in the same second", Time(12, 0, 0, 999), kNoonCode, true},
        {"midnight", Time(0, 0, 0), 0, true},
        {"last second of the day", Time(23, 59, 59), TimeCode(23, 59, 59), true},
        {"a second early", Time(11, 59, 59, 999), kNoonCode, false},
        {"a second late", Time(12, 0, 1), kNoonCode, false},
        {"an hour early", Time(11, 0, 0), kNoonCode, false},
        {"digits that look alike", Time(1, 10, 5), TimeCode(11, 0, 5), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        actions.fired.clear();
        ArmAtTime(TaskKind::Reminder, c.target);
        TimeOfDayTick(actions, FakeClock(c.now));
        EXPECT_EQ(actions.fired.size(), c.fires ? 1u : 0u);
        // A slot whose second has passed stays armed: it waits for that second to come round.
        EXPECT_EQ(ReminderAtTime.State, c.fires ? TaskDone : TaskArmed);
    }
}

TEST_F(SchedulerTest, NegativeTargetNeverFiresAtAnySecondOfTheDay) {
    for (const std::int32_t target : {-1, -TimeCode(12, 0, 0), std::numeric_limits<std::int32_t>::min()}) {
        SCOPED_TRACE(target);
        ArmAtTime(TaskKind::Launch, target);
        for (int h = 0; h < 24; ++h)
            for (int m = 0; m < 60; ++m)
                for (int s = 0; s < 60; ++s)
                    TimeOfDayTick(actions, FakeClock(Time(h, m, s)));
        EXPECT_TRUE(actions.fired.empty());
        EXPECT_EQ(LaunchAtTime.State, TaskArmed);
    }
}

TEST_F(SchedulerTest, TimeOfDayTickReadsTheClockOncePerArmedSlot) {
    for (unsigned armed = 0; armed < 16; ++armed) {
        SCOPED_TRACE(armed);
        SetUp();
        int expectedReads = 0;
        for (std::size_t i = 0; i < std::size(kKinds); ++i) {
            AtTimeSlotOf(kKinds[i]) = AtTimeSlot{TimeCode(6, 0, 0), (armed >> i) & 1 ? TaskArmed : TaskDone};
            expectedReads += (armed >> i) & 1;
        }
        FakeClock clock(kNoon);
        TimeOfDayTick(actions, clock);
        EXPECT_EQ(clock.reads, expectedReads);
    }
    EXPECT_TRUE(actions.fired.empty());
}

// A tick that straddles a change of second sees the new second for the later slots.
TEST_F(SchedulerTest, EachArmedSlotIsComparedWithAFreshReading) {
    for (int i = 0; i < 4; ++i)
        ArmAtTime(kKinds[i], TimeCode(12, 0, i));
    FakeClock clock(kNoon, /*advancing=*/true);
    TimeOfDayTick(actions, clock);
    EXPECT_EQ(actions.fired.size(), 4u);
}

// Gives its readings in turn, then keeps giving the last.
class ScriptedClock final : public LocalClock {
public:
    explicit ScriptedClock(std::vector<DateTimeParts> readings) : readings_(std::move(readings)) {}
    DateTimeParts Now() const override { return readings_[std::min(next_++, readings_.size() - 1)]; }

private:
    std::vector<DateTimeParts> readings_;
    mutable std::size_t next_ = 0;
};

// The program held up between two ticks: a slot whose second went by unseen fires on the tick
// after, when the two are at most a minute apart going forward.
TEST_F(SchedulerTest, AtTimeSlotWhoseSecondAStallSkippedFiresOnTheNextTick) {
    using enum TaskKind;
    using Slots = std::vector<std::pair<TaskKind, std::int32_t>>;
    const struct {
        const char* what;
        Slots armedBefore; // for the tick before the stall, which reads `before`
        DateTimeParts before;
        Slots armedDuring;
        std::vector<DateTimeParts> after; // the readings of the tick after, in turn
        std::vector<TaskKind> fired;
    } cases[] = {
        {"1.5 s", {{Reminder, kNoonCode}}, Time(11, 59, 59, 800), {}, {Time(12, 0, 1, 300)}, {Reminder}},
        {"3 s", {{Reminder, kNoonCode}}, Time(11, 59, 58, 500), {}, {Time(12, 0, 1, 500)}, {Reminder}},
        {"60 s", {{Reminder, kNoonCode}}, Time(11, 59, 30), {}, {Time(12, 0, 30)}, {Reminder}},
        {"60.001 s", {{Reminder, kNoonCode}}, Time(11, 59, 30), {}, {Time(12, 0, 30, 1)}, {}},
        {"61 s", {{Reminder, kNoonCode}}, Time(11, 59, 30), {}, {Time(12, 0, 31)}, {}},
        {"across midnight", {{Reminder, 0}}, Time(23, 59, 59, 500), {}, {Time(0, 0, 1)}, {Reminder}},
        {"the clock set back", {{Reminder, kNoonCode}}, Time(12, 0, 3), {}, {Time(11, 59, 58)}, {}},
        {"past when armed", {{Launch, TimeCode(6, 0, 0)}}, Time(12, 0, 5), {{Reminder, TimeCode(12, 0, 3)}},
         {Time(12, 0, 5, 500)}, {}},
        {"two skipped in table order, one still ahead",
         {{Launch, TimeCode(12, 0, 3)}, {Shutdown, TimeCode(12, 0, 1)}, {Alarm, kNoonCode}}, Time(11, 59, 59), {},
         {Time(12, 0, 2)}, {Alarm, Shutdown}},
        {"due together, the first action slow", {{Alarm, kNoonCode}, {Shutdown, kNoonCode}}, Time(11, 59, 59, 900),
         {}, {Time(12, 0, 0, 100), Time(12, 0, 3)}, {Alarm, Shutdown}},
        {"nothing armed before", {}, Time(11, 59, 59), {{Reminder, kNoonCode}}, {Time(12, 0, 1)}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        actions.fired.clear();
        for (const auto& [kind, target] : c.armedBefore)
            ArmAtTime(kind, target);
        TimeOfDayTick(actions, FakeClock(c.before));
        ASSERT_TRUE(actions.fired.empty());
        for (const auto& [kind, target] : c.armedDuring)
            ArmAtTime(kind, target);
        const ScriptedClock clock(c.after);
        TimeOfDayTick(actions, clock);
        TimeOfDayTick(actions, clock); // once each
        std::vector<Firing> expected;
        for (const TaskKind kind : c.fired)
            expected.emplace_back(kind, Trigger::AtTime);
        EXPECT_EQ(actions.fired, expected);
    }
}

// Whatever follows the table hears of each change at once, before anything that may wait: the
// action of a firing slot, the confirmation of a stop. Arming an armed slot is a change too.
TEST_F(SchedulerTest, ArmedSlotsChangedIsRaisedAfterEachArmFiringAndStopAndBeforeWhatFollows) {
    using enum TaskKind;
    std::vector<std::string> seen;
    const auto armed = [] {
        int count = 0;
        for (const TaskKind kind : kKinds)
            for (const Trigger trigger : tablefixture::kTriggers)
                count += tablefixture::StateOf(kind, trigger) == TaskArmed;
        return std::to_string(count) + " armed";
    };
    actions.hook = [&](TaskKind, Trigger) { seen.push_back("action, " + armed()); };
    const auto confirm = [&] { seen.push_back("confirm, " + armed()); };
    const auto handOnText = [&] {
        seen.push_back("text, " + LaunchAtTimePath + " " + std::to_string(LaunchAtTime.TargetCode) + ", " + armed());
    };
    const struct {
        const char* what;
        std::function<void()> before; // unheard: done before the subscription
        std::function<void()> act;
        std::vector<std::string> seen;
    } cases[] = {
        {"a countdown armed", [] {}, [] { ArmCountdown(Alarm, 60); }, {"changed, 1 armed"}},
        {"armed again while armed", [] { ArmCountdown(Alarm, 60); }, [] { ArmCountdown(Alarm, 30); },
         {"changed, 1 armed"}},
        {"a launch at a time of day: path and value in before the dialog's step, then armed", [] {},
         [&] { ArmAtTime(Launch, kNoonCode, {.LaunchPath = "C:\\a.exe", .BeforeArmed = handOnText}); },
         {"text, C:\\a.exe 120000, 0 armed", "changed, 1 armed"}},
        {"a countdown fires", [] { ArmCountdown(Shutdown, 1); }, [&] { CountdownTick(actions); },
         {"changed, 0 armed", "action, 0 armed"}},
        {"a time of day fires", [] { ArmAtTime(Reminder, kNoonCode); },
         [&] { TimeOfDayTick(actions, FakeClock(kNoon)); }, {"changed, 0 armed", "action, 0 armed"}},
        {"both slots of a kind stopped", [] { ArmCountdown(Alarm, 60); ArmAtTime(Alarm, kNoonCode); },
         [&] { StopTasks(Alarm, confirm); },
         {"changed, 1 armed", "confirm, 1 armed", "changed, 0 armed", "confirm, 0 armed"}},
        {"ticks with nothing due and a stop with nothing armed",
         [] { ArmCountdown(Alarm, 60); ArmAtTime(Alarm, kNoonCode + 1); },
         [&] {
             CountdownTick(actions);
             TimeOfDayTick(actions, FakeClock(kNoon));
             StopTasks(Shutdown, confirm);
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.before();
        seen.clear();
        const ArmedSlotsSubscription subscription([&] { seen.push_back("changed, " + armed()); });
        c.act();
        EXPECT_EQ(seen, c.seen);
    }
}

TEST_F(SchedulerTest, ArmedSlotsChangedReachesEachSubscriberInTurnForAsLongAsItIsSubscribed) {
    std::vector<std::string> seen;
    const auto record = [&](const char* name) { return [&seen, name] { seen.push_back(name); }; };
    std::optional<ArmedSlotsSubscription> first, second, third;
    const struct {
        const char* what;
        std::function<void()> change;
        std::vector<std::string> seen;
    } steps[] = {
        {"none", [] {}, {}},
        {"three subscribed",
         [&] {
             first.emplace(record("1"));
             second.emplace(record("2"));
             third.emplace(record("3"));
         },
         {"1", "2", "3"}},
        {"the middle one gone", [&] { second.reset(); }, {"1", "3"}},
        {"the first gone, then subscribed again", [&] { first.reset(); first.emplace(record("1")); }, {"3", "1"}},
        {"all gone", [&] { first.reset(); third.reset(); }, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        seen.clear();
        ArmCountdown(TaskKind::Alarm, 60);
        EXPECT_EQ(seen, step.seen);
    }
}

} // namespace

TEST_F(SchedulerTest, StopDisarmsTheKindsArmedSlotsOnlyAndConfirmsEachAfterItIsDisarmed) {
    const struct {
        TaskState countdown, atTime;
        int confirmations;
    } cases[] = {
        {TaskIdle, TaskIdle, 0}, {TaskDone, TaskDone, 0}, {TaskArmed, TaskIdle, 1},
        {TaskDone, TaskArmed, 1}, {TaskArmed, TaskArmed, 2},
    };
    for (const TaskKind kind : kKinds)
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(kind) << ", states " << c.countdown
                                              << '/' << c.atTime);
            SetUp();
            for (const TaskKind other : kKinds) {
                CountdownSlotOf(other) = {42, other == kind ? c.countdown : TaskArmed};
                AtTimeSlotOf(other) = {1200, other == kind ? c.atTime : TaskArmed};
            }
            LaunchCountdownPath = "a.exe";
            int confirmations = 0;
            StopTasks(kind, [&] {
                ++confirmations;
                // Each slot is disarmed before its confirmation shows.
                const int stillArmed = (CountdownSlotOf(kind).State == TaskArmed) + (AtTimeSlotOf(kind).State == TaskArmed);
                EXPECT_EQ(stillArmed, c.confirmations - confirmations);
            });
            EXPECT_EQ(confirmations, c.confirmations);
            EXPECT_NE(CountdownSlotOf(kind).State, TaskArmed);
            EXPECT_NE(AtTimeSlotOf(kind).State, TaskArmed);
            for (const TaskKind other : kKinds) {
                EXPECT_EQ(CountdownSlotOf(other).SecondsLeft, 42);
                EXPECT_EQ(AtTimeSlotOf(other).TargetCode, 1200);
                if (other != kind) {
                    EXPECT_EQ(CountdownSlotOf(other).State, TaskArmed);
                    EXPECT_EQ(AtTimeSlotOf(other).State, TaskArmed);
                }
            }
            EXPECT_EQ(LaunchCountdownPath, "a.exe");
        }
}
