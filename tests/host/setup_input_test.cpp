#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/Exception.h"
#include "core/SetupInput.h"

namespace {

TEST(SetupInput, CountdownMinutesBecomeSecondsOrAreRefusedOutsideTheRange) {
    const struct {
        const char* minutes;
        std::int32_t seconds;
        const char* refusal;
    } cases[] = {
        {"1", 60, nullptr},
        {"600", 36000, nullptr},
        {"0", 0, nullptr},
        {"-5", -300, nullptr},
        {"35791394", 2147483640, nullptr},
        {"-35791394", -2147483640, nullptr},
        {"35791395", 0, kMinutesOutOfRange},
        {"-35791395", 0, kMinutesOutOfRange},
        {"2147483647", 0, kMinutesOutOfRange},
    };
    for (const auto& c : cases) {
        const SlotValue got = CountdownSeconds(c.minutes);
        EXPECT_STREQ(got.Refusal, c.refusal) << c.minutes;
        if (!c.refusal) {
            EXPECT_EQ(got.Value, c.seconds) << c.minutes;
        }
    }
}

TEST(SetupInput, TimesOfDayGetCodesOfTheirOwnAndImpossibleTimesAreRefused) {
    const struct {
        const char *hour, *minute, *second;
        std::int32_t code;
        const char* refusal;
    } cases[] = {
        {"23", "59", "59", 235959, nullptr},
        {"0", "0", "5", 5, nullptr},
        {"1", "11", "5", 11105, nullptr},  // once these three were one task
        {"11", "1", "5", 110105, nullptr},
        {"1", "1", "15", 10115, nullptr},
        {"1", "07", "0", 10700, nullptr},
        {"$A", "0x1E", "+0", 103000, nullptr},
        {"24", "0", "0", 0, kNotATimeOfDay},
        {"-1", "30", "0", 0, kNotATimeOfDay},
        {"0", "60", "0", 0, kNotATimeOfDay},
        {"0", "0", "-1", 0, kNotATimeOfDay},
        {"1", "-5", "0", 0, kNotATimeOfDay},
        {"2147483647", "0", "0", 0, kNotATimeOfDay},
    };
    for (const auto& c : cases) {
        const SlotValue got = TimeOfDayCode(c.hour, c.minute, c.second);
        EXPECT_STREQ(got.Refusal, c.refusal) << c.hour << ':' << c.minute << ':' << c.second;
        if (!c.refusal) {
            EXPECT_EQ(got.Value, c.code) << c.hour << ':' << c.minute << ':' << c.second;
        }
    }
}

TEST(SetupInput, ATextThatDoesNotConvertIsReportedWithThatTextAlone) {
    const struct {
        const char *hour, *minute, *second, *message;
    } cases[] = {
        {"abc", "0", "0", "'abc' is not a valid integer value"},
        {"", "0", "0", "'' is not a valid integer value"},
        {"1", "2", "3 ", "'3 ' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        try {
            TimeOfDayCode(c.hour, c.minute, c.second);
            ADD_FAILURE() << "converted " << c.message;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
    for (const char* minutes : {"1.5", "abc", ""}) {
        try {
            CountdownSeconds(minutes);
            ADD_FAILURE() << "converted " << minutes;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + std::string(minutes) + "' is not a valid integer value");
        }
    }
}

} // namespace
