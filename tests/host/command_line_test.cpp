#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/CommandLine.h"

namespace {

TEST(CommandLine, SplitsWhereTheProcessStartFindsTheProgram) {
    // The programs that exist, as the search finds them (".exe" added to a name without one).
    const std::set<std::string> programs = {
        R"(C:\Program Files\Tool\x.exe)", R"(C:\Program.exe)", R"(C:\Tools\run me.exe)", R"(C:\Windows\notepad.exe)",
        R"(D:\工具\安装.exe)"};
    const FindProgram find = [&](const std::string& candidate) -> std::optional<std::string> {
        for (const std::string& name : {candidate, candidate + ".exe"})
            if (programs.count(name))
                return name;
        if (candidate == "notepad")
            return std::string(R"(C:\Windows\notepad.exe)");
        return std::nullopt;
    };
    const struct {
        const char* line;
        const char* program;
        const char* parameters;
    } cases[] = {
        // A quoted program ends at its closing quote, whatever exists.
        {R"("C:\Program Files\Tool\x.exe")", R"(C:\Program Files\Tool\x.exe)", ""},
        {R"("C:\Program Files\Tool\x.exe"  -a "b c")", R"(C:\Program Files\Tool\x.exe)", R"(-a "b c")"},
        {R"("C:\No Such\y.exe" -a)", R"(C:\No Such\y.exe)", "-a"},
        {R"("C:\Program Files\Tool\x.exe)", R"(C:\Program Files\Tool\x.exe)", ""}, // no closing quote
        {R"("C:\Program Files\Tool\x"-q)", R"(C:\Program Files\Tool\x.exe)", "-q"},
        // Unquoted: the shortest run of words that names a program.
        {R"(C:\Program Files\Tool\x.exe -a)", R"(C:\Program.exe)", R"(Files\Tool\x.exe -a)"},
        {R"(C:\Tools\run me.exe one	two)", R"(C:\Tools\run me.exe)", "one\ttwo"},
        {R"(C:\Tools\run me one)", R"(C:\Tools\run me.exe)", "one"},
        {"notepad  C:\\notes.txt", R"(C:\Windows\notepad.exe)", R"(C:\notes.txt)"},
        {R"(D:\工具\安装 /quiet)", R"(D:\工具\安装.exe)", "/quiet"},
        // Nothing found: the first word, the rest as parameters.
        {R"(C:\Nothing Here\z.exe -a)", R"(C:\Nothing)", R"(Here\z.exe -a)"},
        {"lonely", "lonely", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const ProgramAndParameters split = SplitCommandLine(c.line, find);
        EXPECT_EQ(split.Program, c.program) << c.line;
        EXPECT_EQ(split.Parameters, c.parameters) << c.line;
    }
}

} // namespace
