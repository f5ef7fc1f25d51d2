// The file-exists test, starting programs, handing items to the shell and the program's own
// message boxes, run for real under Wine.
#include <filesystem>
#include <string>
#include <vector>

#include "Support.h"
#include "helpers/TestFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "toolkit/Application.h"

using namespace testsupport;
using testfiles::TempFolder;
using testfiles::Utf8;
namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The arguments a started marker received, one per line after its command line.
std::vector<std::string> MarkerArguments(const fs::path& exe) {
    std::vector<std::string> lines;
    std::string record = testfiles::ReadBytes(exe.native() + L".ran");
    for (std::size_t start = 0, end; (end = record.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(record.substr(start, end - start));
    if (!lines.empty())
        lines.erase(lines.begin());
    return lines;
}

fs::path CopyMarker(const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(testfiles::MarkerExe(), to, fs::copy_options::overwrite_existing);
    return to;
}

class ShellTest : public testing::Test {
protected:
    void SetUp() override { StartWatchdog(); }
    void TearDown() override { StopWatchdog(); }
};

} // namespace

TEST_F(ShellTest, FileIsPresentOnlyForAnExistingFile) {
    TempFolder folder;
    testfiles::WriteBytes(folder / L"empty.bat", "");
    testfiles::WriteBytes(folder / L"关机.bat", "x");
    fs::create_directories(folder / L"down.bat");

    EXPECT_TRUE(FileIsPresent(Utf8(folder / L"empty.bat")));
    EXPECT_TRUE(FileIsPresent(Utf8(folder / L"关机.bat")));
    EXPECT_FALSE(FileIsPresent(Utf8(folder / L"missing.bat")));
    EXPECT_FALSE(FileIsPresent(Utf8(folder / L"down.bat"))); // a directory is no script
    EXPECT_FALSE(FileIsPresent(Utf8(folder.Path())));
    EXPECT_FALSE(FileIsPresent(Utf8(folder / L"no such folder" / L"down.bat")));
    EXPECT_FALSE(FileIsPresent(Utf8(folder / L"*.bat"))); // a pattern names no one file
    EXPECT_FALSE(FileIsPresent(Utf8(folder / L"empty.ba?")));
    EXPECT_FALSE(FileIsPresent(""));
    EXPECT_FALSE(FileIsPresent(std::string("\xFF\xFE bad utf-8", 12)));
}

TEST(LaunchCommandLine, QuotesOnlyAWholeTextThatNamesAFile) {
    EXPECT_EQ(LaunchCommandLine(L"C:\\Program Files\\Tool\\x.exe", true), L"\"C:\\Program Files\\Tool\\x.exe\"");
    EXPECT_EQ(LaunchCommandLine(L"C:\\Tools\\x.exe", true), L"\"C:\\Tools\\x.exe\"");
    // A command line stays as the user wrote it: the program's name, then its arguments.
    EXPECT_EQ(LaunchCommandLine(L"notepad C:\\notes.txt", false), L"notepad C:\\notes.txt");
    EXPECT_EQ(LaunchCommandLine(L"\"C:\\Program Files\\x.exe\" -a", false), L"\"C:\\Program Files\\x.exe\" -a");
    EXPECT_EQ(LaunchCommandLine(L"", false), L"");
}

TEST_F(ShellTest, StartProgramRunsTheWholePathEvenWhenAShorterCandidateExists) {
    for (bool withCandidate : {false, true}) {
        TempFolder folder(L"vandrel launch");
        const fs::path wanted = CopyMarker(folder / L"Program Files" / L"Helper Tool" / L"marker.exe");
        const fs::path candidate = folder / L"Program.exe";
        if (withCandidate)
            CopyMarker(candidate);

        StartProgram(Utf8(wanted));
        ASSERT_TRUE(PumpUntil([&] { return Exists(wanted.native() + L".ran"); }, 15000)) << withCandidate;
        EXPECT_TRUE(MarkerArguments(wanted).empty());
        EXPECT_FALSE(Exists(candidate.native() + L".ran"));
    }
}

TEST_F(ShellTest, StartProgramPassesTheArgumentsThatFollowAProgramName) {
    TempFolder folder(L"vandrel-args");
    const fs::path marker = CopyMarker(folder / L"marker.exe");
    ASSERT_EQ(Utf8(marker).find(' '), std::string::npos) << "the temp directory has blanks";

    StartProgram(Utf8(marker) + " one \"two three\" 四");
    ASSERT_TRUE(PumpUntil([&] { return Exists(marker.native() + L".ran"); }, 15000));
    EXPECT_EQ(MarkerArguments(marker), (std::vector<std::string>{"one", "two three", "四"}));
}

TEST_F(ShellTest, StartProgramReturnsWithoutWaitingForTheProgram) {
    TempFolder folder(L"vandrel-hold");
    const fs::path marker = CopyMarker(folder / L"marker.exe");
    const fs::path release = folder / L"release";

    // The marker neither reads messages nor ends until released, so a starter that waited for
    // it to go idle or to end would not be back here before the watchdog fires.
    StartProgram(Utf8(marker) + " --hold " + Utf8(release));
    EXPECT_FALSE(Exists(marker.native() + L".done"));
    ASSERT_TRUE(PumpUntil([&] { return Exists(marker.native() + L".ran"); }, 15000));
    testfiles::WriteBytes(release, "");
    EXPECT_TRUE(PumpUntil([&] { return Exists(marker.native() + L".done"); }, 15000));
}

TEST_F(ShellTest, StartProgramIgnoresWhatCannotBeStarted) {
    TempFolder folder;
    testfiles::WriteBytes(folder / L"notes.txt", "not a program");
    static int started, handedToShell;
    started = handedToShell = 0;
    static const auto create = CreateProcessRequest;
    static const auto execute = ShellExecuteRequest;
    CreateProcessRequest = [](wchar_t* line, STARTUPINFOW& startup, PROCESS_INFORMATION& process) -> BOOL {
        const BOOL made = create(line, startup, process);
        started += made ? 1 : 0;
        return made;
    };
    ShellExecuteRequest = [](SHELLEXECUTEINFOW& request) -> BOOL { return ++handedToShell, execute(request); };
    BoxCatcher boxes;
    StartProgram(Utf8(folder / L"missing.exe"));
    StartProgram(Utf8(folder / L"notes.txt"));
    StartProgram("");
    StartProgram(std::string("\xC0\xC1", 2));
    PumpFor(100);
    CreateProcessRequest = create;
    ShellExecuteRequest = execute;
    EXPECT_EQ(started, 0);
    EXPECT_EQ(handedToShell, 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ShellTest, ShellOpenRunsAScriptInAPathWithBlanks) {
    TempFolder folder(L"vandrel script");
    const fs::path marker = folder / L"ran.txt";
    testfiles::WriteBytes(folder / L"down.bat", "@echo off\r\necho ran>\"" + Utf8(marker) + "\"\r\n");
    ShellOpen(nullptr, Utf8(folder / L"down.bat"));
    EXPECT_TRUE(PumpUntil([&] { return Exists(marker); }, 15000));
}

TEST_F(ShellTest, ShellOpenHandsWebAddressesAndMailLinksToTheBrowserAndMailer) {
    const fs::path log = UrlLog();
    if (log.empty())
        GTEST_SKIP() << "the recorder is a Wine prefix setting";

    // Tokens of this run only, since other tests may write to the same log.
    const std::string token = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    const std::string address = "https://vandrel.example/home?run=" + token;
    const std::string mail = "mailto:support@vandrel.example?subject=" + token;
    ShellOpen(nullptr, address);
    ShellOpen(nullptr, mail);
    EXPECT_TRUE(PumpUntil(
        [&] {
            const std::string text = testfiles::ReadBytes(log);
            return text.find(address + "\n") != std::string::npos && text.find(mail + "\n") != std::string::npos;
        },
        20000))
        << testfiles::Utf8(log);
}

TEST_F(ShellTest, MessageBoxesHaveNoOwnerAndLeaveTheProgramUsable) {
    tk::Application application;
    BoxCatcher boxes;
    ShowMessage("注意", "闹钟定时已开始！", InformationIcon);
    ShowMessage("警告", "程序不存在！", ErrorIcon);
    ShowMessage("注意", "置顶", InformationIcon | MB_TOPMOST | MB_TASKMODAL);
    ASSERT_EQ(boxes.Boxes().size(), 3u);

    const CaughtBox& information = boxes.Boxes()[0];
    EXPECT_EQ(information.caption, L"注意");
    EXPECT_EQ(information.text, L"闹钟定时已开始！");
    EXPECT_TRUE(information.informationIcon);
    EXPECT_FALSE(information.errorIcon);
    const CaughtBox& error = boxes.Boxes()[1];
    EXPECT_EQ(error.caption, L"警告");
    EXPECT_EQ(error.text, L"程序不存在！");
    EXPECT_TRUE(error.errorIcon);
    for (const CaughtBox& box : boxes.Boxes()) {
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_TRUE(box.appWindowEnabled); // nothing behind the box was disabled
    }
}
