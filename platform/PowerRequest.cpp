#include "platform/PowerRequest.h"

void ApplyPowerRequest(bool stayAwake) {
    SetExecutionState(stayAwake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}
