// The strip's running clock: the regional settings it reads, following a change of them, and
// how often it repaints.
#include "Support.h"

#include <commctrl.h>
#include "clockbar/LocaleFormat.h"
#include "clockbar/Unit1.h"
#include "core/SecondTicks.h"

using namespace testsupport;

namespace {

FormatSettings SettingsFor(LCID locale) {
    const LCID before = GetThreadLocale();
    SetThreadLocale(locale);
    FormatSettings settings = ReadFormatSettings();
    SetThreadLocale(before);
    return settings;
}

int paints = 0;

LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT)
        ++paints;
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

TEST(ClockFormat, ReadsEachLocalesPictures) {
    const FormatSettings chinese = SettingsFor(MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT));
    EXPECT_EQ(chinese.ShortDatePicture, "yyyy/M/d");
    EXPECT_FALSE(chinese.TwelveHourClock);
    EXPECT_EQ(chinese.LongTimePicture.substr(chinese.LongTimePicture.size() - 6), ":mm:ss");
    EXPECT_EQ(chinese.LongMonthNames[11], "十二月");

    const FormatSettings american = SettingsFor(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
    EXPECT_EQ(american.ShortDatePicture, "M/d/yyyy");
    EXPECT_TRUE(american.TwelveHourClock);
    EXPECT_EQ(american.LongTimePicture, "h:mm:ss AMPM");
    EXPECT_EQ(american.AmDesignator, "AM");
    EXPECT_EQ(american.LongDayNames[0], "Sunday");
}

class RunningClock : public ProgramTest {};

TEST_F(RunningClock, ShowsTheLocalDateAndTimeWithinATick) {
    ASSERT_TRUE(PumpUntil([] { return Form1->Label1.Caption() != "88888888888888888888"; }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string year = std::to_string(now.wYear);
    EXPECT_EQ(Form1->Label1.Caption().find(year), 0u) << Form1->Label1.Caption();
}

TEST_F(RunningClock, FollowsAChangeOfTheRegionalSettingsAtTheNextTick) {
    Form1->ClockFormat.ShortDatePicture = "'changed'"; // shows from the next second on
    ASSERT_TRUE(PumpUntil([] { return Form1->Label1.Caption().rfind("changed", 0) == 0; }));
    SendMessageW(App().Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_NE(Form1->Label1.Caption().rfind("changed", 0), 0u); // at once, not at the next tick
}

// Broadcast to every top-level window, as the system does: the text is written again at once,
// without waiting for the second to turn, and the timer is due again within the second.
TEST_F(RunningClock, IsWrittenAgainAtOnceWhenTheTimeOrTheScreensChange) {
    for (const UINT message : {WM_TIMECHANGE, WM_DISPLAYCHANGE, WM_POWERBROADCAST}) {
        SCOPED_TRACE(message);
        Form1->ClockFormat.ShortDatePicture = "'changed'";
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, message, message == WM_POWERBROADCAST ? PBT_APMRESUMEAUTOMATIC : 0, 0,
                            SMTO_ABORTIFHUNG, 2000, &result);
        EXPECT_EQ(Form1->Label1.Caption().rfind("changed", 0), 0u) << Form1->Label1.Caption();
        EXPECT_TRUE(Form1->Timer1.Running());
        EXPECT_LE(Form1->Timer1.Interval(), 1000u + kSecondTickMarginMs);
        Form1->ReadClockFormat();
    }
}

TEST_F(RunningClock, RepaintsOncePerSecondNotEveryTick) {
    ASSERT_TRUE(PumpUntil([] { return Form1->Label1.Caption() != "88888888888888888888"; }));
    SetWindowSubclass(Form1->Handle(), &CountPaints, 1, 0);
    paints = 0;
    PumpFor(3000);
    RemoveWindowSubclass(Form1->Handle(), &CountPaints, 1);
    EXPECT_GE(paints, 2);
    EXPECT_LE(paints, 5);
}
