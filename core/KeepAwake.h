// Whether the program asks the system to stay awake: while any slot is armed, so that the
// machine's idle timer does not put it to sleep before the task has run. Pure code over the
// task table; the platform call comes in as `apply`.
#pragma once

#include <functional>
#include <utility>

// Whether any of the eight slots, countdown or at-time of any kind, is TaskArmed.
bool AnyTaskArmed();

// Keeps the request in step with the task table, calling `apply` only when it changes: with
// true when a slot becomes armed while none was, with false when the last armed slot fires or
// is stopped. Update after anything that may arm or disarm a slot.
class AwakeRequest {
public:
    explicit AwakeRequest(std::function<void(bool requested)> apply) : apply_(std::move(apply)) {}

    void Update() { Set(AnyTaskArmed()); }
    // At exit: armed slots or not, the system's own power settings apply again.
    void Withdraw() { Set(false); }
    bool Requested() const { return requested_; }

private:
    void Set(bool requested);

    std::function<void(bool)> apply_;
    bool requested_ = false;
};
