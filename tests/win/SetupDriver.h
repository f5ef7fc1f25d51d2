// Driving the four setup dialogs as a user would, for the tests of the dialogs and of hostile
// input: the dialogs in one table, the task table captured before and after, and one start
// pressed inside a modal showing.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "Support.h"
#include "core/Scheduler.h"
#include "dialogs/SetupDialog.h"

namespace setupdriver {

struct Dialog {
    const char* name;
    SetupDialog* form;
    tk::Button* start;
    tk::Button* cancel;
    TaskKind kind;
    std::wstring confirmation;
};

// TForm2, TForm3, TForm5, TForm7, built by the ProgramTest fixture.
std::vector<Dialog> AllDialogs();

// The eight slots and the two launch paths.
struct TaskTable {
    CountdownSlot countdowns[4];
    AtTimeSlot atTimes[4];
    std::string countdownPath, atTimePath;

    static TaskTable Now();
    bool operator==(const TaskTable&) const;
};
std::ostream& operator<<(std::ostream& out, const TaskTable& table);

// Every slot armed with a value no test types (4242, the time 0:42:42) and both paths set, so a
// write shows, and the strip's ticks stopped so that nothing counts down or fires meanwhile.
void ArmEverySlotAndStopTheTicks();

// A user's click on a button or radio button.
void Click(const tk::WinControl& control);

// Shows the dialog modally, runs `fill` inside, presses start and closes the dialog if the
// start did not. True when the start asked for the close.
bool PressStart(const Dialog& dialog, const std::function<void()>& fill = {});

// The boxes a start showed, for failure messages.
std::string Describe(const std::vector<testsupport::CaughtBox>& boxes);

} // namespace setupdriver
