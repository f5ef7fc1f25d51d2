// The services that load at their first use instead of at start (the shell, the open-file
// dialog, the sound devices): each first use works with its library taken from the system
// folder, and a library or function that cannot be had is an error that the error report
// shows, never a crash.
#include <functional>
#include <memory>
#include <string>

#include "Support.h"
#include "app/Forms.h"
#include "helpers/TestFiles.h"
#include "platform/MediaPlayer.h"
#include "platform/OpenDialog.h"
#include "platform/Shell.h"
#include "toolkit/SystemLibraries.h"
#include "toolkit/Timer.h"

using namespace testsupport;

namespace {

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The folder of a loaded library, or "" when it is not loaded.
std::wstring FolderOf(const wchar_t* library) {
    HMODULE module = GetModuleHandleW(library);
    if (!module)
        return {};
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(module, path.data(), MAX_PATH));
    return Lower(path.substr(0, path.find_last_of(L'\\')));
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    return Lower(std::wstring(folder, GetSystemDirectoryW(folder, MAX_PATH)));
}

struct FirstUse {
    const char* what;
    std::function<void()> use;
    const wchar_t* library;     // loaded from the system folder once `use` has run
    const char* reportedError;  // the error report's text; null when the use succeeds
};

using LateLoading = ProgramTest;

} // namespace

TEST_F(LateLoading, EachServiceWorksAtItsFirstUseAndAMissingLibraryIsReported) {
    const std::string sound = testfiles::Utf8(testfiles::SourceFile("resources") / L"call.wav");
    const FirstUse uses[] = {
        // Whether the shell entered COM cannot be seen here: Wine's input-method support enters
        // a single-threaded apartment on every thread that makes a window.
        {"the shell", [] { ShellOpen(nullptr, "mailto:late-loading@vandrel.example"); }, L"shell32.dll", nullptr},
        {"the open-file dialog",
         [] {
             TOpenDialog::OnShownForTests = [](HWND dialog) { Later(10, [dialog] { AnswerOpenFileDialog(dialog, L""); }); };
             TOpenDialog dialog;
             EXPECT_FALSE(dialog.Execute());
             TOpenDialog::OnShownForTests = nullptr;
         },
         L"comdlg32.dll", nullptr},
        {"the sound devices",
         [&sound] {
             MediaPlayer player;
             player.FileName = sound;
             player.Open();
         },
         L"winmm.dll", nullptr},
        {"a library the system does not have",
         [] { tk::SystemFunctionAddress(L"vandrel-absent.dll", "Anything"); }, nullptr,
         "Cannot load the system library vandrel-absent.dll (error 126)"},
        {"a function the library does not have",
         [] {
             static constinit tk::SystemFunction<void()> absent{L"shell32.dll", "VandrelAbsentFunction"};
             absent();
         },
         nullptr, "The system library shell32.dll has no function VandrelAbsentFunction."},
    };
    for (const FirstUse& row : uses) {
        SCOPED_TRACE(row.what);
        // Run inside the boundary that every handler of the program runs inside. A use that
        // should succeed has no box catcher, which would answer the open-file dialog too: an
        // error report there stays up until the watchdog fails the test.
        if (!row.reportedError) {
            EXPECT_TRUE(tk::Guarded(row.use));
            EXPECT_EQ(FolderOf(row.library), SystemFolder());
            continue;
        }
        BoxCatcher boxes;
        EXPECT_FALSE(tk::Guarded(row.use));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_TRUE(boxes.Boxes()[0].errorIcon);
        EXPECT_EQ(testfiles::Utf8(boxes.Boxes()[0].text), row.reportedError);
    }
}

// The start shows the strip before it does what nobody sees at once: the icons wait for its first
// paint and the idle loop, and the strip's timers and a test's share one hidden window.
TEST_F(LateLoading, IconsFollowTheFirstPaintAndTimersOnTheSharedWindowTickApart) {
    EXPECT_TRUE(PumpUntil([this] {
        App().HandleMessage(); // the waiting loop, which runs the idle tasks
        return SendMessageW(App().Handle(), WM_GETICON, ICON_SMALL, 0) != 0 &&
               SendMessageW(Form1->Handle(), WM_GETICON, ICON_BIG, 0) != 0;
    }));

    // One that stops at its own first tick gets no second one, and the other keeps ticking.
    auto ending = std::make_unique<tk::Timer>();
    tk::Timer other;
    int endingTicks = 0, otherTicks = 0;
    ending->SetInterval(5);
    ending->SetOnTimer([&] {
        ++endingTicks;
        ending->SetEnabled(false);
        Later(0, [&] { ending.reset(); });
    });
    other.SetInterval(5);
    other.SetOnTimer([&] { ++otherTicks; });
    EXPECT_TRUE(PumpUntil([&] { return !ending && otherTicks >= 5; }));
    EXPECT_EQ(endingTicks, 1);
}
