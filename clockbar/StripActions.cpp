#include "clockbar/StripActions.h"

#include "clockbar/Unit1.h"
#include "dialogs/Unit6.h"
#include "platform/Shell.h"
#include "toolkit/Application.h"

void StripActions::Run(TaskKind kind, Trigger trigger) {
    // Once the session is ending (the user logs off, or a shutdown is under way), a tick that
    // was interrupted by it starts nothing more.
    if (strip_.App().Terminated())
        return;
    switch (kind) {
    case TaskKind::Alarm: SoundAlarm(); break;
    case TaskKind::Shutdown: RunShutdownScript(); break;
    case TaskKind::Reminder: ShowReminder(); break;
    case TaskKind::Launch: Launch(trigger); break;
    }
}

void StripActions::SoundAlarm() {
    // Opening again closes the device of an earlier alarm, so a second alarm starts afresh.
    strip_.MediaPlayer1.Open();
    strip_.MediaPlayer1.Play();
    AlarmSounded = 1; // only once the sound has started: the stop command then silences it
}

void StripActions::RunShutdownScript() {
    // No script (or a folder of that name) means no shutdown, and nothing to say about it.
    if (FileIsPresent(strip_.ShutdownScript))
        ShellOpenUnattended(strip_.ShutdownScript);
}

void StripActions::ShowReminder() {
    strip_.MediaPlayer2.Open();
    strip_.MediaPlayer2.Play();
    // Returns when the user closes the window; the ticks keep running meanwhile. A second
    // reminder while the window is open is refused here, after its sound has started.
    strip_.ReminderWindow()->ShowModal();
}

void StripActions::Launch(Trigger trigger) {
    // Never waits for the program, so the countdowns lose no time.
    StartProgram(LaunchPathOf(trigger));
}
