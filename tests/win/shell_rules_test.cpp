// How the program hands work to the shell where Windows would otherwise stop it: the shutdown
// script without the download check.
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
// `release` is set (at once without one).
class ShellRecorder {
public:
    explicit ShellRecorder(HANDLE release = nullptr) : saved_(ShellExecuteRequest) {
        ShellExecuteRequest = [this, release, real = saved_](SHELLEXECUTEINFOW& request) {
            if (release)
                WaitForSingleObject(release, 20000);
            requests_[count_] = {request.fMask, request.hwnd, Text(request.lpVerb), Text(request.lpFile),
                                 Text(request.lpParameters), Text(request.lpDirectory), request.nShow,
                                 GetCurrentThreadId()};
            ++count_; // published after the record is whole
            return real(request);
        };
    }
    ~ShellRecorder() { ShellExecuteRequest = saved_; }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    int Count() const { return count_; }
    const ShellRequest& operator[](int i) const { return requests_[i]; }

private:
    std::function<BOOL(SHELLEXECUTEINFOW&)> saved_;
    ShellRequest requests_[8];
    std::atomic<int> count_{0};
};

bool Exists(const fs::path& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ShellRules : public ProgramTest {};

} // namespace

TEST_F(ShellRules, TheShutdownScriptSkipsTheDownloadCheckAndTheLinksKeepIt) {
    TempFolder folder(L"vandrel unattended");
    testfiles::WriteBytes(folder / L"down.bat", "@echo off\r\necho ran>\"%~dp0down.ran\"\r\n");
    Form1->ShutdownScript = Utf8(folder / L"down.bat");
    ShellRecorder shell;

    ShutdownCountdown = {0, TaskArmed};
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
