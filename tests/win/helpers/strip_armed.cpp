// The strip at rest with one slot armed, for scripts/measure-idle.sh: the program's own windows,
// timers and message loop, started as the entry point starts them, with the alarm armed for a
// second two hours ahead (or, given "countdown", as a countdown of two hours), which the
// measurement never reaches. Nothing else is armed and nothing else happens, so what it costs
// beyond the strip with nothing armed is the cost of waiting for a time of day, or of counting
// down.
//   idle_strip_armed.exe [countdown]
#include <windows.h>

#include "app/Forms.h"
#include "toolkit/Application.h"
#include "toolkit/SystemLibraries.h"

namespace {

constexpr int kSecondsAhead = 2 * 3600;

void ArmAlarmAhead(bool countdown) {
    // Through the task table's door, as the alarm dialog's 开始 arms it, so that whatever arming
    // sets going (the request to stay awake, the task timers) is measured too.
    if (countdown) {
        ArmCountdown(TaskKind::Alarm, kSecondsAhead);
        return;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int second = (now.wHour * 3600 + now.wMinute * 60 + now.wSecond + kSecondsAhead) % 86400;
    ArmAtTime(TaskKind::Alarm, TimeCode(second / 3600, second / 60 % 60, second % 60));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    tk::LoadLibrariesFromSystemFolderOnly();
    tk::Application application;
    CreateProgramForms(application);
    ArmAlarmAhead(commandLine && lstrcmpiW(commandLine, L"countdown") == 0);
    application.Run(showCommand);
    return 0;
}
