// The time-of-day tick looks at every second of every armed slot, whatever ran in between: the
// program held up, an action that waits (and the ticks nested in it), an action that raises.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/TaskTimers.h"
#include "tests/common/TimeOfDayModel.h"

namespace {

using todmodel::Act;
using todmodel::Scenario;
using todmodel::Step;

constexpr std::int64_t At(int hour, int minute, int second) { return ((hour * 60LL + minute) * 60 + second) * 1000; }
constexpr std::int64_t Code(int hour, int minute, int second) { return TimeCode(hour, minute, second); }

constexpr int kAlarm = 0, kReminder = 2, kLaunch = 3;
const Step kTick{Step::Tick};
Step Arm(int slot, std::int64_t code) { return {Step::Arm, slot, code}; }
Step Advance(std::int64_t ms) { return {Step::Advance, 0, ms}; }

TEST(TimeOfDayTick, NoSecondIsLostForAnySlot) {
    const struct {
        const char* what;
        Scenario scenario;
        std::vector<int> fired;
    } cases[] = {
        {"held up across a reminder and a launch a second later: the launch fires in the reminder's wait",
         {At(11, 59, 58), true,
          {Arm(kReminder, Code(12, 0, 0)), Arm(kLaunch, Code(12, 0, 1)), Advance(1000), kTick, Advance(4000), kTick},
          {{Act::NestedTick}}},
         {kReminder, kLaunch}},
        {"an alarm whose sound fails: the launch after it fires on the next event",
         {At(11, 59, 58), true,
          {Arm(kAlarm, Code(12, 0, 0)), Arm(kLaunch, Code(12, 0, 1)), Advance(1000), kTick, Advance(4000), kTick,
           Advance(1000), kTick},
          {{Act::Raise}}},
         {kAlarm, kLaunch}},
        {"due in one second, the first action outlasting it",
         {At(11, 59, 59), true, {Arm(kReminder, Code(12, 0, 0)), Arm(kLaunch, Code(12, 0, 0)), Advance(1000), kTick},
          {{Act::Wait, 0, 1500}}},
         {kReminder, kLaunch}},
        {"held up before the first event after arming",
         {At(11, 59, 58), true, {Arm(kReminder, Code(12, 0, 0)), Advance(4000), kTick}, {}},
         {kReminder}},
        {"armed for the running second, the first event in the next",
         {At(11, 59, 58) + 400, true, {Arm(kReminder, Code(11, 59, 58)), Advance(1000), kTick}, {}},
         {kReminder}},
        {"armed for a second already past: it waits for the next day",
         {At(11, 59, 58), true, {Arm(kReminder, Code(11, 59, 57)), Advance(500), kTick, Advance(1000), kTick}, {}},
         {}},
        {"held up for more than a minute after arming",
         {At(11, 59, 58), true, {Arm(kReminder, Code(12, 0, 0)), Advance(61'000), kTick}, {}},
         {}},
        {"no reading at arming: only the running second counts at the first event",
         {At(11, 59, 58), false, {Arm(kReminder, Code(12, 0, 0)), Advance(4000), kTick}, {}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const todmodel::Outcome outcome = todmodel::Real(c.scenario).Run();
        std::vector<int> fired;
        for (const auto& [slot, ms] : outcome.fired)
            fired.push_back(slot);
        EXPECT_EQ(fired, c.fired);
        EXPECT_EQ(todmodel::Divergence(c.scenario), "");
    }
}

// Generated sequences of readings, armings, stops, stalls, clocks set back and forward, nested
// ticks, long actions and actions that raise, each checked against the model.
TEST(TimeOfDayTick, AgreesWithItsModelOverGeneratedSequences) {
    constexpr int kSequences = 100'000;
    for (int seed = 0; seed < kSequences; ++seed) {
        std::mt19937_64 random(static_cast<std::uint64_t>(seed));
        const Scenario scenario =
            todmodel::Generate([&](std::uint64_t bound) { return bound ? random() % bound : 0; });
        const std::string divergence = todmodel::Divergence(scenario);
        ASSERT_EQ(divergence, "") << "seed " << seed;
    }
}

TEST(TaskTimers, RunWhileASlotOfTheirsIsArmed) {
    using P = TimerPlan;
    const struct {
        const char* what;
        TimerPlan plan, expected;
    } cases[] = {
        {"countdown: nothing armed, stopped", CountdownTimerAfterChange(false, false), {P::Stop}},
        {"countdown: the last one went", CountdownTimerAfterChange(false, true), {P::Stop}},
        {"countdown: the first armed starts a steady second", CountdownTimerAfterChange(true, false), {P::DueIn, 1000}},
        {"countdown: another armed keeps that second", CountdownTimerAfterChange(true, true), {P::Keep}},
        {"time of day: armed, due at once", TimeOfDayTimerAfterChange(true), {P::DueIn, 0}},
        {"time of day: none armed", TimeOfDayTimerAfterChange(false), {P::Stop}},
        {"time of day tick: just after the next second", TimeOfDayTimerAtTick(true, 5'000'250),
         {P::DueIn, 750 + kSecondTickMarginMs}},
        {"time of day tick: the last slot went", TimeOfDayTimerAtTick(false, 5'000'250), {P::Stop}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.plan.Action, c.expected.Action);
        EXPECT_EQ(c.plan.DueInMs, c.expected.DueInMs);
    }
}

} // namespace
