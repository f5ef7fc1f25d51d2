#include "core/SetupInput.h"

#include <limits>

#include "core/Convert.h"
#include "core/Scheduler.h"

SlotValue CountdownSeconds(std::string_view minutes) {
    const std::int64_t seconds = std::int64_t{TextToInteger(minutes)} * 60;
    if (seconds < std::numeric_limits<std::int32_t>::min() || seconds > std::numeric_limits<std::int32_t>::max())
        return {.Refusal = kMinutesOutOfRange};
    return {.Value = static_cast<std::int32_t>(seconds)};
}

SlotValue TimeOfDayCode(std::string_view hour, std::string_view minute, std::string_view second) {
    const std::int32_t h = TextToInteger(hour);
    const std::int32_t m = TextToInteger(minute);
    const std::int32_t s = TextToInteger(second);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return {.Refusal = kNotATimeOfDay};
    return {.Value = TimeCode(h, m, s)};
}
