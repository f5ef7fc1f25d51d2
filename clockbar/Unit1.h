// The clock strip: the program's main window, with the scheduler's two timers and the sound
// players that the task actions use.
#pragma once

#include <windows.h>

#include <string>

#include "core/ClockText.h"
#include "clockbar/LocaleFormat.h"
#include "clockbar/StripActions.h"
#include "core/Scheduler.h"
#include "platform/MediaPlayer.h"
#include "toolkit/DrawnControls.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"

class TForm1 : public tk::Form {
public:
    explicit TForm1(tk::Application& application);
    ~TForm1() override;

    tk::Label Label1;
    tk::SpeedButton SpeedButton1;
    tk::SpeedButton SpeedButton2;
    MediaPlayer MediaPlayer1; // the alarm sound
    MediaPlayer MediaPlayer2; // the reminder sound
    std::string ShutdownScript; // down.bat beside the executable
    tk::Timer Timer1;         // the clock text, every 10 ms
    tk::Timer Timer2;         // CountdownTick, every second
    tk::Timer Timer3;         // TimeOfDayTick, as often as the platform allows
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

    StripActions actions_{*this};
    WindowsEraSource eras_;
    // The second (of the system clock) that the label shows; the text can change only when it
    // does, so the ticks in between read the clock and nothing else.
    long long shownSecond_ = -1;
    std::string clockText_;
};

inline TForm1* Form1 = nullptr;

// The running executable's full path, UTF-8.
std::string ExecutablePath();
