// The clock text from random pictures, settings and moments. The input is lines of text:
//   0 short-date picture   1 long-time picture   2 date separator   3 time separator
//   4 AM designator        5 PM designator       6 era name         7 year within the era
//   8 month and day names, '|' between them (used in turn for all 38)
//   9 numbers: year month day weekday hour minute second calendar language sublanguage
// The moment's fields take any value of the WORD fields of the SYSTEMTIME they come from, so
// months and weekdays outside their ranges too.
// Any bytes are taken; broken UTF-8 is mended before the texts go in, so that the text that
// comes out must be valid UTF-8 as well as within the strip's byte limit.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ClockText.h"
#include "fuzz/Check.h"

namespace {

class FixedEras final : public EraSource {
public:
    FixedEras(std::string name, std::string year) : name_(std::move(name)), year_(std::move(year)) {}
    std::string EraName(const DateTimeParts&) const override { return name_; }
    std::string EraYear(const DateTimeParts&, bool) const override { return year_; }

private:
    std::string name_, year_;
};

std::vector<std::string_view> Split(std::string_view text, char separator, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t end = text.find(separator);
        if (end == std::string_view::npos)
            break;
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    parts.push_back(text);
    return parts;
}

// Whole numbers separated by blanks; anything unreadable counts as 0, and what is missing too.
std::vector<int> Numbers(std::string_view text, std::size_t count) {
    std::vector<int> numbers;
    for (std::string_view part : Split(text, ' ', count)) {
        long long value = 0;
        std::from_chars(part.data(), part.data() + part.size(), value);
        numbers.push_back(static_cast<int>(value)); // any int, wrapped, is fair game
    }
    numbers.resize(count);
    return numbers;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    auto lines = Split(input, '\n', 10);
    lines.resize(10);
    const auto text = [&](std::size_t line) { return fuzz::RepairUtf8(lines[line]); };
    const std::vector<int> n = Numbers(lines[9], 10);

    FormatSettings settings;
    settings.CalendarType = n[7];
    settings.PrimaryLanguage = n[8];
    settings.SubLanguage = n[9];
    settings.ShortDatePicture = AdjustShortDatePicture(text(0), settings.CalendarType, settings.PrimaryLanguage);
    settings.LongTimePicture = text(1);
    settings.DateSeparator = text(2);
    settings.TimeSeparator = text(3);
    settings.AmDesignator = text(4);
    settings.PmDesignator = text(5);
    const auto names = Split(lines[8], '|', 38);
    std::size_t next = 0;
    const auto nextName = [&] { return fuzz::RepairUtf8(names[next++ % names.size()]); };
    for (auto& name : settings.ShortMonthNames) name = nextName();
    for (auto& name : settings.LongMonthNames) name = nextName();
    for (auto& name : settings.ShortDayNames) name = nextName();
    for (auto& name : settings.LongDayNames) name = nextName();
    const FixedEras eras(text(6), text(7));
    const auto word = [&](std::size_t k) { return static_cast<int>(static_cast<std::uint16_t>(n[k])); };
    const DateTimeParts t{.Year = word(0), .Month = word(1), .Day = word(2), .DayOfWeek = word(3),
                          .Hour = word(4), .Minute = word(5), .Second = word(6)};

    const std::string clock = ClockText(t, settings, eras);
    FUZZ_CHECK(clock.size() <= MaxClockTextBytes);
    FUZZ_CHECK(fuzz::IsValidUtf8(clock));

    // The strip's text is the date and time cut short only where the limit asks for it, and then
    // by less than one character.
    std::string full = FormatDateTime(settings.ShortDatePicture, t, settings, eras);
    if (t.Hour != 0 || t.Minute != 0 || t.Second != 0)
        full += ' ' + FormatDateTime(settings.LongTimePicture, t, settings, eras);
    FUZZ_CHECK(full.starts_with(clock));
    FUZZ_CHECK(clock.size() == full.size() || clock.size() > MaxClockTextBytes - 4);

    // Written into a reused buffer that held something else, the text is the same.
    std::string reused(lines[0]);
    WriteClockText(reused, t, settings, eras);
    FUZZ_CHECK(reused == clock);

    // Pictures straight from the input, broken UTF-8 and all, must still be read safely.
    FormatDateTime(lines[0], t, settings, eras);
    return 0;
}
