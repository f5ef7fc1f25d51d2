// What a firing slot does, with the strip's real timers and the real clock: the sounds play
// through the strip's players, down.bat and a helper program run from a folder whose path has
// blanks and Chinese letters, the reminder window shows; and what a failing action leaves.
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "SetupDriver.h"
#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/ErrorText.h"
#include "core/SecondTicks.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "helpers/TestFiles.h"
#include "tests/common/TaskTableFixture.h"
#include "toolkit/Text.h"
#include "toolkit/Timer.h"

using namespace testsupport;
using namespace tablefixture;
using testfiles::Utf8;
namespace fs = std::filesystem;

namespace {

const char* KindName(TaskKind kind) {
    constexpr const char* names[] = {"alarm", "shutdown", "reminder", "launch"};
    return names[static_cast<int>(kind)];
}

std::int32_t CodeOfNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TimeCode(now.wHour, now.wMinute, now.wSecond);
}

// The second now running, waited for until it is early enough that a time-of-day tick still comes.
std::int32_t EarlyInThisSecond() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wMilliseconds >= 500)
        Sleep(1005 - now.wMilliseconds);
    return CodeOfNow();
}

void ArmForThisSecond(TaskKind kind) { ArmAtTime(kind, EarlyInThisSecond()); }

// Due at once: a countdown of nothing, or the second now running.
void ArmDueNow(TaskKind kind, Trigger trigger) {
    if (trigger == Trigger::Countdown)
        ArmCountdown(kind, 0);
    else
        ArmForThisSecond(kind);
}

// Runs `action` from the message loop once `form` is on screen, i.e. inside the modal loop
// of whoever showed it.
void OnceShown(tk::Form& form, std::function<void()> action) {
    Later(10, [&form, action = std::move(action)]() mutable {
        if (IsWindowVisible(form.Handle()))
            action();
        else
            OnceShown(form, std::move(action));
    });
}

DWORD Status(const MediaPlayer& player, DWORD item) {
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    mciSendCommandW(player.DeviceId(), MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
    return static_cast<DWORD>(status.dwReturn);
}

// Whether the player has started its sound since it had `noticesBefore` notices. With a sound
// device MCI reports it playing; without one (Xvfb here) the play ends at once with a failure
// notice. Either way the play went out on an open device without an error.
bool PlayStarted(const MediaPlayer& player, unsigned noticesBefore) {
    return player.IsOpen() && player.LastError() == 0 && PumpUntil([&] {
        return Status(player, MCI_STATUS_MODE) == MCI_MODE_PLAY || player.NotifyCount() > noticesBefore;
    }, 3000);
}

std::wstring ReportOf(const std::string& message) { return tk::Widen(tk::ErrorReportText(message)); }

// The files a firing slot uses, in a folder of their own, and the strip pointed at them.
class TaskActionsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartWatchdog(50); // the table below runs every action, each for real
        ResetTaskTable();
        const fs::path sounds = testfiles::SourceFile("resources");
        fs::copy_file(sounds / L"call.wav", folder_ / L"call.wav");
        fs::copy_file(sounds / L"wake.wav", folder_ / L"wake.wav");
        // cmd reads a script in the ANSI code page, so it names its marker through its own path.
        testfiles::WriteBytes(folder_ / L"down.bat", "@echo off\r\necho ran>\"%~dp0down.ran\"\r\n");
        fs::create_directories(helper_.parent_path());
        fs::copy_file(testfiles::MarkerExe(), helper_);
        fs::copy_file(testfiles::MarkerExe(), decoy_); // where an unquoted command line would stop
        Form1->MediaPlayer1.FileName = Utf8(folder_ / L"call.wav");
        Form1->MediaPlayer2.FileName = Utf8(folder_ / L"wake.wav");
        Form1->ShutdownScript = Utf8(folder_ / L"down.bat");
    }
    void TearDown() override {
        ResetTaskTable();
        ProgramTest::TearDown();
    }

    static bool Exists(const fs::path& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    fs::path ScriptMarker() const { return folder_ / L"down.ran"; }
    fs::path HelperMarker() const { return helper_.native() + L".ran"; }

    testfiles::TempFolder folder_{L"vandrel 动作 任务"};
    const fs::path helper_ = folder_ / L"Program Files" / L"Helper Tool" / L"marker.exe";
    const fs::path decoy_ = folder_ / L"Program.exe";
    BoxCatcher boxes_;
};

} // namespace

TEST_F(TaskActionsTest, EachKindFiresFromACountdownOfZeroAndFromTheCurrentSecondDoingItsRealThing) {
    Form6->Memo1.SetText("该开会了");
    for (TaskKind kind : kKinds) {
        for (Trigger trigger : kTriggers) {
            SCOPED_TRACE(std::string(KindName(kind)) + (trigger == Trigger::Countdown ? " countdown" : " at time"));
            ResetTaskTable();
            Form1->MediaPlayer1.Close();
            Form1->MediaPlayer2.Close();
            fs::remove(ScriptMarker());
            fs::remove(HelperMarker());
            LaunchPathOf(trigger) = Utf8(helper_);

            const unsigned alarmNotices = Form1->MediaPlayer1.NotifyCount();
            const unsigned wakeNotices = Form1->MediaPlayer2.NotifyCount();
            std::string shownText;
            bool wakeStarted = false;
            if (kind == TaskKind::Reminder)
                OnceShown(*Form6, [&] {
                    shownText = Form6->Memo1.Text();
                    wakeStarted = PlayStarted(Form1->MediaPlayer2, wakeNotices);
                    Form6->Close();
                });
            ArmDueNow(kind, trigger);
            ASSERT_TRUE(PumpUntil([&] { return StateOf(kind, trigger) == TaskDone; }, 3000));

            switch (kind) {
            case TaskKind::Alarm:
                EXPECT_TRUE(PlayStarted(Form1->MediaPlayer1, alarmNotices));
                break;
            case TaskKind::Shutdown:
                EXPECT_TRUE(PumpUntil([&] { return Exists(ScriptMarker()); }, 15000));
                break;
            case TaskKind::Reminder:
                // The tick that fired it returned: the window has been closed again.
                EXPECT_EQ(shownText, "该开会了");
                EXPECT_TRUE(wakeStarted);
                EXPECT_FALSE(IsWindowVisible(Form6->EnsureHandle()));
                break;
            case TaskKind::Launch:
                EXPECT_TRUE(PumpUntil([&] { return Exists(HelperMarker()); }, 15000));
                EXPECT_FALSE(Exists(decoy_.native() + L".ran"));
                break;
            }
            EXPECT_EQ(AlarmSounded, kind == TaskKind::Alarm ? 1 : 0);
        }
    }
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(TaskActionsTest, ASecondAlarmReopensTheSoundAndPlaysItFromTheStart) {
    ArmCountdown(TaskKind::Alarm, 0);
    ASSERT_TRUE(PumpUntil([] { return AlarmSounded == 1; }, 3000));
    // The first sound has played to its end (as far as MCI can tell).
    MediaPlayer& player = Form1->MediaPlayer1;
    MCI_SEEK_PARMS seek{};
    mciSendCommandW(player.DeviceId(), MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END, reinterpret_cast<DWORD_PTR>(&seek));
    const unsigned rewinds = player.RewindCount();
    PumpFor(50); // the first play's notice, if it sends one when cut off
    const unsigned notices = player.NotifyCount();

    ArmForThisSecond(TaskKind::Alarm);
    ASSERT_TRUE(PumpUntil([] { return AlarmAtTime.State == TaskDone; }, 3000));
    EXPECT_TRUE(PlayStarted(player, notices));
    EXPECT_LT(Status(player, MCI_STATUS_POSITION), Status(player, MCI_STATUS_LENGTH));
    EXPECT_EQ(player.RewindCount(), rewinds); // a fresh device, not the old one wound back
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(TaskActionsTest, NoScriptAndNothingToStartFireSilently) {
    struct Case {
        const char* what;
        TaskKind kind;
        std::function<void()> prepare;
    };
    const Case cases[] = {
        {"no down.bat", TaskKind::Shutdown, [&] { fs::remove(folder_ / L"down.bat"); }},
        {"down.bat is a folder", TaskKind::Shutdown,
         [&] { fs::create_directories(folder_ / L"down.bat"); }},
        {"no such program", TaskKind::Launch, [&] { LaunchCountdownPath = Utf8(folder_ / L"missing.exe"); }},
        {"no program chosen", TaskKind::Launch, [] { LaunchCountdownPath.clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        ArmCountdown(c.kind, 0);
        ASSERT_TRUE(PumpUntil([&] { return CountdownSlotOf(c.kind).State == TaskDone; }, 3000));
        PumpFor(300);
        EXPECT_TRUE(boxes_.Boxes().empty());
    }
}

TEST_F(TaskActionsTest, AMissingSoundIsReportedAndEndsTheTickUntilItsNextEvent) {
    struct Case {
        TaskKind failing;
        const wchar_t* sound;
        TaskKind later; // armed to fall due in the same event, after the failing slot
        fs::path laterMarker;
    };
    const Case cases[] = {
        {TaskKind::Alarm, L"call.wav", TaskKind::Shutdown, ScriptMarker()},
        {TaskKind::Reminder, L"wake.wav", TaskKind::Launch, HelperMarker()},
    };
    LaunchCountdownPath = Utf8(helper_);
    for (const Case& c : cases) {
        SCOPED_TRACE(KindName(c.failing));
        fs::remove(folder_ / c.sound);
        const std::size_t boxesBefore = boxes_.Boxes().size();
        // Both fall due in one event: the later one by its last second, the failing one at once.
        ArmCountdown(c.later, 1);
        ArmCountdown(c.failing, 0);
        ASSERT_TRUE(PumpUntil([&] { return boxes_.Boxes().size() > boxesBefore; }, 3000));

        EXPECT_EQ(CountdownSlotOf(c.failing).State, TaskDone);
        EXPECT_EQ(CountdownSlotOf(c.later).State, TaskArmed) << "evaluated in the failing event";
        EXPECT_EQ(CountdownSlotOf(c.later).SecondsLeft, 1);
        EXPECT_EQ(AlarmSounded, 0);
        const MediaPlayer& player = c.failing == TaskKind::Alarm ? Form1->MediaPlayer1 : Form1->MediaPlayer2;
        ASSERT_NE(player.LastError(), 0u);
        const CaughtBox& box = boxes_.Boxes().back();
        EXPECT_EQ(box.text, ReportOf(MciErrorText(player.LastError())));
        EXPECT_EQ(box.caption, App().Title());
        EXPECT_TRUE(box.errorIcon);

        // The next event evaluates every slot again.
        EXPECT_TRUE(PumpUntil([&] { return Exists(c.laterMarker); }, 15000));
        EXPECT_EQ(boxes_.Boxes().size(), boxesBefore + 1);
        EXPECT_FALSE(IsWindowVisible(Form6->EnsureHandle())); // shown, it would still be waiting
    }
}

TEST_F(TaskActionsTest, WhileTheReminderWaitsOtherSlotsFireAndASecondReminderIsRefused) {
    Form6->Memo1.SetText("第一次提醒");
    bool alarmFiredInside = false, alarmStarted = false, wakeRestarted = false, stillOpen = false;
    std::string textAfter;
    std::size_t boxesInside = 0;
    OnceShown(*Form6, [&] {
        // Pumping here runs the ticks nested inside the waiting reminder.
        ArmCountdown(TaskKind::Alarm, 0);
        const unsigned alarmNotices = Form1->MediaPlayer1.NotifyCount();
        alarmFiredInside = PumpUntil([] { return AlarmSounded == 1; }, 3000);
        alarmStarted = PlayStarted(Form1->MediaPlayer1, alarmNotices);

        Form1->MediaPlayer2.Stop();
        PumpFor(50); // the notice of the cut-off sound, if it sends one
        const unsigned wakeNotices = Form1->MediaPlayer2.NotifyCount();
        ArmForThisSecond(TaskKind::Reminder);
        PumpUntil([&] { return !boxes_.Boxes().empty(); }, 3000);
        boxesInside = boxes_.Boxes().size();
        wakeRestarted = PlayStarted(Form1->MediaPlayer2, wakeNotices);
        stillOpen = IsWindowVisible(Form6->EnsureHandle()) != FALSE;
        textAfter = Form6->Memo1.Text();
        Form6->Close();
    });
    ArmCountdown(TaskKind::Reminder, 0);
    ASSERT_TRUE(PumpUntil([&] { return ReminderCountdown.State == TaskDone && !textAfter.empty() &&
                                       !IsWindowVisible(Form6->EnsureHandle()); }, 20000));

    EXPECT_TRUE(alarmFiredInside);
    EXPECT_TRUE(alarmStarted);
    EXPECT_EQ(ReminderAtTime.State, TaskDone);
    ASSERT_EQ(boxesInside, 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, L"Cannot make a visible window modal.");
    EXPECT_TRUE(wakeRestarted);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(textAfter, "第一次提醒");
    EXPECT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
}

// The countdown timer runs only while a countdown is armed, with a steady second from the first
// one; the time-of-day timer only while a time of day is armed, due at once after every change.
TEST_F(TaskActionsTest, EachTaskTimerRunsOnlyWhileASlotOfItsOwnIsArmed) {
    const std::int32_t later = (CodeOfNow() / 10000 + 2) % 24 * 10000; // two hours on, at :00:00
    static int platformSets = 0;
    tk::SetPlatformTimer = [](HWND window, UINT_PTR id, UINT ms, TIMERPROC proc) {
        ++platformSets;
        return ::SetTimer(window, id, ms, proc);
    };
    const struct {
        const char* what;
        std::function<void()> step;
        bool countdownRuns, timeOfDayRuns;
        int platformSets;
    } steps[] = {
        {"nothing armed", [] {}, false, false, 0},
        {"a countdown armed", [] { ArmCountdown(TaskKind::Alarm, 600); }, true, false, 1},
        {"another countdown armed: the same second", [] { ArmCountdown(TaskKind::Shutdown, 600); }, true, false, 0},
        {"a time of day armed", [&] { ArmAtTime(TaskKind::Alarm, later); }, true, true, 1},
        {"a second one armed", [&] { ArmAtTime(TaskKind::Shutdown, later); }, true, true, 1},
        {"the alarm's two stopped", [] { StopTasks(TaskKind::Alarm, [] {}); }, true, true, 2},
        {"the last two stopped", [] { StopTasks(TaskKind::Shutdown, [] {}); }, false, false, 1},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        platformSets = 0;
        s.step();
        EXPECT_EQ(platformSets, s.platformSets);
        EXPECT_EQ(Form1->Timer2.Running(), s.countdownRuns);
        EXPECT_EQ(Form1->Timer3.Running(), s.timeOfDayRuns);
        if (s.countdownRuns) {
            EXPECT_EQ(Form1->Timer2.Interval(), 1000u);
        }
        if (s.timeOfDayRuns) {
            EXPECT_EQ(Form1->Timer3.Interval(), static_cast<unsigned>(USER_TIMER_MINIMUM)); // due at once
            PumpFor(50);
            EXPECT_TRUE(Form1->Timer3.Running());
            EXPECT_LE(Form1->Timer3.Interval(), 1000u + kSecondTickMarginMs); // then each second
        }
    }
    tk::SetPlatformTimer = ::SetTimer;

    LaunchAtTimePath = LaunchCountdownPath = Utf8(folder_ / L"nothing here.exe");
    const std::int32_t second = EarlyInThisSecond();
    ArmAtTime(TaskKind::Launch, second);
    ASSERT_TRUE(Form1->Timer3.Running());
    ASSERT_TRUE(PumpUntil([] { return LaunchAtTime.State == TaskDone; }, 3000));
    EXPECT_EQ(CodeOfNow(), second); // fired within its second
    EXPECT_FALSE(Form1->Timer3.Running()); // the last one fired

    // A countdown of n seconds fires n seconds after its arming, not up to a second sooner.
    const DWORD armedAt = GetTickCount();
    ArmCountdown(TaskKind::Launch, 2);
    ASSERT_TRUE(PumpUntil([] { return LaunchCountdown.State == TaskDone; }, 5000));
    EXPECT_GE(GetTickCount() - armedAt, 1950u);
    EXPECT_FALSE(Form1->Timer2.Running()); // the last one fired
}

// The platform refusing a timer that runs never stops it: the clock and the armed slots go on
// at the time they were due, what was under way runs to its end, and the refusal is reported
// once, afterwards.
TEST_F(TaskActionsTest, ARefusedTimerKeepsItsDueTimeAndIsReportedOnceAfterwards) {
    static int refusals = 0;
    tk::SetPlatformTimer = [](HWND window, UINT_PTR id, UINT ms, TIMERPROC proc) -> UINT_PTR {
        if (refusals > 0) {
            --refusals;
            return 0;
        }
        return ::SetTimer(window, id, ms, proc);
    };
    std::string clockAfterRefusal;
    const struct {
        const char* what;
        std::function<void()> step;
        std::function<bool()> done;
    } cases[] = {
        {"the clock's re-arm at its second",
         [&] {
             refusals = 1;
             ASSERT_TRUE(PumpUntil([] { return refusals == 0; }, 3000));
             clockAfterRefusal = Form1->Label1.Caption();
         },
         [&] { return Form1->Timer1.Running() && Form1->Label1.Caption() != clockAfterRefusal; }},
        {"the time-of-day timer's re-arm as a slot is armed while it runs",
         [&] {
             ArmAtTime(TaskKind::Launch, (CodeOfNow() / 10000 + 2) % 24 * 10000);
             PumpFor(50);
             const std::int32_t now = EarlyInThisSecond();
             refusals = 1;
             ArmAtTime(TaskKind::Shutdown, now); // raises nothing
             EXPECT_EQ(refusals, 0);
         },
         [&] { return Exists(ScriptMarker()) && Form1->Timer3.Running(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t boxesBefore = boxes_.Boxes().size();
        c.step();
        EXPECT_TRUE(PumpUntil(c.done, 3000));
        PumpFor(100);
        ASSERT_EQ(boxes_.Boxes().size(), boxesBefore + 1);
        EXPECT_EQ(boxes_.Boxes().back().text, ReportOf("Not enough timers available"));
    }
    tk::SetPlatformTimer = ::SetTimer;
}

// Once the session ends (the user logs off, or the shutdown runs), what falls due starts nothing.
TEST_F(TaskActionsTest, AfterTheSessionEndsADueSlotRunsNoAction) {
    LaunchAtTimePath = LaunchCountdownPath = Utf8(helper_);
    EXPECT_EQ(SendMessageW(App().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(App().Handle(), WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(App().Terminated());
    const std::int32_t second = EarlyInThisSecond();
    for (const TaskKind kind : kKinds) {
        ArmCountdown(kind, 0);
        ArmAtTime(kind, second);
    }
    EXPECT_TRUE(PumpUntil([] {
        for (const TaskKind kind : kKinds)
            if (CountdownSlotOf(kind).State != TaskDone || AtTimeSlotOf(kind).State != TaskDone)
                return false;
        return true;
    }, 3000));
    PumpFor(300);
    EXPECT_EQ(AlarmSounded, 0);
    EXPECT_FALSE(Form1->MediaPlayer2.IsOpen());
    EXPECT_FALSE(IsWindowVisible(Form6->EnsureHandle()));
    EXPECT_FALSE(Exists(ScriptMarker()));
    EXPECT_FALSE(Exists(HelperMarker()));
    EXPECT_TRUE(boxes_.Boxes().empty());
}

// As the user meets it: a time of day armed through its dialog for the second now running fires
// while the confirmation box is still up, with the strip's timers running as they do at rest.
TEST_F(TaskActionsTest, ATimeOfDayArmedForTheRunningSecondFiresInsideItsConfirmation) {
    const setupdriver::Dialog shutdown = setupdriver::AllDialogs()[1];
    boxes_.HoldNext([this] { return Exists(ScriptMarker()); });
    const bool closed = setupdriver::PressStart(shutdown, [] {
        const std::int32_t code = EarlyInThisSecond();
        setupdriver::Click(Form3->RadioButton2);
        Form3->ComboBox2.SetText(std::to_string(code / 10000));
        Form3->ComboBox3.SetText(std::to_string(code / 100 % 100));
        Form3->ComboBox4.SetText(std::to_string(code % 100));
    });
    EXPECT_TRUE(closed);
    ASSERT_EQ(boxes_.Boxes().size(), 1u) << setupdriver::Describe(boxes_.Boxes());
    EXPECT_EQ(boxes_.Boxes()[0].text, shutdown.confirmation);
    EXPECT_TRUE(boxes_.Boxes()[0].readyBeforeAnswer); // the script ran while the box was up
    EXPECT_EQ(ShutdownAtTime.State, TaskDone);
}

TEST_F(TaskActionsTest, TwoTimesOfDayDueInOneSecondBothFireInItWhileTheFirstsReminderWaits) {
    fs::remove(HelperMarker());
    LaunchAtTimePath = Utf8(helper_);
    std::int32_t launchedAt = -1;
    bool reminderOpen = false;
    OnceShown(*Form6, [&] {
        if (PumpUntil([] { return LaunchAtTime.State == TaskDone; }, 3000))
            launchedAt = CodeOfNow();
        reminderOpen = IsWindowVisible(Form6->Handle()) != FALSE;
        Form6->Close();
    });
    const std::int32_t second = EarlyInThisSecond();
    ArmAtTime(TaskKind::Launch, second);
    ArmAtTime(TaskKind::Reminder, second); // fires first: the table's order, not the arming's
    ASSERT_TRUE(PumpUntil([] { return ReminderAtTime.State == TaskDone && !IsWindowVisible(Form6->Handle()); }, 5000));
    EXPECT_EQ(launchedAt, second);
    EXPECT_TRUE(reminderOpen);
    EXPECT_TRUE(PumpUntil([&] { return Exists(HelperMarker()); }, 5000));
}
