// The strip's context menu: its positions, each item's command through the real menu's
// WM_COMMAND, and the four stop commands.
#include <string>
#include <vector>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "toolkit/Application.h"
#include "toolkit/Text.h"
#include "BuildConfig.h"

using namespace testsupport;

namespace {

struct Position {
    std::wstring caption;
    UINT type;       // MFT_STRING or MFT_SEPARATOR
    bool submenu;
};

std::vector<Position> PositionsOf(HMENU menu) {
    std::vector<Position> positions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64]{};
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP | MIIM_CHECKMARKS;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        // Always enabled (separators cannot be chosen anyway), never checked, no pictures, no
        // shortcut text.
        if (!(info.fType & MFT_SEPARATOR)) {
            EXPECT_EQ(info.fState & (MFS_DISABLED | MFS_CHECKED), 0u) << i;
        }
        EXPECT_EQ(info.hbmpItem, nullptr) << i;
        EXPECT_EQ(std::wstring(text).find_first_of(L"&\t"), std::wstring::npos) << i;
        positions.push_back({text, info.fType & MFT_SEPARATOR, info.hSubMenu != nullptr});
    }
    return positions;
}

// Runs a menu item as choosing it does: its WM_COMMAND reaches the menu's owner.
void Choose(const char* name) {
    const UINT id = Form1->PopupMenu1.CommandId(name);
    ASSERT_NE(id, 0u) << name;
    SendMessageW(Form1->PopupMenu1.OwnerHandle(), WM_COMMAND, id, 0);
}

int UrlCount(const std::string& url) {
    int count = 0;
    for (const std::string& line : RecordedUrls())
        count += line == url;
    return count;
}

} // namespace

class Menu : public ProgramTest {};

TEST_F(Menu, ShowsItsTwelvePositionsAndTheStopSubmenuAsWritten) {
    const std::vector<Position> expected = {
        {L"定时关机", MFT_STRING, false}, {L"定时提醒", MFT_STRING, false}, {L"定时闹钟", MFT_STRING, false},
        {L"定时开启", MFT_STRING, false}, {L"", MFT_SEPARATOR, false},    {L"停止操作", MFT_STRING, true},
        {L"", MFT_SEPARATOR, false},    {L"技术支持", MFT_STRING, false}, {L"软件首页", MFT_STRING, false},
        {L"关于软件", MFT_STRING, false}, {L"", MFT_SEPARATOR, false},    {L"退出软件", MFT_STRING, false},
    };
    const std::vector<Position> positions = PositionsOf(Form1->PopupMenu1.Handle());
    ASSERT_EQ(positions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(positions[i].caption, expected[i].caption) << i;
        EXPECT_EQ(positions[i].type, expected[i].type) << i;
        EXPECT_EQ(positions[i].submenu, expected[i].submenu) << i;
    }
    const std::vector<Position> stops = PositionsOf(GetSubMenu(Form1->PopupMenu1.Handle(), 5));
    ASSERT_EQ(stops.size(), 4u);
    const wchar_t* stopCaptions[] = {L"停止闹钟", L"停止关机", L"停止提醒", L"停止开启"};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(stops[i].caption, stopCaptions[i]);
}

TEST_F(Menu, EachDialogItemShowsItsWindowModallyAndDismissingRunsNothing) {
    StartWatchdog();
    const struct {
        const char* item;
        tk::Form* form;
        const wchar_t* prepared; // loaded while the window is up, before it is asked for
    } cases[] = {{"N2", Form3, nullptr},
                 {"N8", Form5, nullptr},
                 {"N1", Form2, nullptr},
                 {"N10", Form7, L"comdlg32.dll"},
                 {"N16", Form4, nullptr}};
    ASSERT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr);
    for (const auto& c : cases) {
        bool shown = false;
        bool stripEnabled = true;
        bool prepared = false;
        Later(c.prepared ? 1500 : 50, [&] {
            shown = c.form->Visible();
            stripEnabled = IsWindowEnabled(Form1->Handle()) != FALSE;
            prepared = c.prepared && GetModuleHandleW(c.prepared);
            c.form->Close();
        });
        Choose(c.item); // returns when the window closes
        EXPECT_TRUE(shown) << c.item;
        EXPECT_EQ(prepared, c.prepared != nullptr) << c.item;
        EXPECT_FALSE(stripEnabled) << c.item << ": the strip, and with it the menu, is disabled meanwhile";
        EXPECT_TRUE(IsWindowEnabled(Form1->Handle())) << c.item;
    }

    // Opened and dismissed with Esc: no command runs, so no window shows.
    Later(300, [] { keybd_event(VK_ESCAPE, 0, 0, 0); keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0); });
    SetForegroundWindow(Form1->Handle());
    Form1->FormContextPopup({Form1->Left() + 20, Form1->Top() + 10});
    PumpFor(200);
    for (const auto& c : cases)
        EXPECT_FALSE(c.form->Visible()) << c.item;
    EXPECT_FALSE(App().Terminated());
    StopWatchdog();
}

TEST_F(Menu, StopCommandsDisarmTheirKindAndConfirmEachArmedSlot) {
    const struct {
        const char* item;
        TaskKind kind;
        const wchar_t* text;
    } cases[] = {
        {"N3", TaskKind::Alarm, L"闹钟定时已关闭！"},
        {"N7", TaskKind::Shutdown, L"定时关机功能已关闭！"},
        {"N9", TaskKind::Reminder, L"定时提醒功能已关闭！"},
        {"N11", TaskKind::Launch, L"定时打开功能已关闭！"},
    };
    StartWatchdog();
    for (const auto& c : cases) {
        for (const bool armed : {false, true}) {
            CountdownSlotOf(c.kind) = {600, armed ? TaskArmed : TaskDone};
            AtTimeSlotOf(c.kind) = {TimeCode(23, 0, 0), armed ? TaskArmed : TaskIdle};
            BoxCatcher boxes;
            Choose(c.item);
            ASSERT_EQ(boxes.Boxes().size(), armed ? 2u : 0u) << c.item;
            for (const CaughtBox& box : boxes.Boxes()) {
                EXPECT_EQ(box.caption, L"注意");
                EXPECT_EQ(box.text, c.text);
                EXPECT_TRUE(box.informationIcon);
                EXPECT_EQ(box.owner, nullptr);
            }
            EXPECT_NE(CountdownSlotOf(c.kind).State, TaskArmed);
            EXPECT_NE(AtTimeSlotOf(c.kind).State, TaskArmed);
            EXPECT_EQ(CountdownSlotOf(c.kind).SecondsLeft, 600); // only states change
        }
    }
    StopWatchdog();
}

TEST_F(Menu, StopAlarmAsksThePlayerOnceAnAlarmHasSoundedAndStopReminderLeavesTheWakeSound) {
    StartWatchdog();
    const struct {
        std::int32_t sounded;
        bool playerOpen;
        const wchar_t* report; // the error report, if any
    } cases[] = {
        {0, false, nullptr},                  // never sounded: the player is not asked
        {1, true, nullptr},                   // sounded: stopped, hours later too
        {1, false, L"No MCI device open."},   // a later alarm failed to reopen the sound
    };
    for (const auto& c : cases) {
        AlarmSounded = c.sounded;
        Form1->MediaPlayer1.Close();
        if (c.playerOpen)
            Form1->MediaPlayer1.Open();
        BoxCatcher boxes;
        Choose("N3");
        if (c.report) {
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].text, c.report);
            EXPECT_TRUE(boxes.Boxes()[0].errorIcon);
        } else {
            EXPECT_TRUE(boxes.Boxes().empty()) << "sounded " << c.sounded;
        }
        EXPECT_EQ(Form1->MediaPlayer1.IsOpen(), c.playerOpen);
        EXPECT_EQ(AlarmSounded, c.sounded);
    }

    Form1->MediaPlayer2.Open();
    const unsigned notices = Form1->MediaPlayer2.NotifyCount();
    BoxCatcher boxes;
    Choose("N9");
    PumpFor(100);
    EXPECT_TRUE(Form1->MediaPlayer2.IsOpen());
    EXPECT_EQ(Form1->MediaPlayer2.NotifyCount(), notices);
    EXPECT_TRUE(boxes.Boxes().empty());
    StopWatchdog();
}

TEST_F(Menu, SupportHomePageAndExitHandTheirAddressesToTheShell) {
    if (UrlLog().empty())
        GTEST_SKIP() << "the recorder is a Wine prefix setting";
    const std::string home = build::kHomePage;
    const std::string mail = std::string("mailto:") + build::kSupportEmail;
    const int homeBefore = UrlCount(home), mailBefore = UrlCount(mail);
    Choose("N15");
    EXPECT_TRUE(PumpUntil([&] { return UrlCount(mail) == mailBefore + 1; }, 20000));
    Choose("N5");
    EXPECT_TRUE(PumpUntil([&] { return UrlCount(home) == homeBefore + 1; }, 20000));
    EXPECT_FALSE(App().Terminated());

    ArmCountdown(TaskKind::Alarm, 600);
    Choose("N6"); // exit: the home page, then the end, whatever is armed
    EXPECT_TRUE(PumpUntil([&] { return App().Terminated(); }));
    EXPECT_TRUE(PumpUntil([&] { return UrlCount(home) == homeBefore + 2; }, 20000));
}

TEST_F(Menu, ItsIdleHookRunsOnceAShowingWhileTheMenuIsOnScreen) {
    ASSERT_TRUE(Form1->PopupMenu1.OnIdle); // the strip's: the dialogs' common controls
    StartWatchdog();
    int runs = 0;
    bool menuShown = false;
    Form1->PopupMenu1.OnIdle = [&] {
        ++runs;
        HWND menu = FindWindowW(MAKEINTATOM(0x8000), nullptr);
        menuShown = menu && IsWindowVisible(menu);
    };
    for (int showing = 1; showing <= 2; ++showing) {
        Later(300, [] { EndMenu(); });
        Form1->FormContextPopup({Form1->Left() + 20, Form1->Top() + 10});
        EXPECT_EQ(runs, showing);
        EXPECT_TRUE(menuShown) << showing;
    }
    StopWatchdog();
}

TEST_F(Menu, OpensAtTheStripsCornerFromTheKeyboard) {
    StartWatchdog();
    const struct {
        UINT message;
        WPARAM key;
        bool shift;
    } cases[] = {{WM_KEYUP, VK_APPS, false}, {WM_SYSKEYUP, VK_F10, true}};
    std::vector<POINT> requests;
    const auto open = Form1->OnContextPopup;
    Form1->OnContextPopup = [&](POINT at) { requests.push_back(at); open(at); };
    for (const auto& c : cases) {
        RECT menu{};
        Later(300, [&] {
            if (HWND shown = FindWindowW(MAKEINTATOM(0x8000), nullptr))
                GetWindowRect(shown, &menu);
            EndMenu();
        });
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(Form1->Handle(), c.message, c.key, 0xC0000001);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        PumpFor(350);
        ASSERT_FALSE(requests.empty()) << c.key;
        EXPECT_EQ(requests.back().x, -1);
        EXPECT_EQ(menu.left, Form1->Left()) << c.key;
        EXPECT_EQ(menu.top, Form1->Top()) << c.key;
    }
    StopWatchdog();
}
