#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ClockText.h"

namespace {

// Era names and years from a fixed table, as the alternate calendar would give them.
class FakeEras : public EraSource {
public:
    std::string Name = "令和";
    std::string ShortYear = "08";
    std::string LongYear = "0008";
    std::string EraName(const DateTimeParts&) const override { return Name; }
    std::string EraYear(const DateTimeParts&, bool fourDigits) const override {
        return fourDigits ? LongYear : ShortYear;
    }
};

DateTimeParts At(int year, int month, int day, int dayOfWeek, int hour, int minute, int second,
                 int millisecond = 0) {
    return DateTimeParts{year, month, day, dayOfWeek, hour, minute, second, millisecond};
}

FormatSettings WithClock(std::string shortDate, bool leadingZero, bool twelveHour,
                         bool designatorFirst) {
    FormatSettings settings;
    settings.ShortDatePicture = std::move(shortDate);
    settings.AmDesignator = "AM";
    settings.PmDesignator = "PM";
    settings.HourLeadingZero = leadingZero;
    settings.TwelveHourClock = twelveHour;
    settings.DesignatorFirst = designatorFirst;
    settings.LongTimePicture = BuildLongTimePicture(leadingZero, twelveHour, designatorFirst);
    return settings;
}

// Monday 7 December 2026.
DateTimeParts Dec7(int hour, int minute, int second, int millisecond = 0) {
    return At(2026, 12, 7, 1, hour, minute, second, millisecond);
}

} // namespace

TEST(ClockText, DateAndTimeWithTheLocaleClock) {
    const FormatSettings h24 = WithClock("yyyy-M-d", false, false, false);
    const FormatSettings h24Zero = WithClock("yyyy-M-d", true, false, false);
    const FormatSettings h12After = WithClock("yyyy-M-d", false, true, false);
    const FormatSettings h12Before = WithClock("yyyy-M-d", false, true, true);
    const FormatSettings h12Zero = WithClock("yyyy-M-d", true, true, false);
    const struct {
        const char* name;
        const FormatSettings& settings;
        DateTimeParts t;
        const char* expected;
    } cases[] = {
        {"24h", h24, Dec7(9, 5, 3), "2026-12-7 9:05:03"},
        {"24h midnight plus half a second", h24, Dec7(0, 0, 0, 500), "2026-12-7"},
        {"24h midnight plus 999 ms", h24, Dec7(0, 0, 0, 999), "2026-12-7"},
        {"24h one second past midnight", h24, Dec7(0, 0, 1), "2026-12-7 0:00:01"},
        {"24h one minute past midnight", h24, Dec7(0, 1, 0), "2026-12-7 0:01:00"},
        {"24h afternoon", h24, Dec7(23, 59, 59), "2026-12-7 23:59:59"},
        {"24h leading zero", h24Zero, Dec7(9, 5, 3), "2026-12-7 09:05:03"},
        {"12h after, afternoon", h12After, Dec7(13, 5, 3), "2026-12-7 1:05:03 PM"},
        {"12h after, half past midnight", h12After, Dec7(0, 30, 0), "2026-12-7 12:30:00 AM"},
        {"12h after, just before noon", h12After, Dec7(11, 59, 59), "2026-12-7 11:59:59 AM"},
        {"12h after, noon", h12After, Dec7(12, 0, 0), "2026-12-7 12:00:00 PM"},
        {"12h before, afternoon", h12Before, Dec7(13, 5, 3), "2026-12-7 PM 1:05:03"},
        {"12h before, half past midnight", h12Before, Dec7(0, 30, 0), "2026-12-7 AM 12:30:00"},
        {"12h leading zero", h12Zero, Dec7(13, 5, 3), "2026-12-7 01:05:03 PM"},
    };
    const FakeEras eras;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClockText(c.t, c.settings, eras), c.expected);
    }
}

TEST(ClockText, DefaultsAreTheUsEnglishTwelveHourClock) {
    const FormatSettings settings;
    EXPECT_EQ(settings.LongTimePicture, BuildLongTimePicture(false, true, false));
    EXPECT_EQ(ClockText(Dec7(13, 5, 3), settings, FakeEras{}), "12/7/26 1:05:03 pm");
}

TEST(ClockText, LongTimePicture) {
    const struct {
        bool leadingZero, twelveHour, designatorFirst;
        const char* expected;
    } cases[] = {
        {false, false, false, "h:mm:ss"},      {true, false, false, "hh:mm:ss"},
        {false, false, true, "h:mm:ss"},       {false, true, false, "h:mm:ss AMPM"},
        {true, true, false, "hh:mm:ss AMPM"}, {false, true, true, "AMPM h:mm:ss"},
        {true, true, true, "AMPM hh:mm:ss"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildLongTimePicture(c.leadingZero, c.twelveHour, c.designatorFirst), c.expected)
            << c.leadingZero << c.twelveHour << c.designatorFirst;
}

TEST(FormatDateTime, EveryElement) {
    const FormatSettings english{
        .DateSeparator = "-", .TimeSeparator = ".", .AmDesignator = "上午", .PmDesignator = "下午"};
    // Thursday 5 March 2026, 14:07:04.
    const DateTimeParts afternoon = At(2026, 3, 5, 4, 14, 7, 4, 250);
    const DateTimeParts morning = At(987, 3, 5, 4, 9, 7, 4);
    const struct {
        const char* picture;
        DateTimeParts t;
        const char* expected;
    } cases[] = {
        {"d|dd|ddd|dddd|ddddd", afternoon, "5|05|Thu|Thursday|Thursday"},
        {"dD", afternoon, "55"},
        {"m|mm|mmm|mmmm|MMMMMM", afternoon, "3|03|Mar|March|March"},
        {"h:m|hh:mm:ss|H时mm分ss秒", afternoon, "14.7|14.07.04|14时07分04秒"},
        {"h mm", afternoon, "14 07"},
        {"h'x'mm", afternoon, "14x07"},      // quoted text is no letter
        {"hxmm", afternoon, "14x03"},        // a literal letter is
        {"h:mm:mm", afternoon, "14.07.03"},  // the minute is the latest letter element
        {"mm/h", afternoon, "03-14"},
        {"y|yy|yyy|yyyy|YYYYY", afternoon, "26|26|2026|2026|2026"},
        {"y|yy|yyy|yyyy", morning, "87|87|0987|0987"},
        {"yy", At(2005, 1, 1, 6, 0, 0, 0), "05"},
        {"yy", At(-2147483647 - 1, 1, 1, 6, 0, 0, 0), "48"}, // the lowest year has no negation
        {"h|hh|hhh", morning, "9|09|09"},
        {"h|hh", afternoon, "14|14"},
        {"n|nn|N", morning, "7|07|7"},
        {"s|ss|S", morning, "4|04|4"},
        {"h AMPM", afternoon, "2 下午"},
        {"AMPM h", afternoon, "下午 2"},
        {"h ampm|AmPm", morning, "9 上午|上午"},
        {"h h AMPM", afternoon, "14 2 下午"},  // the designator belongs to the nearer hour
        {"AMPM h h", afternoon, "下午 2 2"},
        {"h 'AMPM' \"AMPM\"", afternoon, "14 AMPM AMPM"},
        {"h aampm", afternoon, "2 a下午"},
        {"yyyy/mm/dd", afternoon, "2026-03-05"},
        {"'at' h:nn", afternoon, "at 14.07"},
        {"\"d\"d", afternoon, "d5"},
        {"'it''s'", afternoon, "its"},
        {"d 'open", afternoon, "5 open"},
        {"yyyy年M月d日 星期", afternoon, "2026年3月5日 星期"},
        {"x, b-q", afternoon, "x, b-q"},
        {"", afternoon, ""},
    };
    const FakeEras eras;
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.picture, c.t, english, eras), c.expected) << c.picture;
}

TEST(FormatDateTime, MonthAndWeekdayNames) {
    FormatSettings chinese;
    chinese.ShortMonthNames = {"1月", "2月", "3月", "4月", "5月",  "6月",
                               "7月", "8月", "9月", "10月", "11月", "12月"};
    chinese.LongMonthNames = {"一月", "二月", "三月", "四月",   "五月",   "六月",
                              "七月", "八月", "九月", "十月", "十一月", "十二月"};
    chinese.ShortDayNames = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
    chinese.LongDayNames = {"星期日", "星期一", "星期二", "星期三",
                            "星期四", "星期五", "星期六"};
    const FormatSettings english;
    const struct {
        const FormatSettings& settings;
        DateTimeParts t;
        const char* expected;
    } cases[] = {
        {chinese, Dec7(0, 0, 0), "12月 十二月 周一 星期一"},
        {chinese, At(2026, 1, 4, 0, 0, 0, 0), "1月 一月 周日 星期日"},
        {chinese, At(2026, 10, 10, 6, 0, 0, 0), "10月 十月 周六 星期六"},
        {english, Dec7(0, 0, 0), "Dec December Mon Monday"},
        {english, At(2026, 1, 4, 0, 0, 0, 0), "Jan January Sun Sunday"},
        {english, At(2026, 10, 10, 6, 0, 0, 0), "Oct October Sat Saturday"},
    };
    const FakeEras eras;
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime("mmm mmmm ddd dddd", c.t, c.settings, eras), c.expected);
}

TEST(FormatDateTime, EraNameAndYear) {
    const auto settings = [](int language, int subLanguage) {
        FormatSettings s;
        s.PrimaryLanguage = language;
        s.SubLanguage = subLanguage;
        return s;
    };
    const FormatSettings japanese = settings(LanguageJapanese, 1);
    const FormatSettings traditional = settings(LanguageChinese, SubLanguageChineseTraditional);
    const FormatSettings simplified = settings(LanguageChinese, 2);
    const FormatSettings english = settings(0x09, 1);
    const struct {
        const FormatSettings& settings;
        const char* name;
        const char* shortYear;
        const char* longYear;
        const char* picture;
        const char* expected;
    } cases[] = {
        {japanese, "令和", "08", "0008", "g|gg|ggg|G", "令|令和|令和|令"},
        {traditional, "中華民國", "115", "0115", "g|gg|ggg", "民國|中華民國|中華民國"},
        {traditional, "民國", "115", "0115", "g", "民國"},       // only four characters are cut
        {traditional, "中華民國年", "115", "0115", "g", "中華民國年"},
        {simplified, "中華民國", "115", "0115", "g", "中華民國"},
        {english, "Reiwa", "08", "0008", "g|gg", "Reiwa|Reiwa"},
        {japanese, "", "08", "0008", "g|gg", "|"},
        {japanese, "令和", "08", "0008", "e|ee|eee|eeee|E", "8|08|0008|0008|8"},
        {japanese, "令和", "00", "0000", "e", "0"},  // one leading zero only
        {japanese, "令和", "15", "0015", "e|ee", "15|15"},
        {japanese, "令和", "", "", "e|eee", "|"},
        {japanese, "令和", "08", "0008", "ggge'年'M'月'd'日'", "令和8年3月5日"},
    };
    const DateTimeParts t = At(2026, 3, 5, 4, 0, 0, 0);
    for (const auto& c : cases) {
        FakeEras eras;
        eras.Name = c.name;
        eras.ShortYear = c.shortYear;
        eras.LongYear = c.longYear;
        EXPECT_EQ(FormatDateTime(c.picture, t, c.settings, eras), c.expected)
            << c.name << " " << c.picture;
    }
}

TEST(AdjustShortDatePicture, EraCalendarsAndEraRemoval) {
    const struct {
        const char* picture;
        int calendar;
        int language;
        const char* expected;
    } cases[] = {
        {"yyyy/M/d", 3, LanguageJapanese, "eeee/M/d"},
        {"yyy", 4, LanguageChinese, "eee"},
        {"yyyyy", 5, LanguageKorean, "eeeee"},
        {"YY/MM/dd", 3, LanguageJapanese, "ee/MM/dd"},
        {"yYyY y", 3, 0x09, "eeee e"},
        {"gg", 3, LanguageJapanese, "ggg"},
        {"gG Gg GG", 4, LanguageChinese, "ggg ggg ggg"},
        {"g", 3, LanguageJapanese, "g"},
        {"ggg", 3, LanguageJapanese, "gggg"},
        {"gg y年M月d日", 4, LanguageChinese, "ggg e年M月d日"},
        {"yyyy/M/d", 1, LanguageChinese, "yyyy/M/d"},
        {"gg yyyy/M/d", 1, LanguageChinese, " yyyy/M/d"},
        {"Gyyyy年", 2, LanguageJapanese, "yyyy年"},
        {"yyyy-MM-dd g", 6, LanguageKorean, "yyyy-MM-dd "},
        {"gg yyyy/M/d", 1, 0x09, "gg yyyy/M/d"},
        {"", 3, LanguageJapanese, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdjustShortDatePicture(c.picture, c.calendar, c.language), c.expected)
            << c.picture << " calendar " << c.calendar;
}

TEST(ClockText, LongTextIsCutOnACharacterBoundary) {
    const struct {
        const char* lead;      // shifts where the cut falls within a character
        const char* character; // repeated inside quotes well past the limit
    } cases[] = {
        {"", "中"}, {"a", "中"}, {"ab", "中"}, {"", "é"},   {"a", "é"},
        {"", "😀"}, {"a", "😀"}, {"ab", "😀"}, {"abc", "😀"}, {"", "a"},
    };
    const FakeEras eras;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lead) + c.character);
        FormatSettings settings;
        std::string picture = std::string(c.lead) + "'";
        for (int i = 0; i < 300; ++i)
            picture += c.character;
        picture += "'";
        settings.ShortDatePicture = picture;
        const std::string full = FormatDateTime(picture, Dec7(0, 0, 0), settings, eras);
        ASSERT_GT(full.size(), MaxClockTextBytes);

        const std::size_t lead = std::string(c.lead).size();
        const std::size_t width = std::string(c.character).size();
        const std::size_t expected = lead + (MaxClockTextBytes - lead) / width * width;
        for (const DateTimeParts& t : {Dec7(0, 0, 0), Dec7(9, 5, 3)}) {
            const std::string text = ClockText(t, settings, eras);
            EXPECT_EQ(text.size(), expected);
            EXPECT_EQ(text, full.substr(0, expected));
        }
    }
}

TEST(ClockText, TextAtTheLimitIsKeptWhole) {
    FormatSettings settings;
    const FakeEras eras;
    settings.ShortDatePicture = std::string(MaxClockTextBytes - 3, 'x') + "'中'";
    EXPECT_EQ(ClockText(Dec7(0, 0, 0), settings, eras).size(), MaxClockTextBytes);
    settings.ShortDatePicture = std::string(MaxClockTextBytes - 2, 'x') + "'中'";
    EXPECT_EQ(ClockText(Dec7(0, 0, 0), settings, eras), std::string(MaxClockTextBytes - 2, 'x'));
}
