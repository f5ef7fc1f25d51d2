// What a firing slot does: sound the alarm, run the shutdown script, show the reminder, or
// start the chosen program. The actions are the strip's: they play through its two players,
// find the script where the strip says it lies and show the reminder window it was handed.
#pragma once

#include "core/Scheduler.h"

class TForm1;

class StripActions final : public TaskActions {
public:
    explicit StripActions(TForm1& strip) : strip_(strip) {}

    // The slot is already TaskDone. A sound that cannot be opened raises and ends the tick.
    void Run(TaskKind kind, Trigger trigger) override;

private:
    void SoundAlarm();
    void RunShutdownScript();
    void ShowReminder();
    void Launch(Trigger trigger);

    TForm1& strip_;
};
