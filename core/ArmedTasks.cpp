#include "core/ArmedTasks.h"

#include <cstdint>

#include "core/Convert.h"
#include "core/Paths.h"
#include "core/Scheduler.h"
#include "core/Utf8.h"

namespace {

constexpr const char* kKindNames[] = {"闹钟", "关机", "提醒", "开启"}; // by TaskKind
constexpr const char kGap[] = "　"; // an ideographic space, as wide as one Chinese character
constexpr std::size_t kReminderCharacters = 16;

std::string TimeLeft(std::int32_t secondsLeft) {
    if (secondsLeft <= 0)
        return "即将执行";
    const std::int32_t hours = secondsLeft / 3600, minutes = secondsLeft / 60 % 60, seconds = secondsLeft % 60;
    std::string text = "还剩 ";
    if (hours > 0)
        text += IntegerToText(hours) + " 小时 ";
    return text + IntegerToText(minutes) + " 分 " + IntegerToText(seconds) + " 秒";
}

// hh:mm:ss of a target code hhmmss. Written digit by digit: printf's formatter, with its
// floating-point half, would be the largest single piece of the shipped program.
std::string TargetTime(std::int32_t code) {
    std::string text;
    for (const std::int32_t part : {code / 10000 % 100, code / 100 % 100, code % 100}) {
        if (!text.empty())
            text += ':';
        text += static_cast<char>('0' + part / 10);
        text += static_cast<char>('0' + part % 10);
    }
    return text;
}

} // namespace

std::string FirstLineCut(std::string_view text, std::size_t maxCharacters) {
    text = text.substr(0, text.find_first_of("\r\n"));
    const std::size_t cut = CharacterOffset(text, maxCharacters);
    if (cut < text.size())
        return std::string(text.substr(0, cut)) + "…";
    return std::string(text);
}

std::vector<std::string> ArmedTaskLines(std::string_view reminderText) {
    std::vector<std::string> lines;
    for (const TaskKind kind : {TaskKind::Alarm, TaskKind::Shutdown, TaskKind::Reminder, TaskKind::Launch})
        for (const Trigger trigger : {Trigger::Countdown, Trigger::AtTime}) {
            std::string line = std::string(kKindNames[static_cast<int>(kind)]) + kGap;
            if (trigger == Trigger::Countdown) {
                const CountdownSlot& slot = CountdownSlotOf(kind);
                if (slot.State != TaskArmed)
                    continue;
                line += TimeLeft(slot.SecondsLeft);
            } else {
                const AtTimeSlot& slot = AtTimeSlotOf(kind);
                if (slot.State != TaskArmed)
                    continue;
                line += TargetTime(slot.TargetCode);
            }
            if (kind == TaskKind::Reminder) {
                const std::string first = FirstLineCut(reminderText, kReminderCharacters);
                if (!first.empty())
                    line += kGap + first;
            } else if (kind == TaskKind::Launch) {
                line += kGap + std::string(FileNameOf(LaunchPathOf(trigger)));
            }
            lines.push_back(std::move(line));
        }
    return lines;
}
