// What is armed, as the strip's tooltip lists it: one line per armed slot, in the task table's
// order. Pure code over the task table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Each line names the kind, then when it fires: the time left of a countdown ("还剩 4 分 30 秒",
// or "即将执行" once nothing is left) or the target time of an at-time slot ("23:00:00"). A
// reminder adds the first line of its text, a launch the file name of its program.
// `reminderText` is the one text both reminder slots show.
std::vector<std::string> ArmedTaskLines(std::string_view reminderText);

// The first line of `text`, cut after `maxCharacters` characters with an ellipsis ("…").
std::string FirstLineCut(std::string_view text, std::size_t maxCharacters);
