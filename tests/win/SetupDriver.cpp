#include "SetupDriver.h"

#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "tests/common/TaskTableFixture.h"
#include "toolkit/Text.h"

namespace setupdriver {

std::vector<Dialog> AllDialogs() {
    return {
        {"TForm2", Form2, &Form2->Button1, &Form2->Button2, TaskKind::Alarm, L"闹钟定时已开始！"},
        {"TForm3", Form3, &Form3->Button1, &Form3->Button2, TaskKind::Shutdown, L"定时关机已开始！"},
        {"TForm5", Form5, &Form5->Button1, &Form5->Button2, TaskKind::Reminder, L"定时消息提醒已开始！"},
        {"TForm7", Form7, &Form7->Button2, &Form7->Button3, TaskKind::Launch, L"定时打开程序已开始！"},
    };
}

TaskTable TaskTable::Now() {
    TaskTable table;
    for (int kind = 0; kind < 4; ++kind) {
        table.countdowns[kind] = CountdownSlotOf(static_cast<TaskKind>(kind));
        table.atTimes[kind] = AtTimeSlotOf(static_cast<TaskKind>(kind));
    }
    table.countdownPath = LaunchCountdownPath;
    table.atTimePath = LaunchAtTimePath;
    return table;
}

bool TaskTable::operator==(const TaskTable& other) const {
    for (int kind = 0; kind < 4; ++kind) {
        if (countdowns[kind].SecondsLeft != other.countdowns[kind].SecondsLeft ||
            countdowns[kind].State != other.countdowns[kind].State ||
            atTimes[kind].TargetCode != other.atTimes[kind].TargetCode ||
            atTimes[kind].State != other.atTimes[kind].State)
            return false;
    }
    return countdownPath == other.countdownPath && atTimePath == other.atTimePath;
}

std::ostream& operator<<(std::ostream& out, const TaskTable& table) {
    for (int kind = 0; kind < 4; ++kind)
        out << "[" << table.countdowns[kind].SecondsLeft << "/" << table.countdowns[kind].State << " "
            << table.atTimes[kind].TargetCode << "/" << table.atTimes[kind].State << "] ";
    return out << "paths '" << table.countdownPath << "' '" << table.atTimePath << "'";
}

void ArmEverySlotAndStopTheTicks() {
    Form1->Timer2.SetEnabled(false);
    Form1->Timer3.SetEnabled(false);
    for (const TaskKind kind : tablefixture::kKinds) {
        ArmCountdown(kind, 4242);
        ArmAtTime(kind, TimeCode(0, 42, 42));
    }
    LaunchCountdownPath = "C:\\earlier\\countdown.exe";
    LaunchAtTimePath = "C:\\earlier\\at time.exe";
}

void Click(const tk::WinControl& control) { SendMessageW(control.Handle(), BM_CLICK, 0, 0); }

bool PressStart(const Dialog& dialog, const std::function<void()>& fill) {
    bool closed = false;
    testsupport::ShowModalWhile(*dialog.form, [&] {
        if (fill)
            fill();
        Click(*dialog.start);
        closed = dialog.form->ModalResult != 0;
        if (!closed)
            dialog.form->Close();
    });
    return closed;
}

std::string Describe(const std::vector<testsupport::CaughtBox>& boxes) {
    std::string text;
    for (const testsupport::CaughtBox& box : boxes)
        text.append("[").append(tk::Narrow(box.caption)).append(": ").append(tk::Narrow(box.text)).append("] ");
    return text.empty() ? "no box" : text;
}

} // namespace setupdriver
