// How the program hands work to the shell where Windows would otherwise stop it: the shutdown
// script without the download check, and a program that asks for administrator rights through
// the shell, on a thread of its own.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/Scheduler.h"
#include "helpers/TestFiles.h"
#include "platform/Shell.h"
#include "toolkit/Text.h"

using namespace testsupport;
using testfiles::TempFolder;
using testfiles::Utf8;
namespace fs = std::filesystem;

namespace {

// One request that reached the shell's ShellExecuteExW.
struct ShellRequest {
    ULONG mask = 0;
    HWND owner = nullptr;
    std::wstring verb, file, parameters, directory;
    int show = 0;
    DWORD thread = 0;
};

std::wstring Text(const wchar_t* text) { return text ? text : L"(none)"; }

// Records every request, on whichever thread it comes, then hands it on to the real shell once
// `release` is set (at once without one). One at a time: the shell's entry is a plain function,
// which finds the recorder through `active_`.
class ShellRecorder {
public:
    explicit ShellRecorder(HANDLE release = nullptr) : saved_(ShellExecuteRequest), release_(release) {
        active_ = this;
        ShellExecuteRequest = [](SHELLEXECUTEINFOW& request) { return active_->Record(request); };
    }
    ~ShellRecorder() {
        ShellExecuteRequest = saved_;
        active_ = nullptr;
    }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    int Count() const { return count_; }
    const ShellRequest& operator[](int i) const { return requests_[i]; }

private:
    BOOL Record(SHELLEXECUTEINFOW& request) {
        if (release_)
            WaitForSingleObject(release_, 20000);
        requests_[count_] = {request.fMask, request.hwnd, Text(request.lpVerb), Text(request.lpFile),
                             Text(request.lpParameters), Text(request.lpDirectory), request.nShow,
                             GetCurrentThreadId()};
        ++count_; // published after the record is whole
        return saved_(request);
    }

    static inline ShellRecorder* active_ = nullptr;
    decltype(ShellExecuteRequest) saved_;
    HANDLE release_;
    ShellRequest requests_[8];
    std::atomic<int> count_{0};
};

bool Exists(const fs::path& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ShellPrompts : public ProgramTest {};

} // namespace

TEST_F(ShellPrompts, TheShutdownScriptSkipsTheDownloadCheckAndTheLinksKeepIt) {
    TempFolder folder(L"vandrel unattended");
    testfiles::WriteBytes(folder / L"down.bat", "@echo off\r\necho ran>\"%~dp0down.ran\"\r\n");
    Form1->ShutdownScript = Utf8(folder / L"down.bat");
    ShellRecorder shell;

    ArmCountdown(TaskKind::Shutdown, 0); // through the door, which starts the countdown timer
    ASSERT_TRUE(PumpUntil([] { return ShutdownCountdown.State == TaskDone; }));
    EXPECT_TRUE(PumpUntil([&] { return Exists(folder / L"down.ran"); }, 15000)) << "the script did not run";
    Form1->N5Click();  // the home page
    Form1->N15Click(); // the support link

    ASSERT_EQ(shell.Count(), 1) << "only the script goes without the check";
    const ShellRequest& script = shell[0];
    EXPECT_EQ(script.mask, static_cast<ULONG>(SEE_MASK_NOZONECHECKS));
    EXPECT_EQ(script.owner, nullptr);
    EXPECT_EQ(script.verb, L"(none)");
    EXPECT_EQ(script.file, (folder / L"down.bat").native());
    EXPECT_EQ(script.parameters, L"(none)");
    EXPECT_EQ(script.directory, L"(none)");
    EXPECT_EQ(script.show, SW_SHOWNORMAL);
}

TEST(ElevatedLaunch, GoesThroughTheShellOnAThreadOfItsOwnSplitAsTheDirectStartWould) {
    StartWatchdog();
    TempFolder folder(L"vandrel elevated");
    const fs::path wanted = folder / L"Program Files" / L"Helper Tool" / L"marker.exe";
    const fs::path plain = folder / L"plain" / L"marker.exe";
    for (const fs::path& exe : {wanted, plain}) {
        fs::create_directories(exe.parent_path());
        fs::copy_file(testfiles::MarkerExe(), exe);
    }
    fs::copy_file(testfiles::MarkerExe(), folder / L"Program.exe"); // where an unquoted line would stop
    const auto saved = CreateProcessRequest;
    // Read by the stand-in for the platform's call, a plain function.
    static DWORD refusal;
    static int directTries;
    refusal = 0;
    directTries = 0;
    CreateProcessRequest = [](wchar_t*, STARTUPINFOW&, PROCESS_INFORMATION&) -> BOOL {
        ++directTries;
        SetLastError(refusal);
        return FALSE;
    };
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ShellRecorder shell(release);
    const std::wstring directory = (folder / L"plain").native();
    SetCurrentDirectoryW(directory.c_str());

    // Any other refusal stays silent: nothing goes to the shell.
    refusal = ERROR_ACCESS_DENIED;
    StartProgram(Utf8(plain) + " silent");

    const struct {
        std::string text;
        fs::path program;
        std::wstring parameters;
        std::vector<std::string> arguments;
    } cases[] = {
        {Utf8(wanted), wanted, L"(none)", {}},
        {Utf8(plain) + " one \"two three\" 四", plain, L"one \"two three\" 四", {"one", "two three", "四"}},
    };
    refusal = 740; // ERROR_ELEVATION_REQUIRED
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const int before = shell.Count();
        ResetEvent(release);
        StartProgram(c.text); // back while the shell's call still waits for its prompt
        SetEvent(release);
        ASSERT_TRUE(PumpUntil([&] { return shell.Count() > before; }, 15000));
        const ShellRequest& request = shell[before];
        EXPECT_NE(request.thread, GetCurrentThreadId());
        EXPECT_EQ(request.verb, L"(none)");
        EXPECT_EQ(request.owner, nullptr);
        EXPECT_EQ(fs::path(request.file), c.program);
        EXPECT_EQ(request.parameters, c.parameters);
        EXPECT_EQ(request.directory, directory) << "not the direct start's working directory";
        EXPECT_EQ(request.show, SW_SHOWNORMAL);
        const fs::path ran = c.program.native() + L".ran";
        ASSERT_TRUE(PumpUntil([&] { return Exists(ran); }, 15000));
        std::string record = testfiles::ReadBytes(ran);
        std::vector<std::string> arguments;
        for (std::size_t start = record.find('\n') + 1, end; (end = record.find('\n', start)) != std::string::npos;
             start = end + 1)
            arguments.push_back(record.substr(start, end - start));
        EXPECT_EQ(arguments, c.arguments);
        fs::remove(ran);
    }
    EXPECT_EQ(directTries, 3);
    EXPECT_EQ(shell.Count(), 2) << "a refusal other than elevation reached the shell";
    EXPECT_FALSE(Exists(folder / L"Program.exe.ran"));

    SetCurrentDirectoryW(folder.Path().parent_path().c_str());
    CloseHandle(release);
    CreateProcessRequest = saved;
    StopWatchdog();
}
