#include <gtest/gtest.h>

#include <string_view>

#include "core/Paths.h"

namespace {

TEST(Paths, CutTheDirectoryAfterTheLastSeparator) {
    const struct {
        std::string_view path, with, without;
    } cases[] = {
        {R"(D:\tools\clock.exe)", R"(D:\tools\)", R"(D:\tools)"},
        {R"(C:\clock.exe)", R"(C:\)", R"(C:\)"},
        {R"(\\server\share\clock.exe)", R"(\\server\share\)", R"(\\server\share)"},
        {R"(\clock.exe)", R"(\)", R"(\)"},
        {"clock.exe", "", ""},
        {"", "", ""},
        {"C:clock.exe", "C:", "C:"},
        {R"(D:\tools\)", R"(D:\tools\)", R"(D:\tools)"},
        {R"(D:\a\b\c.txt)", R"(D:\a\b\)", R"(D:\a\b)"},
        // No byte of a UTF-8 character equals a separator, so only the real separators cut.
        {"D:\\\xE4\xB9\x97\\clock.exe", "D:\\\xE4\xB9\x97\\", "D:\\\xE4\xB9\x97"},
        {"D:\\tools\\\xE4\xB9\x97", "D:\\tools\\", "D:\\tools"},
        {"\xE4\xB9\x97", "", ""},
        {"D:\\\xE8\xA1\xA8\\\xE3\x82\xBD.exe", "D:\\\xE8\xA1\xA8\\", "D:\\\xE8\xA1\xA8"}, // 表, ソ
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path));
        EXPECT_EQ(DirectoryWithSeparator(c.path), c.with);
        EXPECT_EQ(DirectoryWithoutSeparator(c.path), c.without);
    }
}

} // namespace
