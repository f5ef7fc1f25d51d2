// Resting the pointer on the strip lists what is armed; the buttons keep their own tooltips.
#include <string>

#include "Support.h"

#include <commctrl.h>

#include "clockbar/Unit1.h"
#include "dialogs/Unit6.h"
#include "toolkit/Application.h"

using namespace testsupport;

namespace {

// The tool whose tip is on screen, or -1 when none shows.
long long ShownTool(HWND tooltip) {
    if (!IsWindowVisible(tooltip))
        return -1;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    if (!SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
        return -1;
    return static_cast<long long>(tool.uId);
}

constexpr long long kStripTool = 0xFFFF, kMinimiseTool = 1;

} // namespace

class ArmedTooltip : public ProgramTest {};

TEST_F(ArmedTooltip, RestingOnTheStripListsWhatIsArmedAndTheButtonsKeepTheirOwn) {
    const RECT strip = WindowRect(Form1->Handle());
    const POINT label{strip.left + 40, strip.top + 12}, background{strip.left + 2, strip.top + 22},
        minimise{strip.left + 195, strip.top + 12};
    const struct {
        const char* what;
        bool armed;
        POINT at;
        bool drag;
        long long tool;
    } cases[] = {
        {"nothing armed", false, label, false, -1},
        {"armed, on the label", true, label, false, kStripTool},
        {"armed, on the background", true, background, false, kStripTool},
        {"armed, on a button", true, minimise, false, kMinimiseTool},
        {"armed, while dragging", true, label, true, -1},
    };
    MouseMoveTo(label.x, label.y); // the tooltip is made when the pointer first comes
    ASSERT_TRUE(PumpUntil([] { return TooltipOf(Form1->Handle()) != nullptr; }, 3000));
    HWND tooltip = TooltipOf(Form1->Handle());
    for (const auto& c : cases) {
        AlarmCountdown = {c.armed ? 270 : 0, c.armed ? TaskArmed : TaskIdle};
        SendMessageW(tooltip, TTM_POP, 0, 0);
        MouseMoveTo(10, 500); // off the strip, so the next rest starts afresh
        PumpFor(100);
        const RECT now = WindowRect(Form1->Handle());
        const POINT at{c.at.x - strip.left + now.left, c.at.y - strip.top + now.top};
        MouseMoveTo(at.x, at.y);
        if (c.drag) {
            MouseButton(MOUSEEVENTF_LEFTDOWN);
            MouseMoveTo(at.x + 5, at.y + 3);
        }
        PumpFor(1200);
        EXPECT_EQ(ShownTool(tooltip), c.tool) << c.what;
        if (c.tool == kStripTool) {
            EXPECT_EQ(Form1->FormHint().rfind("闹钟　还剩 4 分 ", 0), 0u) << c.what; // counting down
        }
        if (c.drag)
            MouseButton(MOUSEEVENTF_LEFTUP);
    }

    // While it shows, the list follows the table: a slot that fires or is stopped leaves it.
    ArmCountdown(TaskKind::Alarm, 270);
    ArmAtTime(TaskKind::Shutdown, TimeCode(23, 0, 0));
    Form6->Memo1.SetText("开会：三楼会议室\r\n带上周报");
    ArmAtTime(TaskKind::Reminder, TimeCode(9, 0, 0));
    ArmAtTime(TaskKind::Launch, TimeCode(14, 30, 0), {.LaunchPath = "C:\\Program Files\\Tools\\marker.exe"});
    MouseMoveTo(label.x - strip.left + WindowRect(Form1->Handle()).left, label.y);
    ASSERT_TRUE(PumpUntil([&] { return ShownTool(tooltip) == kStripTool; }, 3000));
    SaveWindowScreenshot(GetDesktopWindow(), L"armed-tooltip.bmp");
    AlarmCountdown.State = TaskDone;
    PumpFor(1100);
    EXPECT_EQ(Form1->FormHint(), "关机　23:00:00\r\n提醒　09:00:00　开会：三楼会议室\r\n开启　14:30:00　marker.exe");
    EXPECT_EQ(ShownTool(tooltip), kStripTool);
    ShutdownAtTime.State = ReminderAtTime.State = LaunchAtTime.State = TaskDone;
    EXPECT_TRUE(PumpUntil([&] { return ShownTool(tooltip) == -1; }, 3000));
}
