#include <gtest/gtest.h>

#include <string_view>

#include "core/Paths.h"

namespace {

TEST(Paths, CutTheDirectoryAfterTheLastSeparatorAndTheFileNameAfterIt) {
    const struct {
        std::string_view path, with, without, name;
    } cases[] = {
        {R"(D:\tools\clock.exe)", R"(D:\tools\)", R"(D:\tools)", "clock.exe"},
        {R"(C:\clock.exe)", R"(C:\)", R"(C:\)", "clock.exe"},
        {R"(\\server\share\clock.exe)", R"(\\server\share\)", R"(\\server\share)", "clock.exe"},
        {R"(\clock.exe)", R"(\)", R"(\)", "clock.exe"},
        {"clock.exe", "", "", "clock.exe"},
        {"", "", "", ""},
        {"C:clock.exe", "C:", "C:", "clock.exe"},
        {R"(D:\tools\)", R"(D:\tools\)", R"(D:\tools)", ""},
        {R"(D:\a\b\c.txt)", R"(D:\a\b\)", R"(D:\a\b)", "c.txt"},
        // Only the file name is cut at a forward slash.
        {"D:/bin/run me.exe", "D:", "D:", "run me.exe"},
        {R"(D:\a/b\c)", R"(D:\a/b\)", R"(D:\a/b)", "c"},
        // No byte of a UTF-8 character equals a separator, so only the real separators cut.
        {"D:\\\xE4\xB9\x97\\clock.exe", "D:\\\xE4\xB9\x97\\", "D:\\\xE4\xB9\x97", "clock.exe"},
        {"D:\\tools\\\xE4\xB9\x97", "D:\\tools\\", "D:\\tools", "\xE4\xB9\x97"},
        {"\xE4\xB9\x97", "", "", "\xE4\xB9\x97"},
        {"D:\\\xE8\xA1\xA8\\\xE3\x82\xBD.exe", "D:\\\xE8\xA1\xA8\\", "D:\\\xE8\xA1\xA8", "\xE3\x82\xBD.exe"}, // 表, ソ
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path));
        EXPECT_EQ(DirectoryWithSeparator(c.path), c.with);
        EXPECT_EQ(DirectoryWithoutSeparator(c.path), c.without);
        EXPECT_EQ(FileNameOf(c.path), c.name);
    }
}

TEST(Paths, TheTitleIsMadeOfTheFileNameCutBeforeItsFirstDot) {
    const struct {
        std::string_view path, name;
    } cases[] = {
        {R"(C:\Program Files\Vandrel\Vandrel.exe)", "Vandrel"},
        {R"(D:\tools\my.clock.exe)", "my"},
        {R"(\\server\share\Clock)", "Clock"},
        {"C:Clock.exe", "Clock"},
        {"D:\\\xE5\xB7\xA5\xE5\x85\xB7\\\xE6\x97\xB6\xE9\x92\x9F.exe", "\xE6\x97\xB6\xE9\x92\x9F"}, // 工具, 时钟
        {R"(D:\tools\.hidden)", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameBeforeFirstDot(c.path), c.name) << c.path;
}

} // namespace
