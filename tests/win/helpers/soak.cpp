// The soak: the program's seven windows and its message loop run for MINUTES minutes with all
// eight slots armed afresh at the start of every minute, so that each fires once a minute and
// does its real thing: the alarm and wake sounds, a test down.bat that appends to a log, a helper
// program started from a path with blanks, the reminder window shown and closed. At each minute's
// start it samples the GDI and USER objects, kernel handles and private bytes of the process.
// Prints every sample, the first and the last, and the firing counts; exits 1 unless each slot
// fired exactly once a minute and every firing did its thing.
//   soak.exe MINUTES
#include <windows.h>

#include <objbase.h>
#include <psapi.h>
#include <winternl.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgramWindows.h"
#include "TestFiles.h"
#include "tests/common/TaskTableFixture.h"

namespace fs = std::filesystem;
using tablefixture::kKinds;
using tablefixture::StateOf;

namespace {

constexpr const char* kKindNames[] = {"alarm", "shutdown", "reminder", "launch"};
// Seconds into the minute at which each slot falls due: the countdowns (armed at the minute's
// start) first, then the time-of-day slots, spaced so that a reminder window is closed again
// before the next one comes.
constexpr int kCountdownSeconds[] = {5, 10, 15, 20};
constexpr int kAtTimeSeconds[] = {35, 40, 45, 50};
constexpr ULONGLONG kReminderShownFor = 1500; // ms, then the soak closes it as a user would

// Wine 8 answers GetGuiResources and GetProcessHandleCount with 0 and leaves PrivateUsage at 0.
// Where a figure comes back 0, the sample counts the same thing another way, and says so once:
// GDI objects in the process's GDI handle table, USER objects as the process's windows
// (message-only ones included: every timer and player has one), kernel handles by asking each
// slot of the handle table, private bytes as the commit charge (PagefileUsage, which Windows
// documents as equal to PrivateUsage; Wine fills it with the anonymous resident memory).
struct Sample {
    int minute;
    DWORD gdi, user, handles;
    SIZE_T privateBytes, workingSet;
};

// One entry of the GDI handle table (64-bit layout); a free entry has type 0.
struct GdiHandleEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG userPointer;
};

DWORD GdiTableObjects() {
    constexpr std::size_t kGdiSharedHandleTable = 0xF8; // offset in the 64-bit PEB
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return 0;
    const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiSharedHandleTable);
    DWORD count = 0;
    for (std::size_t i = 0; table && i < 0x10000; ++i)
        count += table[i].type != 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(count);
        EnumChildWindows(window, &CountWindow, count);
    }
    return TRUE;
}

DWORD ProcessWindows() {
    DWORD count = 0;
    EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));)
        CountWindow(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The size of the process's handle table as the system's process list reports it (Wine gives
// the table's capacity there, not the handles in use).
DWORD HandleTableSize() {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 20);
    ULONG size = 0;
    if (!query || query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &size) != 0)
        return 0;
    for (std::size_t offset = 0;;) {
        const auto* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (reinterpret_cast<DWORD_PTR>(process->UniqueProcessId) == GetCurrentProcessId())
            return process->HandleCount;
        if (process->NextEntryOffset == 0)
            return 0;
        offset += process->NextEntryOffset;
    }
}

const char* gdiSource = "GetGuiResources";
const char* userSource = "GetGuiResources";
const char* handleSource = "GetProcessHandleCount";
const char* privateSource = "PrivateUsage";

Sample Take(int minute) {
    HANDLE self = GetCurrentProcess();
    Sample sample{minute, GetGuiResources(self, GR_GDIOBJECTS), GetGuiResources(self, GR_USEROBJECTS), 0, 0, 0};
    if (sample.gdi == 0) {
        sample.gdi = GdiTableObjects();
        gdiSource = "entries in the GDI handle table";
    }
    if (sample.user == 0) {
        sample.user = ProcessWindows();
        userSource = "windows of the process, message-only ones included";
    }
    if (!GetProcessHandleCount(self, &sample.handles) || sample.handles == 0) {
        sample.handles = 0;
        // Handle values are table slots times four: ask each slot whether it holds a handle.
        const DWORD slots = HandleTableSize();
        for (DWORD slot = 1; slot <= slots; ++slot) {
            DWORD flags = 0;
            sample.handles += GetHandleInformation(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(slot) * 4), &flags);
        }
        handleSource = "valid values among the handle table's slots";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    sample.privateBytes = memory.PrivateUsage;
    if (sample.privateBytes == 0) {
        sample.privateBytes = memory.PagefileUsage;
        privateSource = "PagefileUsage (commit charge)";
    }
    sample.workingSet = memory.WorkingSetSize;
    return sample;
}

void Print(const char* label, const Sample& s) {
    std::printf("%-16s minute %3d: GDI %4lu  USER %4lu  handles %4lu  private %6zu KB  working set %6zu KB\n",
                label, s.minute, s.gdi, s.user, s.handles, s.privateBytes / 1024, s.workingSet / 1024);
    std::fflush(stdout);
}

std::int32_t CodeAt(const SYSTEMTIME& minuteStart, int second) {
    return TimeCode(minuteStart.wHour, minuteStart.wMinute, second);
}

class Soak {
public:
    explicit Soak(int minutes) : minutes_(minutes) {
        const fs::path sounds = testfiles::SourceFile("resources");
        fs::copy_file(sounds / L"call.wav", folder_ / L"call.wav");
        fs::copy_file(sounds / L"wake.wav", folder_ / L"wake.wav");
        testfiles::WriteBytes(folder_ / L"down.bat", "@echo off\r\necho ran>>\"%~dp0down.log\"\r\n");
        for (Trigger trigger : {Trigger::Countdown, Trigger::AtTime}) {
            const fs::path helper = Helper(trigger);
            fs::create_directories(helper.parent_path());
            fs::copy_file(testfiles::MarkerExe(), helper);
        }
        Form1->MediaPlayer1.FileName = testfiles::Utf8(folder_ / L"call.wav");
        Form1->MediaPlayer2.FileName = testfiles::Utf8(folder_ / L"wake.wav");
        Form1->ShutdownScript = testfiles::Utf8(folder_ / L"down.bat");
        Form6->Memo1.SetText("浸泡测试：提醒窗口");
    }

    bool Finished() const { return finished_; }

    // Every 10 ms, from whichever message loop runs, the reminder's included.
    void Poll() {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const int minuteOfDay = now.wHour * 60 + now.wMinute;
        if (minuteOfDay != lastMinute_) {
            lastMinute_ = minuteOfDay;
            NewMinute(now);
        }
        CountFirings();
        CountEffects();
        if (IsWindowVisible(Form6->EnsureHandle())) {
            if (reminderShownAt_ == 0) {
                reminderShownAt_ = GetTickCount64();
                ++reminderShowings_;
            } else if (GetTickCount64() - reminderShownAt_ >= kReminderShownFor) {
                Form6->Close();
            }
        } else {
            reminderShownAt_ = 0;
        }
    }

    int Report() const {
        if (samples_.empty())
            return 1;
        std::printf("GDI: %s; USER: %s; handles: %s; private: %s\n", gdiSource, userSource, handleSource,
                    privateSource);
        Print("first", samples_.front());
        if (samples_.size() > 2)
            Print("after one round", samples_[1]);
        Print("last", samples_.back());
        bool exact = true;
        std::printf("firings over %d minutes (each slot should fire %d times, once a minute):\n", rounds_, rounds_);
        for (int k = 0; k < 4; ++k) {
            std::printf("  %-8s countdown %d  at time %d\n", kKindNames[k], fired_[0][k], fired_[1][k]);
            exact = exact && fired_[0][k] == rounds_ && fired_[1][k] == rounds_;
        }
        const int expected = 2 * rounds_;
        std::printf("what they did: alarm sounds %d, down.bat runs %d, reminder windows %d, helpers started %d "
                    "(each should be %d); error reports %u\n",
                    alarmSounds_, ScriptRuns(), reminderShowings_, helperRuns_, expected, ErrorReports());
        const bool did = alarmSounds_ == expected && ScriptRuns() == expected && reminderShowings_ == expected &&
                         helperRuns_ == expected;
        std::printf("%s\n", exact && did ? "every slot fired exactly once a minute and did its thing"
                                         : "FIRINGS DIFFER FROM ONCE A MINUTE");
        return exact && did ? 0 : 1;
    }

private:
    fs::path Helper(Trigger trigger) const {
        return folder_ / L"Program Files" /
               (trigger == Trigger::Countdown ? L"Soak Helper 1" : L"Soak Helper 2") / L"marker.exe";
    }

    void NewMinute(const SYSTEMTIME& now) {
        // The first partial minute only waits; every later one starts a round.
        if (!started_) {
            started_ = true;
            return;
        }
        if (armedRounds_ > 0)
            ++rounds_; // the round armed a minute ago has had its minute
        samples_.push_back(Take(armedRounds_));
        Print("sample", samples_.back());
        if (armedRounds_ == minutes_) {
            finished_ = true;
            return;
        }
        LaunchPathOf(Trigger::Countdown) = testfiles::Utf8(Helper(Trigger::Countdown));
        LaunchPathOf(Trigger::AtTime) = testfiles::Utf8(Helper(Trigger::AtTime));
        for (int k = 0; k < 4; ++k) {
            for (Trigger trigger : tablefixture::kTriggers) {
                if (StateOf(kKinds[k], trigger) == TaskArmed)
                    std::printf("  %s %s still armed at the minute's end\n", kKindNames[k],
                                trigger == Trigger::Countdown ? "countdown" : "at time");
            }
            ArmCountdown(kKinds[k], kCountdownSeconds[k]);
            ArmAtTime(kKinds[k], CodeAt(now, kAtTimeSeconds[k]));
            wasArmed_[0][k] = wasArmed_[1][k] = true;
        }
        ++armedRounds_;
    }

    void CountFirings() {
        for (int k = 0; k < 4; ++k) {
            for (int t = 0; t < 2; ++t) {
                const Trigger trigger = t == 0 ? Trigger::Countdown : Trigger::AtTime;
                if (wasArmed_[t][k] && StateOf(kKinds[k], trigger) != TaskArmed) {
                    wasArmed_[t][k] = false;
                    ++fired_[t][k];
                }
            }
        }
    }

    void CountEffects() {
        if (AlarmSounded == 1) {
            ++alarmSounds_;
            AlarmSounded = 0; // so that the next alarm's sound is seen too
        }
        for (Trigger trigger : {Trigger::Countdown, Trigger::AtTime}) {
            const fs::path ran = Helper(trigger).native() + L".ran";
            if (GetFileAttributesW(ran.c_str()) != INVALID_FILE_ATTRIBUTES && DeleteFileW(ran.c_str()))
                ++helperRuns_;
        }
    }

    int ScriptRuns() const {
        const std::string log = testfiles::ReadBytes(folder_ / L"down.log");
        int lines = 0;
        for (char c : log)
            lines += c == '\n';
        return lines;
    }

    static unsigned ErrorReports();

    const int minutes_;
    testfiles::TempFolder folder_{L"vandrel soak 浸泡"};
    bool started_ = false, finished_ = false;
    int lastMinute_ = -1;
    int armedRounds_ = 0, rounds_ = 0;
    std::vector<Sample> samples_;
    std::array<std::array<bool, 4>, 2> wasArmed_{};
    std::array<std::array<int, 4>, 2> fired_{};
    int alarmSounds_ = 0, reminderShowings_ = 0, helperRuns_ = 0;
    ULONGLONG reminderShownAt_ = 0;
};

// Error reports (a sound that would not open, a refused reminder) are message boxes of the
// application window; the soak counts and dismisses them so that the loop never stalls.
unsigned errorReports = 0;

LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[16]{};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770") {
            wchar_t text[512]{};
            GetDlgItemTextW(window, 0xFFFF, text, 512);
            std::printf("  error report: %ls\n", text);
            ++errorReports;
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

unsigned Soak::ErrorReports() { return errorReports; }

Soak* soak = nullptr;

void CALLBACK PollProc(HWND, UINT, UINT_PTR, DWORD) { soak->Poll(); }

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int minutes = argc > 1 ? _wtoi(argv[1]) : 0;
    if (minutes <= 0) {
        std::fprintf(stderr, "usage: soak.exe MINUTES\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 1;
    {
        tk::Application application;
        BuildProgramWindows(application);
        HHOOK hook = SetWindowsHookExW(WH_CBT, &BoxHook, nullptr, GetCurrentThreadId());
        Soak run(minutes);
        soak = &run;
        std::printf("soak of %d minutes: the rounds start at the next full minute\n", minutes);
        std::fflush(stdout);
        const UINT_PTR poll = SetTimer(nullptr, 0, 10, &PollProc);
        while (!run.Finished() && !application.Terminated())
            application.HandleMessage();
        KillTimer(nullptr, poll);
        result = run.Report();
        soak = nullptr;
        UnhookWindowsHookEx(hook);
    }
    CoUninitialize();
    return result;
}
