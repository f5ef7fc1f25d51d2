// The clock strip as a window: placement, looks, dragging, minimising and ending the program.
#include <cstdlib>
#include <string>
#include <vector>

#include "Support.h"

#include <commctrl.h>

#include "clockbar/Unit1.h"
#include "core/SecondTicks.h"
#include "dialogs/Unit6.h"
#include "toolkit/Application.h"

using namespace testsupport;

namespace {

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void ExpectFlushTopRight(int width, int height) {
    const RECT strip = WindowRect(Form1->Handle());
    const RECT area = WorkArea();
    EXPECT_EQ(strip.right - strip.left, width);
    EXPECT_EQ(strip.bottom - strip.top, height);
    EXPECT_EQ(strip.right, area.right);
    EXPECT_EQ(strip.top, area.top);
}

} // namespace

class Strip : public ProgramTest {};

TEST_F(Strip, IsATranslucentTopmostPopupFlushWithTheWorkAreasTopRight) {
    HWND strip = Form1->Handle();
    ExpectFlushTopRight(226, 24);
    const LONG_PTR style = GetWindowLongPtrW(strip, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(IsTopmost(strip));
    EXPECT_TRUE(GetWindowLongPtrW(strip, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(strip, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    // Owned by the application window, so it has no taskbar entry of its own.
    EXPECT_EQ(GetWindow(strip, GW_OWNER), App().Handle());
    EXPECT_NE(SendMessageW(strip, WM_GETICON, ICON_BIG, 0), 0);
    wchar_t text[16]{};
    GetWindowTextW(strip, text, 16);
    EXPECT_STREQ(text, L"Form1");
}

TEST_F(Strip, ShowsTheLabelAndTheTwoButtonsAtTheirPlaces) {
    const RECT label = Form1->Label1.BoundsRect();
    EXPECT_EQ(label.left, 7);
    EXPECT_EQ(label.top, 4);
    EXPECT_GT(label.right - label.left, 100); // sized to its text
    const RECT minimise = Form1->SpeedButton1.BoundsRect();
    const RECT close = Form1->SpeedButton2.BoundsRect();
    EXPECT_EQ(minimise.left, 188);
    EXPECT_EQ(minimise.top, 5);
    EXPECT_EQ(minimise.right - minimise.left, 15);
    EXPECT_EQ(close.left, 208);
    EXPECT_EQ(close.bottom - close.top, 15);
    EXPECT_EQ(Form1->MediaPlayer1.FileName.substr(Form1->MediaPlayer1.FileName.size() - 9), "\\call.wav");
    EXPECT_EQ(Form1->MediaPlayer2.FileName.substr(Form1->MediaPlayer2.FileName.size() - 9), "\\wake.wav");
    EXPECT_EQ(Form1->MediaPlayer1.FileName.find("\\\\"), std::string::npos);
}

TEST_F(Strip, RunsTheClockTimerFromCreationAndTheTaskTimersOnlyWhenArmed) {
    EXPECT_TRUE(Form1->Timer1.Running());
    EXPECT_LE(Form1->Timer1.Interval(), 1000u + kSecondTickMarginMs); // due at the next second
    EXPECT_FALSE(Form1->Timer2.Running()); // nothing counts down
    EXPECT_FALSE(Form1->Timer3.Running()); // nothing is armed for a time of day
}

TEST_F(Strip, FollowsALeftDragEvenWhenThePointerLeavesIt) {
    const RECT before = WindowRect(Form1->Handle());
    const int x = before.left + 30, y = before.top + 10; // on the label
    MouseMoveTo(x, y);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(Form1->Dragging);
    EXPECT_EQ(GetCapture(), Form1->Handle());
    MouseMoveTo(x - 300, y + 200); // far outside the strip in one jump
    const RECT after = WindowRect(Form1->Handle());
    EXPECT_EQ(after.left - before.left, -300);
    EXPECT_EQ(after.top - before.top, 200);
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(Form1->Dragging);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Strip, RightDragIsNotCapturedSoAReleaseOutsideIsMissed) {
    const RECT before = WindowRect(Form1->Handle());
    const int x = before.left + 60, y = before.top + 12; // on the background or the label
    MouseMoveTo(x, y);
    MouseButton(MOUSEEVENTF_RIGHTDOWN);
    EXPECT_TRUE(Form1->Dragging);
    EXPECT_EQ(GetCapture(), nullptr);
    MouseMoveTo(x - 5, y + 3); // still over the strip: it follows
    EXPECT_EQ(WindowRect(Form1->Handle()).left, before.left - 5);
    MouseMoveTo(x - 400, y + 300); // off the strip: no move arrives
    MouseButton(MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(WindowRect(Form1->Handle()).left, before.left - 5);
    EXPECT_TRUE(Form1->Dragging); // the release was not seen
}

TEST_F(Strip, PressingAButtonStartsNoDrag) {
    Form1->OnContextPopup = [](POINT) {}; // the release asks for the menu; not this test's subject
    const RECT strip = WindowRect(Form1->Handle());
    MouseMoveTo(strip.left + 195, strip.top + 12); // on the minimise button
    MouseButton(MOUSEEVENTF_RIGHTDOWN);
    EXPECT_FALSE(Form1->Dragging);
    MouseButton(MOUSEEVENTF_RIGHTUP);
}

TEST_F(Strip, MinimiseHidesTheProgramAndTheTaskbarEntryRestoresIt) {
    const RECT before = WindowRect(Form1->Handle());
    Form1->SpeedButton1Click();
    PumpFor(100);
    EXPECT_TRUE(IsIconic(App().Handle()));
    EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
    EXPECT_TRUE(IsTopmost(Form1->Handle()));

    SendMessageW(App().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpFor(100);
    EXPECT_FALSE(IsIconic(App().Handle()));
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    EXPECT_TRUE(IsTopmost(Form1->Handle()));
    const RECT after = WindowRect(Form1->Handle());
    EXPECT_TRUE(EqualRect(&before, &after));
    const RECT application = WindowRect(App().Handle());
    EXPECT_EQ(application.right - application.left, 0); // back to zero size
}

TEST_F(Strip, CloseButtonEndsTheProgram) {
    Form1->SpeedButton2Click();
    EXPECT_TRUE(PumpUntil([&] { return App().Terminated(); }));
}

TEST_F(Strip, TaskbarCloseAndEndOfSessionEndTheProgram) {
    SendMessageW(App().Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return App().Terminated(); }));
}

TEST_F(Strip, LogOffIsAgreedToAndEndsTheLoop) {
    EXPECT_EQ(SendMessageW(App().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(SendMessageW(Form1->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_FALSE(App().Terminated());
    SendMessageW(App().Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(App().Terminated());
}

class TaskbarEntry : public ProgramTest {};

TEST_F(TaskbarEntry, CarriesTheTitleAndOffersOnlyRestoreMinimizeClose) {
    HWND application = App().Handle();
    wchar_t text[64]{};
    GetWindowTextW(application, text, 64);
    EXPECT_STREQ(text, L"win_tests"); // this test program's own name
    EXPECT_TRUE(IsWindowVisible(application));
    EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
    HMENU menu = GetSystemMenu(application, FALSE);
    for (UINT kept : {SC_RESTORE, SC_MINIMIZE, SC_CLOSE})
        EXPECT_NE(GetMenuState(menu, kept, MF_BYCOMMAND), static_cast<UINT>(-1)) << kept;
    for (UINT removed : {SC_MOVE, SC_SIZE, SC_MAXIMIZE})
        EXPECT_EQ(GetMenuState(menu, removed, MF_BYCOMMAND), static_cast<UINT>(-1)) << removed;
}

// The cut is core/Paths' (host-tested); here the platform's lower case of every script.
TEST(Title, IsTheFileNameCutAtTheFirstDotWithTheRestInLowerCase) {
    struct Case {
        const wchar_t* path;
        const wchar_t* title;
    } cases[] = {
        {L"D:\\tools\\VANDREL.EXE", L"Vandrel"},
        {L"D:\\工具\\时钟.exe", L"时钟"},
        {L"D:\\tools\\ÉCLAIR.exe", L"Éclair"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tk::TitleFromExecutablePath(c.path), c.title) << c.path;
}

TEST(HighDpi, StripIsScaledAndFlushTopRight) {
    const char* expected = std::getenv("VANDREL_EXPECT_DPI");
    if (!expected)
        GTEST_SKIP() << "runs in a prefix of its own with VANDREL_EXPECT_DPI set";
    ASSERT_EQ(tk::ScreenDpi(), std::atoi(expected));
    StartWatchdog();
    {
        tk::Application application;
        Form1 = &application.CreateForm<TForm1>();
        ExpectFlushTopRight(339, 36);
        EXPECT_EQ(Form1->SpeedButton2.BoundsRect().left, 312);
        Form1 = nullptr;
    }
    StopWatchdog();
}

TEST_F(Strip, StartedMinimisedItShowsOnlyWhenTheTaskbarEntryIsChosen) {
    bool iconic = false, stripShown = true;
    Later(200, [&] {
        iconic = IsIconic(App().Handle()) != FALSE;
        stripShown = IsWindowVisible(Form1->Handle()) != FALSE;
        SendMessageW(App().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        App().Terminate();
    });
    App().Run(SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(iconic);
    EXPECT_FALSE(stripShown);
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
}

TEST_F(Strip, ARightClickAnywhereOnTheStripAsksForTheContextMenuAtThePointer) {
    std::vector<POINT> requests;
    Form1->OnContextPopup = [&](POINT at) { requests.push_back(at); };
    const RECT strip = WindowRect(Form1->Handle());
    const POINT places[] = {
        {strip.left + 30, strip.top + 10},  // the label
        {strip.left + 195, strip.top + 12}, // the minimise button
        {strip.left + 2, strip.top + 22},   // the bare background
    };
    for (const POINT& at : places) {
        MouseMoveTo(at.x, at.y);
        MouseButton(MOUSEEVENTF_RIGHTDOWN);
        MouseButton(MOUSEEVENTF_RIGHTUP);
        EXPECT_FALSE(Form1->Dragging); // a drag the right press started ends with its release
    }
    ASSERT_EQ(requests.size(), std::size(places));
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].x, places[i].x);
        EXPECT_EQ(requests[i].y, places[i].y);
    }
    const RECT after = WindowRect(Form1->Handle());
    EXPECT_TRUE(EqualRect(&strip, &after));
}

TEST_F(Strip, TheButtonsCarryTheirTooltipsWithTheUsualDelays) {
    // The tooltip control is made when the pointer first comes.
    const RECT strip = WindowRect(Form1->Handle());
    MouseMoveTo(strip.left + 40, strip.top + 12);
    ASSERT_TRUE(PumpUntil([] { return TooltipOf(Form1->Handle()) != nullptr; }, 3000));
    HWND tooltip = TooltipOf(Form1->Handle());
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
    // The two buttons' tools come first; the strip's list of armed tasks is the last one.
    ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 3);
    std::vector<std::wstring> hints;
    for (int i = 0; i < 2; ++i) {
        wchar_t text[80]{};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool));
        hints.push_back(text);
        const RECT button = i == 0 ? Form1->SpeedButton1.BoundsRect() : Form1->SpeedButton2.BoundsRect();
        EXPECT_TRUE(EqualRect(&tool.rect, &button));
    }
    EXPECT_EQ(hints, (std::vector<std::wstring>{L"最小化", L"关闭"}));
}

TEST_F(Strip, MovedToAScreenOfAnotherResolutionItLaysOutAgain) {
    const RECT before = WindowRect(Form1->Handle());
    const int labelHeight = Form1->Label1.BoundsRect().bottom - Form1->Label1.BoundsRect().top;
    const RECT suggested{before.left - 113, before.top, before.left - 113 + 339, before.top + 36};
    SendMessageW(Form1->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT after = WindowRect(Form1->Handle());
    EXPECT_TRUE(EqualRect(&after, &suggested));
    EXPECT_EQ(Form1->SpeedButton2.BoundsRect().left, 312);
    EXPECT_EQ(Form1->SpeedButton2.BoundsRect().right - Form1->SpeedButton2.BoundsRect().left, 23);
    EXPECT_GT(Form1->Label1.BoundsRect().bottom - Form1->Label1.BoundsRect().top, labelHeight); // a bigger font
    EXPECT_EQ(Form1->Label1.BoundsRect().left, 11);

    // A form with windowed controls moves them and gives them their fonts at the new size.
    HWND reminder = Form6->EnsureHandle();
    const RECT frame = WindowRect(reminder);
    SendMessageW(reminder, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&frame));
    const RECT memo = Form6->Memo1.BoundsRect();
    EXPECT_EQ(memo.left, 24);
    EXPECT_EQ(memo.right - memo.left, 326); // 217 at 96 dpi
}
