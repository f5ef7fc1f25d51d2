// What the setup dialogs make of the texts in their boxes before anything reaches the task table:
// a slot value, or the reason it is refused. Pure code.
#pragma once

#include <cstdint>
#include <string_view>

struct SlotValue {
    std::int32_t Value = 0;
    // The text of the box that refuses the input (caption "注意", error icon); null: accepted.
    const char* Refusal = nullptr;
};

inline constexpr char kMinutesOutOfRange[] = "分钟数超出范围！";
inline constexpr char kNotATimeOfDay[] = "请输入正确的时间！";

// The minutes of a countdown as its SecondsLeft. Zero and negative minutes are accepted (they
// fire at the next countdown tick); minutes whose seconds leave the 32-bit range are refused.
// Raises EConvertError for a text that TextToInteger does not take.
SlotValue CountdownSeconds(std::string_view minutes);

// Hour, minute and second texts as a TimeCode. Each text is converted on its own (a failure names
// that text), then the three must form a time of day from 0:00:00 to 23:59:59.
SlotValue TimeOfDayCode(std::string_view hour, std::string_view minute, std::string_view second);
