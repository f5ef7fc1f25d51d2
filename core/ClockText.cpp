#include "core/ClockText.h"

#include <cstdlib>
#include <utility>

#include "core/Utf8.h"

namespace {

bool IsAsciiLetter(char c) {
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'z';
}

// Neither a letter (which may start an element) nor a quote or separator; bytes of
// multi-byte characters are literal too.
bool IsLiteral(char c) {
    return !IsAsciiLetter(c) && c != '\'' && c != '"' && c != '/' && c != ':';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
}

// Whether text holds word at offset i, ignoring the case of ASCII letters; word is lower case.
bool MatchesAt(std::string_view text, std::size_t i, std::string_view word) {
    if (text.size() - i < word.size())
        return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (LowerAscii(text[i + k]) != word[k])
            return false;
    return true;
}

bool IsDesignatorAt(std::string_view picture, std::size_t i) {
    return MatchesAt(picture, i, "ampm");
}

// Offset of the quote that closes the quoted text opening at i, or the picture's end when the
// quote is never closed (the rest of the picture is then the quoted text).
std::size_t ClosingQuote(std::string_view picture, std::size_t i) {
    const std::size_t close = picture.find(picture[i], i + 1);
    return close == std::string_view::npos ? picture.size() : close;
}

// Whether an AMPM element follows offset i before the next hour element. Quoted text is
// skipped as the formatter skips it.
bool DesignatorAhead(std::string_view picture, std::size_t i) {
    const std::size_t n = picture.size();
    while (i < n) {
        const char c = picture[i];
        if (c == '\'' || c == '"') {
            i = ClosingQuote(picture, i) + 1;
            continue;
        }
        if (c == 'h' || c == 'H')
            return false;
        if (IsDesignatorAt(picture, i))
            return true;
        ++i;
    }
    return false;
}

// Decimal digits of value, at least minDigits of them. Nearly every value the clock writes is
// below 100 and asks for at most two digits, so that case skips the general loop.
void AppendNumber(std::string& text, int value, std::size_t minDigits) {
    if (value >= 0 && value < 100 && minDigits <= 2) {
        if (value >= 10 || minDigits == 2)
            text.push_back(static_cast<char>('0' + value / 10));
        text.push_back(static_cast<char>('0' + value % 10));
        return;
    }
    char buffer[16];
    char* const end = buffer + sizeof buffer;
    char* first = end;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (static_cast<std::size_t>(end - first) < minDigits)
        *--first = '0';
    if (value < 0)
        *--first = '-';
    text.append(first, static_cast<std::size_t>(end - first));
}

// Separators and literal runs are mostly one byte long; push_back spares the copy call.
void AppendText(std::string& text, std::string_view piece) {
    if (piece.size() == 1)
        text.push_back(piece.front());
    else
        text.append(piece);
}

void AppendName(std::string& text, const std::string* names, std::size_t size, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < size)
        text += names[index];
}

// The single g: the short form of the era name some languages use.
std::string ShortEraName(std::string name, const FormatSettings& settings) {
    if (settings.PrimaryLanguage == LanguageJapanese) {
        name.resize(CharacterOffset(name, 1));
    } else if (settings.PrimaryLanguage == LanguageChinese &&
               settings.SubLanguage == SubLanguageChineseTraditional && CharacterCount(name) == 4) {
        // The Republic era names its calendar before the era proper; the last two characters
        // are the era.
        name.erase(0, CharacterOffset(name, 2));
    }
    return name;
}

} // namespace

std::string AdjustShortDatePicture(std::string_view picture, int calendarType, int primaryLanguage) {
    std::string adjusted;
    adjusted.reserve(picture.size() + 8);
    const std::size_t n = picture.size();
    if (calendarType >= 3 && calendarType <= 5) {
        // UTF-8 bytes of multi-byte characters are never ASCII letters, so copying them one by
        // one below keeps each character whole.
        for (std::size_t i = 0; i < n;) {
            if (MatchesAt(picture, i, "gg")) {
                adjusted += "ggg";
                i += 2;
            } else if (MatchesAt(picture, i, "yyyy")) {
                adjusted += "eeee";
                i += 4;
            } else if (MatchesAt(picture, i, "yy")) {
                adjusted += "ee";
                i += 2;
            } else if (MatchesAt(picture, i, "y")) {
                adjusted += 'e';
                i += 1;
            } else {
                adjusted += picture[i];
                i += 1;
            }
        }
        return adjusted;
    }
    if (primaryLanguage == LanguageChinese || primaryLanguage == LanguageJapanese ||
        primaryLanguage == LanguageKorean) {
        for (const char c : picture)
            if (c != 'g' && c != 'G')
                adjusted += c;
        return adjusted;
    }
    adjusted.assign(picture);
    return adjusted;
}

std::string BuildLongTimePicture(bool hourLeadingZero, bool twelveHourClock, bool designatorFirst) {
    std::string picture;
    if (twelveHourClock && designatorFirst)
        picture += "AMPM ";
    picture += hourLeadingZero ? "hh" : "h";
    picture += ":mm:ss";
    if (twelveHourClock && !designatorFirst)
        picture += " AMPM";
    return picture;
}

void AppendDateTime(std::string& text, std::string_view picture, const DateTimeParts& t,
                    const FormatSettings& settings, const EraSource& eras) {
    const std::size_t n = picture.size();
    bool lastLetterWasHour = false; // decides whether m is the month or the minute
    bool designatorSeen = false;    // an AMPM before an hour puts it on the 12-hour clock
    std::size_t i = 0;
    while (i < n) {
        const char c = picture[i];
        if (IsLiteral(c)) {
            // Text that stands for itself, multi-byte characters included, goes in as one run.
            std::size_t j = i + 1;
            while (j < n && IsLiteral(picture[j]))
                ++j;
            AppendText(text, picture.substr(i, j - i));
            i = j;
            continue;
        }
        if (c == '\'' || c == '"') {
            const std::size_t close = ClosingQuote(picture, i);
            text.append(picture.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        if (c == '/') {
            AppendText(text, settings.DateSeparator);
            ++i;
            continue;
        }
        if (c == ':') {
            AppendText(text, settings.TimeSeparator);
            ++i;
            continue;
        }
        if (IsDesignatorAt(picture, i)) {
            text += t.Hour < 12 ? settings.AmDesignator : settings.PmDesignator;
            designatorSeen = true;
            lastLetterWasHour = false;
            i += 4;
            continue;
        }

        std::size_t j = i + 1;
        const char lower = LowerAscii(c);
        const bool element = lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' ||
                             lower == 'n' || lower == 's' || lower == 'g' || lower == 'e';
        if (element)
            while (j < n && picture[j] == c)
                ++j;
        const std::size_t count = j - i;
        const std::size_t digits = count >= 2 ? 2 : 1;
        switch (lower) {
        case 'd':
            if (count <= 2)
                AppendNumber(text, t.Day, digits);
            else if (count == 3)
                AppendName(text, settings.ShortDayNames.data(), 7, t.DayOfWeek);
            else
                AppendName(text, settings.LongDayNames.data(), 7, t.DayOfWeek);
            break;
        case 'm':
            if (count <= 2)
                AppendNumber(text, lastLetterWasHour ? t.Minute : t.Month, digits);
            else if (count == 3)
                AppendName(text, settings.ShortMonthNames.data(), 12, t.Month - 1);
            else
                AppendName(text, settings.LongMonthNames.data(), 12, t.Month - 1);
            break;
        case 'y':
            if (count <= 2)
                AppendNumber(text, std::abs(t.Year % 100), 2); // % first: -INT_MIN does not exist
            else
                AppendNumber(text, t.Year, 4);
            break;
        case 'h': {
            int hour = t.Hour;
            if (designatorSeen || DesignatorAhead(picture, j)) {
                if (hour == 0)
                    hour = 12;
                else if (hour > 12)
                    hour -= 12;
            }
            AppendNumber(text, hour, digits);
            break;
        }
        case 'n':
            AppendNumber(text, t.Minute, digits);
            break;
        case 's':
            AppendNumber(text, t.Second, digits);
            break;
        case 'g': {
            std::string name = eras.EraName(t);
            text += count == 1 ? ShortEraName(std::move(name), settings) : name;
            break;
        }
        case 'e': {
            const std::string year = eras.EraYear(t, count >= 3);
            if (count == 1 && !year.empty() && year.front() == '0')
                text.append(year, 1);
            else
                text += year;
            break;
        }
        default:
            text += c;
            break;
        }
        lastLetterWasHour = lower == 'h';
        i = j;
    }
}

std::string FormatDateTime(std::string_view picture, const DateTimeParts& t,
                           const FormatSettings& settings, const EraSource& eras) {
    std::string text;
    text.reserve(picture.size() * 2 + 16);
    AppendDateTime(text, picture, t, settings, eras);
    return text;
}

std::string ClockText(const DateTimeParts& t, const FormatSettings& settings, const EraSource& eras) {
    std::string text;
    text.reserve(128);
    WriteClockText(text, t, settings, eras);
    return text;
}

void WriteClockText(std::string& text, const DateTimeParts& t, const FormatSettings& settings, const EraSource& eras) {
    text.clear();
    AppendDateTime(text, settings.ShortDatePicture, t, settings, eras);
    // Milliseconds play no part: the whole first second of the day shows the date alone.
    if (t.Hour != 0 || t.Minute != 0 || t.Second != 0) {
        text += ' ';
        AppendDateTime(text, settings.LongTimePicture, t, settings, eras);
    }
    if (text.size() > MaxClockTextBytes)
        text.resize(CutOnCharacterBoundary(text, MaxClockTextBytes).size());
}
