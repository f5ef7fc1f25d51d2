#include <gtest/gtest.h>

#include <string_view>

#include "core/ErrorText.h"

namespace {

TEST(ErrorReportText, AddsAFullStopOnlyAfterAWordCharacter) {
    const struct {
        std::string_view message, shown;
    } cases[] = {
        {"", ""},
        {"Not enough timers available", "Not enough timers available."},
        {"Error 5", "Error 5."},
        {"x", "x."},
        {"Done.", "Done."},
        {"Wait!", "Wait!"},
        {"one, two,", "one, two,"},
        {"trailing blank ", "trailing blank "},
        {".", "."},
        {"\xE6\x96\x87\xE4\xBB\xB6", "\xE6\x96\x87\xE4\xBB\xB6."}, // ends in a Chinese character
        {"\xE9\x94\x99\xE8\xAF\xAF.", "\xE9\x94\x99\xE8\xAF\xAF."},  // already has a full stop
        {"'x' is not a valid integer value", "'x' is not a valid integer value."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message));
        EXPECT_EQ(tk::ErrorReportText(c.message), c.shown);
    }
}

} // namespace
