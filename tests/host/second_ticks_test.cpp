// The once-a-second timers' rule: due just after the next second, acting only when it has turned.
#include "core/SecondTicks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int64_t kNoon = 1'765'281'600'000; // a whole second, in ms since the epoch
constexpr std::int64_t kMidnight = 1'765'238'400'000;

struct Reading {
    std::int64_t nowMs;
    bool turned;
    std::int64_t dueInMs;
};

struct Case {
    const char* what;
    std::vector<Reading> ticks; // in order, on one timer
};

} // namespace

TEST(SecondTicks, DueJustAfterEachSecondAndActingOnlyWhenItTurned) {
    const Case cases[] = {
        {"first tick acts at once", {{kNoon + 400, true, 602}}},
        {"on time, each second", {{kNoon + 2, true, 1000}, {kNoon + 1002, true, 1000}, {kNoon + 2003, true, 999}}},
        {"a late tick still lands after the next second", {{kNoon + 2, true, 1000}, {kNoon + 1015, true, 987}}},
        {"an early tick waits out the rest of its second",
         {{kNoon + 2, true, 1000}, {kNoon + 999, false, 3}, {kNoon + 1002, true, 1000}}},
        {"at the very start of a second", {{kNoon, true, 1002}, {kNoon + 1000, true, 1002}}},
        {"clock set back an hour", {{kNoon + 2, true, 1000}, {kNoon - 3'600'000 + 500, true, 502}}},
        {"clock set back within the second's length", {{kNoon + 1002, true, 1000}, {kNoon + 900, true, 102}}},
        {"clock set forward a day", {{kNoon + 2, true, 1000}, {kNoon + 86'400'000 + 10, true, 992}}},
        {"across midnight", {{kMidnight - 998, true, 1000}, {kMidnight + 3, true, 999}}},
    };
    for (const Case& c : cases) {
        SecondTicks ticks;
        for (const Reading& reading : c.ticks) {
            const SecondTick tick = ticks.Tick(reading.nowMs);
            EXPECT_EQ(tick.Turned, reading.turned) << c.what << " at " << reading.nowMs;
            EXPECT_EQ(tick.DueInMs, reading.dueInMs) << c.what << " at " << reading.nowMs;
        }
    }
}

TEST(SecondTicks, ForgetMakesTheSameSecondActAgain) {
    SecondTicks ticks;
    EXPECT_TRUE(ticks.Tick(kNoon + 10).Turned);
    EXPECT_FALSE(ticks.Tick(kNoon + 20).Turned);
    ticks.Forget();
    EXPECT_TRUE(ticks.Tick(kNoon + 30).Turned);
    EXPECT_FALSE(ticks.Tick(kNoon + 40).Turned);
}
