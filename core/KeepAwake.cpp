#include "core/KeepAwake.h"

#include "core/Scheduler.h"

bool AnyTaskArmed() {
    for (const TaskKind kind : {TaskKind::Alarm, TaskKind::Shutdown, TaskKind::Reminder, TaskKind::Launch})
        if (CountdownSlotOf(kind).State == TaskArmed || AtTimeSlotOf(kind).State == TaskArmed)
            return true;
    return false;
}

void AwakeRequest::Set(bool requested) {
    if (requested == requested_)
        return;
    requested_ = requested;
    apply_(requested);
}
