// A timer that acts once at the start of each second of the clock, instead of looking at the
// clock many times a second: when it is next due, and whether the second it finds has turned.
// Pure code over milliseconds of the clock; the platform's timer and clock come in from outside.
#pragma once

#include <cstdint>
#include <limits>

// How long after a second begins its tick is due. A platform timer is never early by its own
// clock, but the wall clock it is compared with may lag behind it by a little; the margin makes
// an early reading, and so a second tick for the same second, rare.
inline constexpr std::int64_t kSecondTickMarginMs = 2;

// Milliseconds from `nowMs` (of a clock counting milliseconds from any fixed epoch that starts
// on a whole second) until just after the next second of that clock begins.
constexpr std::int64_t MillisecondsToNextSecond(std::int64_t nowMs) {
    const std::int64_t intoSecond = (nowMs % 1000 + 1000) % 1000;
    return 1000 - intoSecond + kSecondTickMarginMs;
}

struct SecondTick {
    bool Turned;          // the clock is in another second than the one the last tick acted on
    std::int64_t DueInMs; // when the next tick is due
};

// The ticks of one such timer. A tick that comes early, before its second has begun, finds the
// second unturned and is due again for the rest of it; a clock set back or forward turns it too.
class SecondTicks {
public:
    SecondTick Tick(std::int64_t nowMs) {
        const std::int64_t second = nowMs >= 0 ? nowMs / 1000 : (nowMs - 999) / 1000;
        const bool turned = second != actedOn_;
        actedOn_ = second;
        return {turned, MillisecondsToNextSecond(nowMs)};
    }
    // The next tick finds the second turned, whatever it is: something else than the clock
    // changed what the second shows.
    void Forget() { actedOn_ = kNone; }

private:
    static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();
    std::int64_t actedOn_ = kNone;
};
