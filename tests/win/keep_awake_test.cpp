// The request that keeps the machine awake, as the real program makes it: on when a setup
// dialog arms the first slot, off when the last armed slot fires or is stopped, and off when
// the program ends with a slot still armed.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SetupDriver.h"
#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit7.h"
#include "platform/PowerRequest.h"
#include "tests/common/TaskTableFixture.h"

using namespace testsupport;
using namespace setupdriver;

namespace {

using Calls = std::vector<EXECUTION_STATE>;
const EXECUTION_STATE kOn = ES_CONTINUOUS | ES_SYSTEM_REQUIRED;
const EXECUTION_STATE kOff = ES_CONTINUOUS;

// Starts a countdown of `minutes` through the dialog's own controls.
void ArmCountdown(const Dialog& dialog, const char* minutes) {
    EXPECT_TRUE(PressStart(dialog, [&] {
        if (dialog.form == Form7)
            Form7->Edit1.SetText("C:\\vandrel-missing\\none.exe"); // starts nothing when it fires
        Click(dialog.form->RadioButton1);
        dialog.form->ComboBox1.SetText(minutes);
    })) << dialog.name << " did not arm";
}

class KeepAwake : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        saved_ = SetExecutionState;
        SetExecutionState = [](EXECUTION_STATE state) -> EXECUTION_STATE {
            calls_.push_back(state);
            return ES_CONTINUOUS; // what the platform answers when it grants a request
        };
    }
    void TearDown() override {
        calls_.clear();
        ProgramTest::TearDown(); // the program ends: the strip's destructor withdraws
        if (armedAtExit_) {
            EXPECT_EQ(calls_, Calls{kOff}) << "the program ended without withdrawing the request";
        }
        SetExecutionState = saved_;
    }

    static inline Calls calls_; // of the fixture's class: the platform call it stands in for is a plain function
    bool armedAtExit_ = false;

private:
    decltype(SetExecutionState) saved_ = nullptr;
};

} // namespace

TEST_F(KeepAwake, TheFirstArmedSlotAsksAndTheLastToFireOrStopWithdraws) {
    const Dialog alarm = AllDialogs()[0], shutdown = AllDialogs()[1], launch = AllDialogs()[3];
    const struct Step {
        const char* what;
        std::function<void()> act;
        Calls calls; // the requests this step makes
    } arm10Alarm{"alarm armed for 10 minutes", [&] { ArmCountdown(alarm, "10"); }, {kOn}},
        stopAlarm{"alarm stopped", [] { Form1->N3Click(); }, {kOff}};
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"arm, fire",
         {{"launch armed for 0 minutes, then fired by the countdown tick",
           [&] {
               ArmCountdown(launch, "0");
               EXPECT_TRUE(PumpUntil([] { return LaunchCountdown.State == TaskDone; }, 4000));
           },
           {kOn, kOff}}}},
        {"arm, stop", {arm10Alarm, stopAlarm}},
        {"two armed, one stopped",
         {arm10Alarm,
          {"shutdown armed too", [&] { ArmCountdown(shutdown, "10"); }, {}},
          {"shutdown stopped, the alarm still armed", [] { Form1->N7Click(); }, {}},
          stopAlarm}},
    };
    BoxCatcher boxes; // the confirmations of the starts and of the stops
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // From a clean table, whatever an earlier case left: its armed slots stopped, so that
        // the request follows.
        tablefixture::ResetTaskTable();
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.what);
            calls_.clear();
            step.act();
            EXPECT_EQ(calls_, step.calls);
        }
    }
    for (const CaughtBox& box : boxes.Boxes())
        EXPECT_FALSE(box.errorIcon) << Describe(boxes.Boxes());
    // Ending the program with a slot armed withdraws the request (checked in TearDown).
    calls_.clear();
    ArmCountdown(alarm, "10");
    EXPECT_EQ(calls_, Calls{kOn});
    armedAtExit_ = true;
}
