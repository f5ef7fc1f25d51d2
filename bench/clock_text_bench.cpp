// One clock text for a typical simplified-Chinese setting, against the C library writing the
// same text with strftime.
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "core/ClockText.h"

namespace {

class NoEras : public EraSource {
public:
    std::string EraName(const DateTimeParts&) const override { return {}; }
    std::string EraYear(const DateTimeParts&, bool) const override { return {}; }
};

FormatSettings ChineseSettings() {
    FormatSettings settings;
    settings.ShortDatePicture = "yyyy/M/d";
    settings.AmDesignator = "上午";
    settings.PmDesignator = "下午";
    settings.HourLeadingZero = false;
    settings.TwelveHourClock = false;
    settings.LongTimePicture = BuildLongTimePicture(false, false, false);
    settings.PrimaryLanguage = LanguageChinese;
    settings.SubLanguage = 2;
    return settings;
}

void BM_ClockText(benchmark::State& state) {
    const FormatSettings settings = ChineseSettings();
    const NoEras eras;
    DateTimeParts t{2026, 12, 7, 1, 9, 5, 3, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        std::string text = ClockText(t, settings, eras);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ClockText);

// As the strip calls it: into one buffer whose storage is reused.
void BM_ClockText_ReusedBuffer(benchmark::State& state) {
    const FormatSettings settings = ChineseSettings();
    const NoEras eras;
    DateTimeParts t{2026, 12, 7, 1, 9, 5, 3, 0};
    std::string text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        WriteClockText(text, t, settings, eras);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ClockText_ReusedBuffer);

void BM_ClockText_Strftime(benchmark::State& state) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 7;
    tm.tm_wday = 1;
    tm.tm_hour = 9;
    tm.tm_min = 5;
    tm.tm_sec = 3;
    char buffer[257];
    for (auto _ : state) {
        benchmark::DoNotOptimize(tm);
        const std::size_t size = std::strftime(buffer, sizeof buffer, "%Y/%-m/%-d %-H:%M:%S", &tm);
        benchmark::DoNotOptimize(size);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_ClockText_Strftime);

} // namespace
