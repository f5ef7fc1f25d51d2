// The time-of-day tick against a small reference model of it, over generated sequences of clock
// readings, armings, stops, nested ticks, long actions and actions that raise. The model keeps,
// for each slot, the reading it was last looked at by and walks the seconds since then one by
// one; the tick under test must fire the same slots at the same readings and leave the same table.
// Used by the native property test (seeded) and by the fuzz target (the fuzzer's bytes choose).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Scheduler.h"
#include "tests/common/TaskTableFixture.h"

namespace todmodel {

inline constexpr std::int64_t kMsPerDay = 86'400'000;

// What a firing slot's action does, in the order the firings come.
struct Act {
    enum Kind { Return, Raise, NestedTick, Wait, Arm, Stop } kind = Return;
    int slot = 0;              // Arm, Stop: which kind's slot
    std::int64_t value = 0;    // Wait: milliseconds; Arm: the target code
};

// What the message loop does between ticks.
struct Step {
    enum Kind { Tick, Advance, Arm, Stop } kind = Tick;
    int slot = 0;
    std::int64_t value = 0; // Advance: milliseconds, negative for a clock set back; Arm: the target
};

struct Scenario {
    std::int64_t startMs = 0;   // millisecond of the day the clock starts at
    bool readsAtArming = true;  // whether "the armed slots changed" takes the arming readings, as the strip does
    std::vector<Step> steps;
    std::vector<Act> acts;      // consumed one a firing; Return once they run out
};

// Each reading advances the clock a little, as reading it takes time.
class ScriptClock final : public LocalClock {
public:
    explicit ScriptClock(std::int64_t ms) : ms_(ms) {}
    DateTimeParts Now() const override {
        const std::int64_t ms = ms_;
        ms_ = (ms_ + 3) % kMsPerDay;
        return {.Hour = static_cast<int>(ms / 3'600'000), .Minute = static_cast<int>(ms / 60'000 % 60),
                .Second = static_cast<int>(ms / 1000 % 60), .Millisecond = static_cast<int>(ms % 1000)};
    }
    void Advance(std::int64_t ms) { ms_ = ((ms_ + ms) % kMsPerDay + kMsPerDay) % kMsPerDay; }
    std::int64_t Ms() const { return ms_; }

private:
    mutable std::int64_t ms_;
};

struct Outcome {
    std::vector<std::pair<int, std::int64_t>> fired; // slot, the clock when its action began
    bool armed[4] = {};
    std::int32_t target[4] = {};
    bool operator==(const Outcome& other) const {
        for (int i = 0; i < 4; ++i)
            if (armed[i] != other.armed[i] || target[i] != other.target[i])
                return false;
        return fired == other.fired;
    }
};

inline constexpr int kDeepestNesting = 3;

// The model: a plain reading of the rule.
class Model {
public:
    explicit Model(const Scenario& scenario) : scenario_(scenario), clock_(scenario.startMs) {}

    Outcome Run() {
        for (const Step& step : scenario_.steps) {
            switch (step.kind) {
            case Step::Tick: Tick(0); break;
            case Step::Advance: clock_.Advance(step.value); break;
            case Step::Arm: Arm(step.slot, static_cast<std::int32_t>(step.value)); break;
            case Step::Stop: Stop(step.slot); break;
            }
        }
        Outcome outcome;
        outcome.fired = fired_;
        for (int i = 0; i < 4; ++i)
            outcome.armed[i] = slots_[i].armed, outcome.target[i] = slots_[i].target;
        return outcome;
    }

private:
    struct Slot {
        std::int32_t target = 0;
        bool armed = false;
        std::optional<std::int64_t> lastMs; // the reading the slot was last looked at by
        bool ownSecondOpen = false;         // that reading's second not yet looked at
    };

    static std::int32_t CodeOf(std::int64_t second) {
        return TimeCode(static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60),
                        static_cast<int>(second % 60));
    }

    static std::int64_t Ms(const DateTimeParts& t) {
        return ((t.Hour * 60LL + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond;
    }

    // The seconds a reading at `nowMs` looks at for `slot`, one by one.
    static bool Sees(const Slot& slot, std::int64_t nowMs) {
        if (CodeOf(nowMs / 1000) == slot.target)
            return true;
        if (!slot.lastMs || (nowMs - *slot.lastMs + kMsPerDay) % kMsPerDay > 60'000)
            return false;
        const std::int64_t from = *slot.lastMs / 1000, to = nowMs / 1000;
        for (std::int64_t second = from;; second = (second + 1) % 86'400) {
            if ((second != from || slot.ownSecondOpen) && CodeOf(second) == slot.target)
                return true;
            if (second == to)
                return false;
        }
    }

    void Changed() {
        if (!scenario_.readsAtArming)
            return;
        std::optional<std::int64_t> now;
        for (Slot& slot : slots_)
            if (slot.armed && !slot.lastMs) {
                if (!now)
                    now = Ms(clock_.Now());
                slot.lastMs = now, slot.ownSecondOpen = true;
            }
    }

    void Arm(int i, std::int32_t target) {
        slots_[i] = {target, true, std::nullopt, false};
        Changed();
    }

    void Stop(int i) {
        if (slots_[i].armed) {
            slots_[i].armed = false;
            Changed();
        }
    }

    // False when an action raised, which ends the tick.
    bool Tick(int depth) {
        for (int i = 0; i < 4; ++i) {
            Slot& slot = slots_[i];
            if (!slot.armed)
                continue;
            const std::int64_t now = Ms(clock_.Now());
            const bool fires = Sees(slot, now);
            slot.lastMs = now, slot.ownSecondOpen = false;
            if (!fires)
                continue;
            slot.armed = false;
            Changed();
            fired_.emplace_back(i, clock_.Ms());
            const Act act = next_ < scenario_.acts.size() ? scenario_.acts[next_++] : Act{};
            switch (act.kind) {
            case Act::Return: break;
            case Act::Raise: return false;
            case Act::NestedTick: if (depth < kDeepestNesting) Tick(depth + 1); break;
            case Act::Wait: clock_.Advance(act.value); break;
            case Act::Arm: Arm(act.slot, static_cast<std::int32_t>(act.value)); break;
            case Act::Stop: Stop(act.slot); break;
            }
        }
        return true;
    }

    const Scenario& scenario_;
    ScriptClock clock_;
    Slot slots_[4];
    std::vector<std::pair<int, std::int64_t>> fired_;
    std::size_t next_ = 0;
};

// The tick under test, over the real task table, its door and its notification.
class Real final : public TaskActions {
public:
    explicit Real(const Scenario& scenario) : scenario_(scenario), clock_(scenario.startMs) {}

    Outcome Run() {
        tablefixture::ResetTaskTable();
        ArmedSlotsSubscription readings([this] {
            if (scenario_.readsAtArming)
                TakeArmingReadings(clock_);
        });
        for (const Step& step : scenario_.steps) {
            switch (step.kind) {
            case Step::Tick: Tick(); break;
            case Step::Advance: clock_.Advance(step.value); break;
            case Step::Arm: ArmAtTime(tablefixture::kKinds[step.slot], static_cast<std::int32_t>(step.value)); break;
            case Step::Stop: StopTasks(tablefixture::kKinds[step.slot], [] {}); break;
            }
        }
        Outcome outcome;
        outcome.fired = fired_;
        for (int i = 0; i < 4; ++i) {
            const AtTimeSlot& slot = AtTimeSlotOf(tablefixture::kKinds[i]);
            outcome.armed[i] = slot.State == TaskArmed, outcome.target[i] = slot.TargetCode;
        }
        return outcome;
    }

    void Run(TaskKind kind, Trigger trigger) override {
        if (trigger != Trigger::AtTime || AtTimeSlotOf(kind).State != TaskDone)
            throw std::logic_error("a slot fired that is not a done time of day");
        fired_.emplace_back(static_cast<int>(kind), clock_.Ms());
        const Act act = next_ < scenario_.acts.size() ? scenario_.acts[next_++] : Act{};
        switch (act.kind) {
        case Act::Return: break;
        case Act::Raise: throw std::runtime_error("the action failed");
        case Act::NestedTick: if (depth_ < kDeepestNesting) Tick(); break;
        case Act::Wait: clock_.Advance(act.value); break;
        case Act::Arm: ArmAtTime(tablefixture::kKinds[act.slot], static_cast<std::int32_t>(act.value)); break;
        case Act::Stop: StopTasks(tablefixture::kKinds[act.slot], [] {}); break;
        }
    }

private:
    // As the message loop runs a tick: an error it lets out is reported, and the loop goes on.
    void Tick() {
        ++depth_;
        try {
            TimeOfDayTick(*this, clock_);
        } catch (const std::runtime_error&) {
        }
        --depth_;
    }

    const Scenario& scenario_;
    ScriptClock clock_;
    std::vector<std::pair<int, std::int64_t>> fired_;
    std::size_t next_ = 0;
    int depth_ = -1;
};

// Builds a scenario from a source of choices: `source(n)` gives a number below n.
template <class Source>
Scenario Generate(Source&& source) {
    const auto choose = [&](std::int64_t n) { return static_cast<std::int64_t>(source(static_cast<std::uint64_t>(n))); };
    Scenario scenario;
    // Sometimes just before midnight, so that gaps cross it.
    scenario.startMs = choose(4) == 0 ? kMsPerDay - 1 - choose(90'000) : choose(kMsPerDay);
    scenario.readsAtArming = choose(4) != 0;
    std::int64_t clock = scenario.startMs;
    const auto nearTarget = [&]() -> std::int64_t {
        switch (choose(8)) {
        case 0: return -1 - choose(1000); // no second has it
        case 1: return choose(240'000);                                // any code, valid or not
        default: { // mostly a second or two back to ten ahead; sometimes up to a minute and a half
            const std::int64_t ahead = choose(4) == 0 ? choose(96) - 6 : choose(12) - 2;
            const std::int64_t second = ((clock / 1000 + ahead) % 86'400 + 86'400) % 86'400;
            return TimeCode(static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60),
                            static_cast<int>(second % 60));
        }
        }
    };
    const std::int64_t count = 4 + choose(40);
    for (std::int64_t i = 0; i < count; ++i) {
        Step step;
        switch (choose(10)) {
        case 0: case 1: step = {Step::Arm, static_cast<int>(choose(4)), nearTarget()}; break;
        case 2: step = {Step::Stop, static_cast<int>(choose(4))}; break;
        case 3: { // a stall, a clock set back, or a jump
            const std::int64_t kinds[] = {1000 + choose(70'000), -choose(30'000),
                                          choose(kMsPerDay)};
            step = {Step::Advance, 0, kinds[choose(3)]};
            break;
        }
        case 4: case 5: step = {Step::Advance, 0, 900 + choose(200)}; break; // a tick's second
        default: step = {Step::Tick}; break;
        }
        if (step.kind == Step::Advance)
            clock = ((clock + step.value) % kMsPerDay + kMsPerDay) % kMsPerDay;
        scenario.steps.push_back(step);
    }
    const std::int64_t acts = choose(12);
    for (std::int64_t i = 0; i < acts; ++i) {
        switch (choose(7)) {
        case 0: scenario.acts.push_back({Act::Raise}); break;
        case 1: case 2: scenario.acts.push_back({Act::NestedTick}); break;
        case 3: scenario.acts.push_back({Act::Wait, 0, 500 + choose(8000)}); break;
        case 4: scenario.acts.push_back({Act::Arm, static_cast<int>(choose(4)), nearTarget()}); break;
        case 5: scenario.acts.push_back({Act::Stop, static_cast<int>(choose(4))}); break;
        default: scenario.acts.push_back({Act::Return}); break;
        }
    }
    return scenario;
}

inline std::string Describe(const Outcome& outcome) {
    std::string text = "fired:";
    for (const auto& [slot, ms] : outcome.fired)
        text += " " + std::to_string(slot) + "@" + std::to_string(ms);
    text += "; armed:";
    for (int i = 0; i < 4; ++i)
        text += outcome.armed[i] ? " " + std::to_string(outcome.target[i]) : std::string(" -");
    return text;
}

// Empty when the tick agrees with the model, else what each did.
inline std::string Divergence(const Scenario& scenario) {
    const Outcome expected = Model(scenario).Run();
    const Outcome actual = Real(scenario).Run();
    if (expected == actual)
        return {};
    return "model " + Describe(expected) + "\ntick  " + Describe(actual);
}

} // namespace todmodel
