#include "platform/KeepAwake.h"

#include "core/KeepAwake.h"

namespace {

AwakeRequest& Request() {
    static AwakeRequest request([](bool requested) {
        SetExecutionState(requested ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
    });
    return request;
}

} // namespace

void UpdateKeepAwake() { Request().Update(); }

void WithdrawKeepAwake() { Request().Withdraw(); }
