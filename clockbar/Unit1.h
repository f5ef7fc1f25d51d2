// The clock strip: the program's main window, with the scheduler's two timers and the sound
// players that the task actions use.
#pragma once

#include <windows.h>

#include <string>

#include "core/ClockText.h"
#include "core/SecondTicks.h"
#include "clockbar/LocaleFormat.h"
#include "clockbar/StripActions.h"
#include "core/KeepAwake.h"
#include "core/Scheduler.h"
#include "platform/MediaPlayer.h"
#include "platform/PowerRequest.h"
#include "toolkit/DrawnControls.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"

class TForm6;

class TForm1 : public tk::Form {
public:
    explicit TForm1(tk::Application& application);

    tk::Label Label1;
    tk::SpeedButton SpeedButton1;
    tk::SpeedButton SpeedButton2;
    MediaPlayer MediaPlayer1; // the alarm sound
    MediaPlayer MediaPlayer2; // the reminder sound
    std::string ShutdownScript; // down.bat beside the executable
    tk::Timer Timer1;         // the clock text, just after each second of the clock begins
    tk::Timer Timer2;         // CountdownTick, every second while a countdown is armed
    tk::Timer Timer3;         // TimeOfDayTick, just after each second, while a time of day is armed
    tk::PopupMenu PopupMenu1; // the context menu: every command of the program

    // The user's regional date and time formats; read at start and whenever they change.
    FormatSettings ClockFormat;
    void ReadClockFormat();

    // Drag state, shared by the strip's background and its label.
    bool Dragging = false;
    int DragDeltaX = 0;
    int DragDeltaY = 0;
    POINT CursorPos{};
    POINT LastCursorPos{};

    void FormCreate();
    // The screens changed: a strip left on none returns to its starting corner.
    void FormDisplayChange();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void FormMouseDown(const tk::MouseEvent& event);
    void FormMouseMove(const tk::MouseEvent& event);
    void FormMouseUp(const tk::MouseEvent& event);
    void Label1MouseDown(const tk::MouseEvent& event) { FormMouseDown(event); }
    void Label1MouseMove(const tk::MouseEvent& event) { FormMouseMove(event); }
    void Label1MouseUp(const tk::MouseEvent& event) { FormMouseUp(event); }
    void SpeedButton1Click();
    void SpeedButton2Click();
    void FormContextPopup(POINT screen);
    // What is armed, for the strip's tooltip; nothing while dragging or with nothing armed.
    std::string FormHint() const;
    // What is armed, one task a line: the tooltip's text, and what screen readers are told of
    // the clock.
    std::string ArmedTasksText() const;

    // The reminder window, made after the strip and handed over then: a firing reminder shows
    // it, and the tooltip lists its text. None for a strip made on its own.
    void SetReminderWindow(TForm6& window) { reminderWindow_ = &window; }
    TForm6* ReminderWindow() const { return reminderWindow_; }

    // The context menu's commands.
    void N2Click();  // 定时关机
    void N8Click();  // 定时提醒
    void N1Click();  // 定时闹钟
    void N10Click(); // 定时开启
    void N3Click();  // 停止闹钟
    void N7Click();  // 停止关机
    void N9Click();  // 停止提醒
    void N11Click(); // 停止开启
    void N15Click(); // 技术支持
    void N5Click();  // 软件首页
    void N16Click(); // 关于软件
    void N6Click();  // 退出软件

protected:
    void CreateWnd() override;

private:
    void MoveToStartCorner();

    TForm6* reminderWindow_ = nullptr;
    StripActions actions_{*this};
    // While a slot is armed the machine does not fall asleep by itself; the request follows the
    // task table from here, and is withdrawn when the strip goes: whatever is armed is dropped.
    AwakeRequest keepAwake_{ApplyPowerRequest};
    WindowsEraSource eras_;
    // Rewrites the clock text now and keeps Timer1 to the seconds of the clock as it is now.
    void ShowClockNow();

    // Timer1's ticks: due just after each second begins; the text changes only when it turned.
    SecondTicks clockTicks_;
    // The task timers follow what is armed (core/TaskTimers.h).
    void FollowArmedSlots();
    ArmedSlotsSubscription taskTimersWatch_{[this] { FollowArmedSlots(); }};
    std::string clockText_;
};

inline TForm1* Form1 = nullptr;
