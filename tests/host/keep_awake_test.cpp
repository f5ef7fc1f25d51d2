#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/KeepAwake.h"
#include "core/Scheduler.h"

namespace {

constexpr TaskKind kKinds[] = {TaskKind::Alarm, TaskKind::Shutdown, TaskKind::Reminder, TaskKind::Launch};

TaskState& StateOf(TaskKind kind, Trigger trigger) {
    return trigger == Trigger::Countdown ? CountdownSlotOf(kind).State : AtTimeSlotOf(kind).State;
}

// Each step changes the table, then the request follows it; the platform hears of changes only.
TEST(AwakeRequest, IsOnWhileAnySlotIsArmedAndAppliedOnlyWhenThatChanges) {
    struct Step {
        const char* what;
        std::function<void()> change;
        bool requested;
    };
    std::vector<Step> steps = {{"nothing armed", [] {}, false}};
    for (const TaskKind kind : kKinds)
        for (const Trigger trigger : {Trigger::Countdown, Trigger::AtTime}) {
            steps.push_back({"one slot armed", [=] { StateOf(kind, trigger) = TaskArmed; }, true});
            steps.push_back({"it fired", [=] { StateOf(kind, trigger) = TaskDone; }, false});
        }
    steps.insert(steps.end(), {
        {"an idle slot", [] { ShutdownAtTime.State = TaskIdle; }, false},
        {"two armed", [] { AlarmCountdown.State = LaunchAtTime.State = TaskArmed; }, true},
        {"one of them stopped", [] { StopTasks(TaskKind::Alarm, [] {}); }, true},
        {"the other stopped", [] { StopTasks(TaskKind::Launch, [] {}); }, false},
        {"armed again", [] { ReminderCountdown.State = TaskArmed; }, true},
    });

    for (const TaskKind kind : kKinds)
        StateOf(kind, Trigger::Countdown) = StateOf(kind, Trigger::AtTime) = TaskIdle;
    std::vector<bool> applied;
    AwakeRequest request([&](bool on) { applied.push_back(on); });
    std::vector<bool> expected;
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "step " << &step - steps.data() << ": " << step.what);
        step.change();
        EXPECT_EQ(AnyTaskArmed(), step.requested);
        request.Update();
        request.Update();
        if (step.requested != (expected.empty() ? false : expected.back()))
            expected.push_back(step.requested);
        EXPECT_EQ(request.Requested(), step.requested);
        EXPECT_EQ(applied, expected);
    }
    request.Withdraw();
    EXPECT_EQ(applied.back(), false) << "withdrawn at exit though a slot is armed";
    EXPECT_EQ(applied.size(), expected.size() + 1);
    ReminderCountdown.State = TaskIdle;
}

} // namespace
