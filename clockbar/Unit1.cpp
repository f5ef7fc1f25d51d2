#include "clockbar/Unit1.h"

#include <algorithm>
#include <cstdint>

#include "BuildConfig.h"
#include "core/ArmedTasks.h"
#include "core/Paths.h"
#include "core/TaskTimers.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "toolkit/Application.h"
#include "toolkit/Screens.h"
#include "toolkit/Text.h"
#include "toolkit/WinControl.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "Form1",
    .Bounds96 = {453, 105, 226, 24},
    .Border = tk::BorderStyle::None,
    .StayOnTop = true,
    .Alpha = 180,
    .Color = RGB(0, 0, 0),
    .Font = {L"MS Sans Serif", 11},
    .Icon = L"MAINICON",
    // The armed tasks' list is read for longer than a button's name, and may be wide.
    .HintAutoPop = 30000,
    .HintMaxWidth = 600,
};

const tk::FontSpec kClockFont{L"宋体", 16, true, GB2312_CHARSET, RGB(255, 255, 255)};

class SystemClock final : public LocalClock {
public:
    DateTimeParts Now() const override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return FromSystemTime(now);
    }
};

const SystemClock systemClock;

// The system clock in milliseconds, cheap to read, unlike the local-time conversion; local time
// differs from it by whole minutes, so its seconds begin at the same moments.
long long SystemClockMilliseconds() {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    return ((static_cast<long long>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime) / 10'000;
}

// Sets a task timer as its rule says; "at once" is the platform's shortest period.
void Follow(tk::Timer& timer, TimerPlan plan) {
    if (plan.Action == TimerPlan::Stop)
        timer.Restart(0);
    else if (plan.Action == TimerPlan::DueIn)
        timer.Restart(static_cast<unsigned>(std::max<std::int64_t>(plan.DueInMs, USER_TIMER_MINIMUM)));
}

// Confirms one disarmed slot of a stop command.
void ConfirmStop(const char* text) {
    ShowMessage("注意", text, InformationIcon);
}

} // namespace

TForm1::TForm1(tk::Application& application)
    : Form(application, kLayout),
      Label1(*this, {7, 4, 180, 16}, kClockFont, "88888888888888888888"),
      SpeedButton1(*this, {188, 5, 15, 15}, L"GLYPH_MINIMISE", "最小化"),
      SpeedButton2(*this, {208, 5, 15, 15}, L"GLYPH_CLOSE", "关闭"),
      PopupMenu1({
          {"N2", "定时关机", [this] { N2Click(); }},
          {"N8", "定时提醒", [this] { N8Click(); }},
          {"N1", "定时闹钟", [this] { N1Click(); }},
          {"N10", "定时开启", [this] { N10Click(); }},
          {"N12", "-"},
          {"N4", "停止操作", nullptr, {
              {"N3", "停止闹钟", [this] { N3Click(); }},
              {"N7", "停止关机", [this] { N7Click(); }},
              {"N9", "停止提醒", [this] { N9Click(); }},
              {"N11", "停止开启", [this] { N11Click(); }},
          }},
          {"N13", "-"},
          {"N15", "技术支持", [this] { N15Click(); }},
          {"N5", "软件首页", [this] { N5Click(); }},
          {"N16", "关于软件", [this] { N16Click(); }},
          {"N14", "-"},
          {"N6", "退出软件", [this] { N6Click(); }},
      }) {
    OnMouseDown = [this](const tk::MouseEvent& e) { FormMouseDown(e); };
    OnMouseMove = [this](const tk::MouseEvent& e) { FormMouseMove(e); };
    OnMouseUp = [this](const tk::MouseEvent& e) { FormMouseUp(e); };
    Label1.OnMouseDown = [this](const tk::MouseEvent& e) { Label1MouseDown(e); };
    Label1.OnMouseMove = [this](const tk::MouseEvent& e) { Label1MouseMove(e); };
    Label1.OnMouseUp = [this](const tk::MouseEvent& e) { Label1MouseUp(e); };
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    OnContextPopup = [this](POINT screen) { FormContextPopup(screen); };
    OnHint = [this] { return FormHint(); };
    OnDisplayChange = [this] { FormDisplayChange(); };
    // Screen readers meet the clock text as a clock, as they do the system's own, and hear it
    // change.
    Label1.Role = tk::AccessibleRole::TimeDisplay;
    // The window text "Form1" says nothing to a listener: the strip is the program.
    SetAccessibleName(tk::Narrow(application.Title()));
    Label1.OnAccessibleDescription = [this] { return ArmedTasksText(); };

    ClockFormat = ReadFormatSettings();
    // What changes the text between two seconds reaches the application window: the text is
    // written again at once, and the clock timer keeps to the seconds of the clock as set now.
    application.OnSettingChange = [this] { ReadClockFormat(); };
    application.OnTimeChange = [this] { ShowClockNow(); };
    application.OnResume = [this] { ShowClockNow(); };

    // The timers start here, while the strip is built; their first events come once the
    // message loop runs. The clock's first text is written now, so the strip never shows the
    // stored caption.
    Timer1.SetOnTimer([this] { Timer1Timer(); });
    Timer1Timer();
    // The task timers run only while a slot of theirs is armed, started by its arming.
    Timer2.SetInterval(0);
    Timer2.SetOnTimer([this] { Timer2Timer(); });
    Timer3.SetInterval(0);
    Timer3.SetOnTimer([this] { Timer3Timer(); });
    // The dialogs' controls come from the common controls, which the strip at rest does without:
    // they load while the user reads the menu, not when a dialog is asked for.
    PopupMenu1.OnIdle = [] { tk::EnsureCommonControls(); };

    FormCreate();
}

void TForm1::FormCreate() {
    // The sounds and the script lie beside the running executable.
    const std::string executable = tk::Narrow(tk::ModuleFileName());
    const std::string directory = DirectoryWithoutSeparator(executable);
    MediaPlayer1.FileName = directory + "\\call.wav";
    MediaPlayer2.FileName = directory + "\\wake.wav";
    ShutdownScript = DirectoryWithSeparator(executable) + "down.bat";
    MoveToStartCorner();
}

void TForm1::MoveToStartCorner() {
    // Flush with the primary work area's top-right corner, wherever the taskbar is docked.
    const RECT workArea = tk::PrimaryWorkArea();
    const int dpi = Dpi();
    SetBounds(workArea.right - Width(), workArea.top, Width(), Height());
    // Moved onto a monitor of another resolution, the strip took its width there as it arrived
    // (WM_DPICHANGED): placed again with that width, it is flush with the corner once more.
    if (Dpi() != dpi)
        SetBounds(workArea.right - Width(), workArea.top, Width(), Height());
}

// FormCreate placed the strip before it had a window, at the system's resolution; the window
// takes its monitor's when it is made, and with it another width, so it is placed again.
void TForm1::CreateWnd() {
    const int placedAt = Dpi();
    Form::CreateWnd();
    if (Dpi() != placedAt)
        MoveToStartCorner();
}

void TForm1::FormDisplayChange() {
    ShowClockNow();
    // A monitor unplugged or a resolution changed may leave the strip, and with it the menu and
    // exit, on no screen at all: then it comes back. One still partly on a screen stays.
    if (!OnSomeMonitor())
        MoveToStartCorner();
}

void TForm1::ReadClockFormat() {
    SetThreadLocale(LOCALE_USER_DEFAULT);
    ClockFormat = ReadFormatSettings();
    ShowClockNow();
}

void TForm1::ShowClockNow() {
    clockTicks_.Forget();
    Timer1Timer();
}

void TForm1::Timer1Timer() {
    const SecondTick tick = clockTicks_.Tick(SystemClockMilliseconds());
    Timer1.Restart(static_cast<unsigned>(tick.DueInMs));
    if (!tick.Turned)
        return; // early: the second shown is still the clock's
    SYSTEMTIME local;
    GetLocalTime(&local);
    // The label ignores an unchanged text, so a clock set back within the minute repaints nothing.
    WriteClockText(clockText_, FromSystemTime(local), ClockFormat, eras_);
    Label1.SetCaption(clockText_);
}

void TForm1::Timer2Timer() { CountdownTick(actions_); }

void TForm1::FollowArmedSlots() {
    Follow(Timer2, CountdownTimerAfterChange(AnyCountdownSlotArmed(), Timer2.Running()));
    Follow(Timer3, TimeOfDayTimerAfterChange(AnyAtTimeSlotArmed()));
    // A time of day just armed is looked at from now, even if the first tick comes late.
    TakeArmingReadings(systemClock);
}

void TForm1::Timer3Timer() {
    const bool armed = AnyAtTimeSlotArmed();
    Follow(Timer3, TimeOfDayTimerAtTick(armed, SystemClockMilliseconds()));
    if (armed)
        TimeOfDayTick(actions_, systemClock);
}

void TForm1::FormMouseDown(const tk::MouseEvent&) {
    Dragging = true;
    GetCursorPos(&LastCursorPos);
}

void TForm1::FormMouseMove(const tk::MouseEvent&) {
    if (!Dragging)
        return;
    GetCursorPos(&CursorPos);
    DragDeltaX = CursorPos.x - LastCursorPos.x;
    DragDeltaY = CursorPos.y - LastCursorPos.y;
    SetBounds(Left() + DragDeltaX, Top() + DragDeltaY, Width(), Height());
    // A fresh reading: movement between the two readings is deliberately not applied.
    GetCursorPos(&LastCursorPos);
}

void TForm1::FormMouseUp(const tk::MouseEvent&) { Dragging = false; }

void TForm1::SpeedButton1Click() { App().Minimize(); }

void TForm1::SpeedButton2Click() { N6Click(); }

std::string TForm1::FormHint() const { return Dragging ? std::string() : ArmedTasksText(); }

std::string TForm1::ArmedTasksText() const {
    std::string text;
    for (const std::string& line : ArmedTaskLines(reminderWindow_ ? reminderWindow_->Memo1.Text() : std::string()))
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

void TForm1::FormContextPopup(POINT screen) {
    // From the keyboard the request carries no point: the menu opens at the strip's corner.
    if (screen.x == -1 && screen.y == -1)
        screen = {Left(), Top()};
    PopupMenu1.Popup(screen);
}

void TForm1::N2Click() { Form3->ShowModal(); }
void TForm1::N8Click() { Form5->ShowModal(); }
void TForm1::N1Click() { Form2->ShowModal(); }
void TForm1::N10Click() {
    // The launch dialog's 选择 opens the open-file dialog: what that needs loads once the
    // launch dialog is up, while the user reads it.
    App().WhenIdle(PrepareOpenFileDialog);
    Form7->ShowModal();
}
void TForm1::N16Click() { Form4->ShowModal(); }

void TForm1::N3Click() {
    StopTasks(TaskKind::Alarm, [] { ConfirmStop("闹钟定时已关闭！"); });
    // Silences a sounding alarm whether or not a slot was disarmed; once an alarm has sounded,
    // this asks the player every time.
    if (AlarmSounded == 1)
        MediaPlayer1.Stop();
}

void TForm1::N7Click() { StopTasks(TaskKind::Shutdown, [] { ConfirmStop("定时关机功能已关闭！"); }); }
void TForm1::N9Click() { StopTasks(TaskKind::Reminder, [] { ConfirmStop("定时提醒功能已关闭！"); }); }
void TForm1::N11Click() { StopTasks(TaskKind::Launch, [] { ConfirmStop("定时打开功能已关闭！"); }); }

void TForm1::N15Click() { ShellOpen(Handle(), std::string("mailto:") + build::kSupportEmail); }
void TForm1::N5Click() { ShellOpen(Handle(), build::kHomePage); }

void TForm1::N6Click() {
    N5Click();
    Close(); // whatever is armed is dropped
}
