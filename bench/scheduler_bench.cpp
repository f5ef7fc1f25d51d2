#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <limits>

#include "core/Scheduler.h"

namespace {

class CountingActions final : public TaskActions {
public:
    void Run(TaskKind, Trigger) override { ++fired; }
    std::int64_t fired = 0;
};

// Each clock names a target it never shows, so that no armed slot fires during a run.

// Always 06:00:00.
class FixedClock final : public LocalClock {
public:
    static constexpr std::int32_t kUnseenTarget = -1; // a code no second has
    DateTimeParts Now() const override { return {.Hour = 6, .Minute = 0, .Second = 0}; }
};

// A second later on every reading, round 06:00:00-06:00:59, so that every armed slot is checked
// for a skipped second (and once a minute sees the clock go back): the tick's dearest case.
class SecondPerReadingClock final : public LocalClock {
public:
    static constexpr std::int32_t kUnseenTarget = TimeCode(12, 0, 0);
    DateTimeParts Now() const override {
        second_ = (second_ + 1) % 60;
        return {.Hour = 6, .Minute = 0, .Second = second_};
    }

private:
    mutable int second_ = 0;
};

// The reading the program really makes: wall clock converted to local time.
class SystemClock final : public LocalClock {
public:
    static constexpr std::int32_t kUnseenTarget = -1;
    DateTimeParts Now() const override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday,
                local.tm_hour,        local.tm_min,     local.tm_sec,  static_cast<int>(ms)};
    }
};

CountdownSlot* const kCountdowns[] = {&AlarmCountdown, &ShutdownCountdown, &ReminderCountdown, &LaunchCountdown};
AtTimeSlot* const kAtTimes[] = {&AlarmAtTime, &ShutdownAtTime, &ReminderAtTime, &LaunchAtTime};

// Arms the first `armed` slots so that they never fire during a run and leaves the rest done.
void PrepareTable(std::int64_t armed, std::int32_t target = -1) {
    for (int i = 0; i < 4; ++i) {
        // The largest count outlasts any run.
        *kCountdowns[i] = {std::numeric_limits<std::int32_t>::max(), i < armed ? TaskArmed : TaskDone};
        *kAtTimes[i] = {target, i < armed ? TaskArmed : TaskDone};
    }
}

void ReportUnexpectedFiring(benchmark::State& state, const CountingActions& actions) {
    if (actions.fired != 0)
        state.SkipWithError("a slot fired during the run");
}

void BM_CountdownTick(benchmark::State& state) {
    PrepareTable(state.range(0));
    CountingActions actions;
    for (auto _ : state) {
        CountdownTick(actions);
        benchmark::ClobberMemory();
    }
    ReportUnexpectedFiring(state, actions);
}

template <class Clock>
void BM_TimeOfDayTick(benchmark::State& state) {
    PrepareTable(state.range(0), Clock::kUnseenTarget);
    CountingActions actions;
    const Clock clock;
    for (auto _ : state) {
        TimeOfDayTick(actions, clock);
        benchmark::ClobberMemory();
    }
    ReportUnexpectedFiring(state, actions);
}

BENCHMARK(BM_CountdownTick)->ArgName("armed")->Arg(0)->Arg(4);
BENCHMARK_TEMPLATE(BM_TimeOfDayTick, FixedClock)->ArgName("armed")->Arg(0)->Arg(4);
BENCHMARK_TEMPLATE(BM_TimeOfDayTick, SecondPerReadingClock)->ArgName("armed")->Arg(4);
BENCHMARK_TEMPLATE(BM_TimeOfDayTick, SystemClock)->ArgName("armed")->Arg(0)->Arg(4);

} // namespace
