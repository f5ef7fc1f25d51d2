#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ArmedTasks.h"
#include "core/Scheduler.h"
#include "tests/common/TaskTableFixture.h"

namespace {

using tablefixture::ResetTaskTable;

TEST(ArmedTaskLines, ListOnlyArmedSlotsInTableOrderWithTheirTimes) {
    const struct {
        const char* what;
        void (*arm)();
        const char* reminder;
        std::vector<std::string> lines;
    } cases[] = {
        {"nothing armed, fired or stopped slots", [] {
             AlarmCountdown = {270, TaskDone};
             ShutdownAtTime = {230000, TaskIdle};
         }, "", {}},
        {"a countdown and a time of day", [] {
             AlarmCountdown = {270, TaskArmed};
             ShutdownAtTime = {230000, TaskArmed};
         }, "", {"闹钟　还剩 4 分 30 秒", "关机　23:00:00"}},
        {"0 and negative countdowns", [] {
             ShutdownCountdown = {0, TaskArmed};
             LaunchCountdown = {-300, TaskArmed};
             LaunchCountdownPath = "marker.exe";
         }, "", {"关机　即将执行", "开启　即将执行　marker.exe"}},
        {"an hour and more", [] { AlarmCountdown = {36000, TaskArmed}; }, "", {"闹钟　还剩 10 小时 0 分 0 秒"}},
        {"every slot, table order", [] {
             for (const TaskKind kind : {TaskKind::Launch, TaskKind::Reminder, TaskKind::Shutdown, TaskKind::Alarm}) {
                 CountdownSlotOf(kind) = {61, TaskArmed};
                 AtTimeSlotOf(kind) = {70809, TaskArmed};
             }
             LaunchCountdownPath = "C:\\Program Files\\工具\\marker.exe";
             LaunchAtTimePath = "D:/bin/run me.exe";
         }, "醒醒", {
             "闹钟　还剩 1 分 1 秒", "闹钟　07:08:09", "关机　还剩 1 分 1 秒", "关机　07:08:09",
             "提醒　还剩 1 分 1 秒　醒醒", "提醒　07:08:09　醒醒",
             "开启　还剩 1 分 1 秒　marker.exe", "开启　07:08:09　run me.exe"}},
        {"a long reminder text, first line only", [] { ReminderCountdown = {720, TaskArmed}; },
         "一二三四五六七八九十一二三四五六七八\r\nsecond line", {"提醒　还剩 12 分 0 秒　一二三四五六七八九十一二三四五六…"}},
        {"a short reminder with a line break", [] { ReminderAtTime = {0, TaskArmed}; }, "Wake up\r\nnow",
         {"提醒　00:00:00　Wake up"}},
        {"a launch path with no folder", [] {
             LaunchAtTime = {143000, TaskArmed};
             LaunchAtTimePath = "notepad.exe";
         }, "", {"开启　14:30:00　notepad.exe"}},
    };
    for (const auto& c : cases) {
        ResetTaskTable();
        c.arm();
        EXPECT_EQ(ArmedTaskLines(c.reminder), c.lines) << c.what;
    }
    ResetTaskTable();
}

TEST(ArmedTaskLines, FirstLineCutCountsCharactersNotBytes) {
    const struct {
        const char* text;
        std::size_t max;
        const char* cut;
    } cases[] = {
        {"", 4, ""}, {"abcd", 4, "abcd"}, {"abcde", 4, "abcd…"}, {"提醒内容很长", 4, "提醒内容…"},
        {"ab\ncd", 4, "ab"}, {"\r\nab", 4, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstLineCut(c.text, c.max), c.cut) << c.text;
}

} // namespace
