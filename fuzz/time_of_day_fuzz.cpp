// The time-of-day tick over two events against a plain reading of its rule: a slot fires in the
// second it names, or on the next event when its second was skipped, which the reference finds
// by walking the seconds in between one by one (round midnight) instead of by clock arithmetic.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Scheduler.h"
#include "fuzz/Check.h"
#include "tests/common/TaskTableFixture.h"

namespace {

using tablefixture::kKinds;

constexpr std::int64_t kMsPerDay = 86'400'000;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    // The next four bytes, zeros once the input runs out.
    std::uint32_t Word() {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i)
            word = word << 8 | (next_ < size_ ? data_[next_++] : 0);
        return word;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_, next_ = 0;
};

class FixedClock final : public LocalClock {
public:
    explicit FixedClock(std::int64_t msOfDay) : ms_(msOfDay) {}
    DateTimeParts Now() const override {
        return {.Hour = static_cast<int>(ms_ / 3'600'000), .Minute = static_cast<int>(ms_ / 60'000 % 60),
                .Second = static_cast<int>(ms_ / 1000 % 60), .Millisecond = static_cast<int>(ms_ % 1000)};
    }

private:
    std::int64_t ms_;
};

class RecordingActions final : public TaskActions {
public:
    void Run(TaskKind kind, Trigger trigger) override {
        FUZZ_CHECK(trigger == Trigger::AtTime);
        FUZZ_CHECK(AtTimeSlotOf(kind).State == TaskDone);
        fired.push_back(kind);
    }
    std::vector<TaskKind> fired;
};

std::int32_t CodeOf(std::int64_t second) {
    return TimeCode(static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
}

// Whether the target names a second strictly between those of the two readings, walking forward
// from the earlier, when they are more than 0 and at most a minute apart.
bool Skipped(std::int64_t beforeMs, std::int64_t nowMs, std::int32_t target) {
    const std::int64_t gap = (nowMs - beforeMs + kMsPerDay) % kMsPerDay;
    if (gap == 0 || gap > 60'000)
        return false;
    if (beforeMs / 1000 == nowMs / 1000)
        return false;
    for (std::int64_t second = (beforeMs / 1000 + 1) % 86'400; second != nowMs / 1000; second = (second + 1) % 86'400)
        if (CodeOf(second) == target)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::int64_t before = input.Word() % kMsPerDay;
    // Mostly a small step, back by up to 20 s or on by up to 2 min; sometimes any jump.
    const std::uint32_t step = input.Word();
    const std::int64_t now = step >> 31 ? step % kMsPerDay : (before + step % 140'000 - 20'000 + kMsPerDay) % kMsPerDay;
    const std::uint32_t masks = input.Word();
    const unsigned armedBefore = masks & 0xF, armedBetween = masks >> 4 & 0xF & ~armedBefore;
    std::int32_t targets[4];
    for (std::int32_t& target : targets) {
        // Mostly a second near the readings; sometimes any number, valid code or not.
        const std::uint32_t word = input.Word();
        target = word & 1 ? static_cast<std::int32_t>(word)
                          : CodeOf((before / 1000 + (word >> 1) % 200 + 86'400 - 50) % 86'400);
    }

    tablefixture::ResetTaskTable();
    const auto arm = [&](unsigned mask) {
        for (std::size_t i = 0; i < 4; ++i)
            if (mask >> i & 1)
                ArmAtTime(kKinds[i], targets[i]);
    };

    std::vector<TaskKind> expected;
    bool fired[4] = {};
    RecordingActions actions;
    arm(armedBefore);
    TimeOfDayTick(actions, FixedClock(before));
    for (std::size_t i = 0; i < 4; ++i)
        if (armedBefore >> i & 1 && targets[i] == CodeOf(before / 1000))
            expected.push_back(kKinds[i]), fired[i] = true;
    FUZZ_CHECK(actions.fired == expected);

    // A first event with nothing armed leaves nothing remembered.
    arm(armedBetween);
    TimeOfDayTick(actions, FixedClock(now));
    for (std::size_t i = 0; i < 4; ++i) {
        if (!((armedBefore | armedBetween) >> i & 1) || fired[i])
            continue;
        if (targets[i] == CodeOf(now / 1000) || (armedBefore != 0 && Skipped(before, now, targets[i])))
            expected.push_back(kKinds[i]), fired[i] = true;
    }
    FUZZ_CHECK(actions.fired == expected);
    for (std::size_t i = 0; i < 4; ++i)
        FUZZ_CHECK(AtTimeSlotOf(kKinds[i]).State ==
                   (fired[i] ? TaskDone : (armedBefore | armedBetween) >> i & 1 ? TaskArmed : TaskIdle));
    return 0;
}
