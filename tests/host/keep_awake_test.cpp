#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/KeepAwake.h"
#include "core/Scheduler.h"
#include "tests/common/TaskTableFixture.h"

namespace {

using namespace tablefixture;

class NoActions final : public TaskActions {
public:
    void Run(TaskKind, Trigger) override {}
};

class NoonClock final : public LocalClock {
public:
    DateTimeParts Now() const override { return {.Hour = 12}; }
};

constexpr std::int32_t kNoon = TimeCode(12, 0, 0);

// Each step changes the table as the program does, and the request follows it by itself; the
// platform hears of changes only.
TEST(AwakeRequest, IsOnWhileAnySlotIsArmedAndAppliedOnlyWhenThatChanges) {
    NoActions actions;
    struct Step {
        const char* what;
        std::function<void()> change;
        bool requested;
    };
    std::vector<Step> steps = {{"nothing armed", [] {}, false}};
    for (const TaskKind kind : kKinds)
        for (const Trigger trigger : kTriggers) {
            steps.push_back({"one slot armed", [=] { Arm(kind, trigger, trigger == Trigger::Countdown ? 1 : kNoon); },
                             true});
            steps.push_back({"armed again", [=] { Arm(kind, trigger, trigger == Trigger::Countdown ? 1 : kNoon); },
                             true});
            steps.push_back({"it fired", [&] {
                                 CountdownTick(actions);
                                 TimeOfDayTick(actions, NoonClock());
                             },
                             false});
        }
    steps.insert(steps.end(), {
        {"an idle slot", [] { ShutdownAtTime.State = TaskIdle; }, false},
        {"two armed",
         [] {
             ArmCountdown(TaskKind::Alarm, 60);
             ArmAtTime(TaskKind::Launch, kNoon);
         },
         true},
        {"one of them stopped", [] { StopTasks(TaskKind::Alarm, [] {}); }, true},
        {"the other stopped", [] { StopTasks(TaskKind::Launch, [] {}); }, false},
        {"armed again", [] { ArmCountdown(TaskKind::Reminder, 60); }, true},
    });

    ResetTaskTable();
    std::vector<bool> applied;
    std::optional<AwakeRequest> request(std::in_place, [&](bool on) { applied.push_back(on); });
    std::vector<bool> expected;
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "step " << &step - steps.data() << ": " << step.what);
        step.change();
        EXPECT_EQ(AnyTaskArmed(), step.requested);
        if (step.requested != (expected.empty() ? false : expected.back()))
            expected.push_back(step.requested);
        EXPECT_EQ(request->Requested(), step.requested);
        EXPECT_EQ(applied, expected);
    }
    request.reset();
    EXPECT_EQ(applied.back(), false) << "withdrawn at its end though a slot is armed";
    EXPECT_EQ(applied.size(), expected.size() + 1);
    ResetTaskTable();
}

} // namespace
