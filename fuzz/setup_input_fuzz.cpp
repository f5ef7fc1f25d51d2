// The setup dialogs' checks of hour, minute and second texts and of countdown minutes. The input
// is up to four lines: hour, minute, second, minutes. Whatever the texts, the answer is a valid
// code, the right refusal, or the conversion error that names the first text that is no integer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exception.h"
#include "core/SetupInput.h"
#include "fuzz/Check.h"
#include "fuzz/ReferenceInteger.h"

namespace {

std::vector<std::string_view> Lines(std::string_view text, std::size_t count) {
    std::vector<std::string_view> lines;
    while (lines.size() + 1 < count) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            break;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    lines.push_back(text);
    lines.resize(count); // missing lines are empty texts
    return lines;
}

std::string ConversionMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

void CheckTimeOfDay(std::string_view hour, std::string_view minute, std::string_view second) {
    const std::string_view texts[] = {hour, minute, second};
    std::int32_t values[3] = {};
    const std::string_view* firstBad = nullptr;
    for (int k = 0; k < 3 && !firstBad; ++k) {
        const auto value = reference::ReadInteger(texts[k]);
        if (value)
            values[k] = *value;
        else
            firstBad = &texts[k];
    }
    try {
        const SlotValue got = TimeOfDayCode(hour, minute, second);
        FUZZ_CHECK(!firstBad);
        const auto [h, m, s] = values;
        const bool possible = h >= 0 && h <= 23 && m >= 0 && m <= 59 && s >= 0 && s <= 59;
        if (possible) {
            FUZZ_CHECK(got.Refusal == nullptr);
            FUZZ_CHECK(got.Value == h * 10000 + m * 100 + s);
        } else {
            FUZZ_CHECK(got.Refusal == std::string_view(kNotATimeOfDay));
        }
    } catch (const EConvertError& error) {
        FUZZ_CHECK(firstBad);
        FUZZ_CHECK(error.Message() == ConversionMessage(*firstBad));
    }
}

void CheckCountdown(std::string_view minutes) {
    const auto value = reference::ReadInteger(minutes);
    try {
        const SlotValue got = CountdownSeconds(minutes);
        FUZZ_CHECK(value.has_value());
        const std::int64_t seconds = std::int64_t{*value} * 60;
        if (seconds >= INT32_MIN && seconds <= INT32_MAX) {
            FUZZ_CHECK(got.Refusal == nullptr);
            FUZZ_CHECK(got.Value == seconds);
        } else {
            FUZZ_CHECK(got.Refusal == std::string_view(kMinutesOutOfRange));
        }
    } catch (const EConvertError& error) {
        FUZZ_CHECK(!value.has_value());
        FUZZ_CHECK(error.Message() == ConversionMessage(minutes));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lines = Lines(std::string_view(reinterpret_cast<const char*>(data), size), 4);
    CheckTimeOfDay(lines[0], lines[1], lines[2]);
    CheckCountdown(lines[3]);
    return 0;
}
