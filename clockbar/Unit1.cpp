#include "clockbar/Unit1.h"

#include "core/Paths.h"
#include "toolkit/Application.h"
#include "toolkit/Text.h"

namespace {

const tk::FormLayout kLayout{
    .caption = "Form1",
    .bounds = {453, 105, 226, 24},
    .border = tk::BorderStyle::None,
    .stayOnTop = true,
    .alpha = 180,
    .color = RGB(0, 0, 0),
    .font = {L"MS Sans Serif", 11},
    .icon = L"MAINICON",
};

const tk::FontSpec kClockFont{L"宋体", 16, true, GB2312_CHARSET, RGB(255, 255, 255)};

class SystemClock final : public LocalClock {
public:
    TimeOfDay Now() const override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    }
};

const SystemClock systemClock;

} // namespace

std::string ExecutablePath() { return tk::Narrow(tk::ModuleFileName()); }

TForm1::TForm1(tk::Application& application)
    : Form(application, kLayout),
      Label1(*this, {7, 4, 180, 16}, kClockFont, "88888888888888888888"),
      SpeedButton1(*this, {188, 5, 15, 15}, L"GLYPH_MINIMISE", "最小化"),
      SpeedButton2(*this, {208, 5, 15, 15}, L"GLYPH_CLOSE", "关闭") {
    OnMouseDown = [this](const tk::MouseEvent& e) { FormMouseDown(e); };
    OnMouseMove = [this](const tk::MouseEvent& e) { FormMouseMove(e); };
    OnMouseUp = [this](const tk::MouseEvent& e) { FormMouseUp(e); };
    Label1.OnMouseDown = [this](const tk::MouseEvent& e) { Label1MouseDown(e); };
    Label1.OnMouseMove = [this](const tk::MouseEvent& e) { Label1MouseMove(e); };
    Label1.OnMouseUp = [this](const tk::MouseEvent& e) { Label1MouseUp(e); };
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };

    ClockFormat = ReadFormatSettings();
    // A change of the regional settings reaches the application window; the next tick shows it.
    application.OnSettingChange = [this] { ReadClockFormat(); };

    // The timers start here, while the strip is built; their first events come once the
    // message loop runs.
    Timer1.SetInterval(10);
    Timer1.SetOnTimer([this] { Timer1Timer(); });
    Timer2.SetOnTimer([this] { Timer2Timer(); });
    Timer3.SetInterval(1);
    Timer3.SetOnTimer([this] { Timer3Timer(); });

    FormCreate();
}

void TForm1::FormCreate() {
    const std::string directory = DirectoryWithoutSeparator(ExecutablePath());
    MediaPlayer1.FileName = directory + "\\call.wav";
    MediaPlayer2.FileName = directory + "\\wake.wav";
    ShutdownScript = DirectoryWithSeparator(ExecutablePath()) + "down.bat";

    // Flush with the work area's top-right corner, wherever the taskbar is docked.
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    SetBounds(workArea.right - Width(), workArea.top, Width(), Height());
}

void TForm1::ReadClockFormat() {
    SetThreadLocale(LOCALE_USER_DEFAULT);
    ClockFormat = ReadFormatSettings();
    shownSecond_ = -1;
}

void TForm1::Timer1Timer() {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc); // cheap, unlike the local-time conversion
    const long long second = ((static_cast<long long>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime) / 10'000'000;
    if (second == shownSecond_)
        return;
    shownSecond_ = second;
    SYSTEMTIME now;
    GetLocalTime(&now);
    // The label ignores an unchanged text, so it repaints once a second, not every 10 ms.
    WriteClockText(clockText_, FromSystemTime(now), ClockFormat, eras_);
    Label1.SetCaption(clockText_);
}

void TForm1::Timer2Timer() { CountdownTick(actions_); }

void TForm1::Timer3Timer() { TimeOfDayTick(actions_, systemClock); }

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

void TForm1::SpeedButton2Click() {
    // Exit: the home page is to open here first, as the exit menu command does.
    Close();
}
