// The system's side of keeping the machine awake while a task is armed (core/KeepAwake.h says
// when): the request not to fall asleep by the idle timer. The display may still turn off, and a
// sleep the user asks for still happens.
#pragma once

#include <windows.h>

// Asks the system to stay awake, or withdraws the request. A refusal by the platform is not
// reported: the task still runs if the machine is awake.
void ApplyPowerRequest(bool stayAwake);

// The platform call, replaceable so that tests can record the requests.
inline EXECUTION_STATE (*SetExecutionState)(EXECUTION_STATE) = SetThreadExecutionState;
