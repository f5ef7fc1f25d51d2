#include "clockbar/LocaleFormat.h"

#include <cstddef>
#include <iterator>

#include "toolkit/Text.h"

namespace {

// The locale's text for the item, without its terminating null; empty when the call fails.
std::wstring LocaleText(LCID locale, LCTYPE item) {
    const int size = GetLocaleInfoW(locale, item, nullptr, 0); // counts the null
    if (size <= 1)
        return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = GetLocaleInfoW(locale, item, text.data(), size);
    if (written <= 1)
        return {};
    text.resize(static_cast<std::size_t>(written - 1));
    return text;
}

// Replaces value with the locale's text when there is one.
void ReadText(LCID locale, LCTYPE item, std::string& value) {
    const std::wstring text = LocaleText(locale, item);
    if (!text.empty())
        value = tk::Narrow(text);
}

// Separators are single characters; the formatter writes them for '/' and ':'.
void ReadSeparator(LCID locale, LCTYPE item, std::string& value) {
    const std::wstring text = LocaleText(locale, item);
    const bool single = text.size() == 1 || (text.size() == 2 && IS_HIGH_SURROGATE(text[0]) &&
                                             IS_LOW_SURROGATE(text[1]));
    if (single)
        value = tk::Narrow(text);
}

// The locale's number for the item; fallback when the call fails.
int ReadNumber(LCID locale, LCTYPE item, int fallback) {
    DWORD number = 0;
    const int written = GetLocaleInfoW(locale, item | LOCALE_RETURN_NUMBER,
                                       reinterpret_cast<LPWSTR>(&number),
                                       sizeof(number) / sizeof(wchar_t));
    return written > 0 ? static_cast<int>(number) : fallback;
}

SYSTEMTIME ToSystemTime(const DateTimeParts& date) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.Year);
    time.wMonth = static_cast<WORD>(date.Month);
    time.wDay = static_cast<WORD>(date.Day);
    time.wDayOfWeek = static_cast<WORD>(date.DayOfWeek);
    time.wHour = static_cast<WORD>(date.Hour);
    time.wMinute = static_cast<WORD>(date.Minute);
    time.wSecond = static_cast<WORD>(date.Second);
    time.wMilliseconds = static_cast<WORD>(date.Millisecond);
    return time;
}

std::string AlternateCalendarText(const DateTimeParts& date, const wchar_t* picture) {
    const SYSTEMTIME time = ToSystemTime(date);
    wchar_t buffer[80];
    const int written = GetDateFormatW(GetThreadLocale(), DATE_USE_ALT_CALENDAR, &time, picture,
                                       buffer, static_cast<int>(std::size(buffer)));
    return written > 1 ? tk::Narrow(std::wstring_view(buffer, static_cast<std::size_t>(written - 1))) : std::string();
}

constexpr LCTYPE ShortMonthItems[12] = {
    LOCALE_SABBREVMONTHNAME1, LOCALE_SABBREVMONTHNAME2,  LOCALE_SABBREVMONTHNAME3,
    LOCALE_SABBREVMONTHNAME4, LOCALE_SABBREVMONTHNAME5,  LOCALE_SABBREVMONTHNAME6,
    LOCALE_SABBREVMONTHNAME7, LOCALE_SABBREVMONTHNAME8,  LOCALE_SABBREVMONTHNAME9,
    LOCALE_SABBREVMONTHNAME10, LOCALE_SABBREVMONTHNAME11, LOCALE_SABBREVMONTHNAME12};
constexpr LCTYPE LongMonthItems[12] = {
    LOCALE_SMONTHNAME1, LOCALE_SMONTHNAME2,  LOCALE_SMONTHNAME3,  LOCALE_SMONTHNAME4,
    LOCALE_SMONTHNAME5, LOCALE_SMONTHNAME6,  LOCALE_SMONTHNAME7,  LOCALE_SMONTHNAME8,
    LOCALE_SMONTHNAME9, LOCALE_SMONTHNAME10, LOCALE_SMONTHNAME11, LOCALE_SMONTHNAME12};
// Sunday first, as DateTimeParts counts; Windows numbers its day names from Monday.
constexpr LCTYPE ShortDayItems[7] = {
    LOCALE_SABBREVDAYNAME7, LOCALE_SABBREVDAYNAME1, LOCALE_SABBREVDAYNAME2, LOCALE_SABBREVDAYNAME3,
    LOCALE_SABBREVDAYNAME4, LOCALE_SABBREVDAYNAME5, LOCALE_SABBREVDAYNAME6};
constexpr LCTYPE LongDayItems[7] = {LOCALE_SDAYNAME7, LOCALE_SDAYNAME1, LOCALE_SDAYNAME2,
                                    LOCALE_SDAYNAME3, LOCALE_SDAYNAME4, LOCALE_SDAYNAME5,
                                    LOCALE_SDAYNAME6};

} // namespace

FormatSettings ReadFormatSettings() {
    const LCID locale = GetThreadLocale();
    FormatSettings settings;
    const LANGID language = LANGIDFROMLCID(locale);
    settings.PrimaryLanguage = PRIMARYLANGID(language);
    settings.SubLanguage = SUBLANGID(language);

    ReadSeparator(locale, LOCALE_SDATE, settings.DateSeparator);
    ReadSeparator(locale, LOCALE_STIME, settings.TimeSeparator);
    ReadText(locale, LOCALE_S1159, settings.AmDesignator);
    ReadText(locale, LOCALE_S2359, settings.PmDesignator);
    settings.HourLeadingZero = ReadNumber(locale, LOCALE_ITLZERO, 0) != 0;
    settings.TwelveHourClock = ReadNumber(locale, LOCALE_ITIME, 0) == 0;
    settings.DesignatorFirst = ReadNumber(locale, LOCALE_ITIMEMARKPOSN, 0) != 0;
    settings.CalendarType = ReadNumber(locale, LOCALE_ICALENDARTYPE, 1);
    for (std::size_t i = 0; i < 12; ++i) {
        ReadText(locale, ShortMonthItems[i], settings.ShortMonthNames[i]);
        ReadText(locale, LongMonthItems[i], settings.LongMonthNames[i]);
    }
    for (std::size_t i = 0; i < 7; ++i) {
        ReadText(locale, ShortDayItems[i], settings.ShortDayNames[i]);
        ReadText(locale, LongDayItems[i], settings.LongDayNames[i]);
    }

    std::string shortDate = settings.ShortDatePicture;
    ReadText(locale, LOCALE_SSHORTDATE, shortDate);
    settings.ShortDatePicture =
        AdjustShortDatePicture(shortDate, settings.CalendarType, settings.PrimaryLanguage);
    settings.LongTimePicture = BuildLongTimePicture(settings.HourLeadingZero,
                                                    settings.TwelveHourClock,
                                                    settings.DesignatorFirst);
    return settings;
}

std::string WindowsEraSource::EraName(const DateTimeParts& date) const {
    return AlternateCalendarText(date, L"gg");
}

std::string WindowsEraSource::EraYear(const DateTimeParts& date, bool fourDigits) const {
    return AlternateCalendarText(date, fourDigits ? L"yyyy" : L"yy");
}

DateTimeParts FromSystemTime(const SYSTEMTIME& time) {
    DateTimeParts parts;
    parts.Year = time.wYear;
    parts.Month = time.wMonth;
    parts.Day = time.wDay;
    parts.DayOfWeek = time.wDayOfWeek;
    parts.Hour = time.wHour;
    parts.Minute = time.wMinute;
    parts.Second = time.wSecond;
    parts.Millisecond = time.wMilliseconds;
    return parts;
}
