// Whether the program asks the system to stay awake: while any slot is armed, so that the
// machine's idle timer does not put it to sleep before the task has run. Pure code over the
// task table; the platform call comes in as `apply` (platform/PowerRequest.h).
#pragma once

#include <functional>
#include <utility>

#include "core/Scheduler.h"

// Whether any of the eight slots, countdown or at-time of any kind, is TaskArmed.
bool AnyTaskArmed();

// Keeps the request in step with the task table for as long as it lives, calling `apply` only
// when it changes: with true when a slot becomes armed while none was, with false when the last
// armed slot fires or is stopped. It follows "the armed slots changed", so it needs no other
// call; the program holds one, in the strip. At its end it withdraws the request: armed slots or
// not, the system's own power settings apply again.
class AwakeRequest {
public:
    explicit AwakeRequest(std::function<void(bool requested)> apply) : apply_(std::move(apply)) {}
    ~AwakeRequest() { Set(false); }
    AwakeRequest(const AwakeRequest&) = delete;
    AwakeRequest& operator=(const AwakeRequest&) = delete;

    bool Requested() const { return requested_; }

private:
    void Set(bool requested);

    std::function<void(bool)> apply_;
    bool requested_ = false;
    ArmedSlotsSubscription subscription_{[this] { Set(AnyTaskArmed()); }};
};
