// The clock text: date and time written with the user's regional pictures. Pure code.
//
// A picture is read left to right; a run of one and the same character (same case) is one
// element, and letters mean the same in either case:
//   d dd        day of month, at least 1 / 2 digits     ddd dddd+  abbreviated / full weekday
//   m mm        month, or the minute when the most recent letter was an h element
//   mmm mmmm+   abbreviated / full month name
//   y yy        last two digits of the year              yyy+      the year, at least 4 digits
//   h hh+       hour, at least 1 / 2 digits; on the 12-hour clock 0 is 12 and 13-23 are 1-11
//   n nn        minute                                   s ss      second
//   AMPM        the AM or PM designator (any case, matched as a unit)
//   /  :        the date / time separator
//   '..' ".."   the quoted text without its quotes
//   g gg+       era name                                 e ee eee+ year within the era
// Everything else, multi-byte UTF-8 characters included, stands for itself.
// An hour element is on the 12-hour clock when an AMPM element stands anywhere before it, or
// after it before the next h.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/DateTime.h"

// Windows primary-language numbers the formatter's era rules depend on.
inline constexpr int LanguageChinese = 0x04;
inline constexpr int LanguageJapanese = 0x11;
inline constexpr int LanguageKorean = 0x12;
inline constexpr int SubLanguageChineseTraditional = 0x01;

// The longest clock text; anything beyond is cut on a character boundary.
inline constexpr std::size_t MaxClockTextBytes = 256;

// The user's regional settings for writing dates and times. The defaults stand in for anything
// the locale does not give.
struct FormatSettings {
    // Already adjusted for the calendar and language (AdjustShortDatePicture), because the
    // clock writes it a hundred times a second.
    std::string ShortDatePicture = "m/d/yy";
    std::string DateSeparator = "/";
    std::string TimeSeparator = ":";
    std::string AmDesignator = "am";
    std::string PmDesignator = "pm";
    bool HourLeadingZero = false;
    bool TwelveHourClock = true;
    bool DesignatorFirst = false;
    int CalendarType = 1;
    // Built from the three flags above (BuildLongTimePicture).
    std::string LongTimePicture = "h:mm:ss AMPM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                               "May",     "June",     "July",      "August",
                                               "September", "October", "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    int PrimaryLanguage = 0x09; // English
    int SubLanguage = 0x01;
};

// Where era names and years within an era come from: the system's alternate calendar on
// Windows, a fixed table in tests.
class EraSource {
public:
    virtual ~EraSource() = default;
    // The era name of the date, as the system writes the picture "gg".
    virtual std::string EraName(const DateTimeParts& date) const = 0;
    // The year within the era, as the system writes "yyyy" (fourDigits) or "yy".
    virtual std::string EraYear(const DateTimeParts& date, bool fourDigits) const = 0;
};

// The locale's short-date picture made fit for the formatter. Era calendars (types 3, 4 and 5)
// count years within the era, so y becomes e and gg becomes ggg; elsewhere the Chinese,
// Japanese and Korean pictures lose their g, since their Gregorian calendar has no era to name.
std::string AdjustShortDatePicture(std::string_view picture, int calendarType, int primaryLanguage);

// "h:mm:ss" or "hh:mm:ss", with the AMPM element in front or behind on the 12-hour clock.
std::string BuildLongTimePicture(bool hourLeadingZero, bool twelveHourClock, bool designatorFirst);

// Writes the moment with the picture.
std::string FormatDateTime(std::string_view picture, const DateTimeParts& t,
                           const FormatSettings& settings, const EraSource& eras);

// The same, appended to text.
void AppendDateTime(std::string& text, std::string_view picture, const DateTimeParts& t,
                    const FormatSettings& settings, const EraSource& eras);

// The strip's text: the date, then a blank and the time unless the time is exactly midnight
// to the second. At most MaxClockTextBytes bytes.
std::string ClockText(const DateTimeParts& t, const FormatSettings& settings, const EraSource& eras);
// The same into `text`, reusing its storage: the strip writes every second into one buffer.
void WriteClockText(std::string& text, const DateTimeParts& t, const FormatSettings& settings, const EraSource& eras);
