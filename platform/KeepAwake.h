// While a task is armed the program asks the system not to fall asleep by its idle timer, so
// that the task can keep its promise; the display may still turn off, and a sleep the user asks
// for still happens. Called wherever a slot may become armed or stop being armed.
#pragma once

#include <windows.h>

#include <functional>

// After arming, after a slot fired, after a stop command: asks or withdraws when "anything
// armed" changed. A refusal by the platform is not reported: the task still runs if the
// machine is awake.
void UpdateKeepAwake();
// At exit: the machine's own power settings apply again.
void WithdrawKeepAwake();

// The platform call, replaceable so that tests can record the requests.
inline std::function<EXECUTION_STATE(EXECUTION_STATE)> SetExecutionState = [](EXECUTION_STATE state) {
    return SetThreadExecutionState(state);
};
