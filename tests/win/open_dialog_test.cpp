// The open-file dialog driven from its own hook: placement, ownership, the disabled program,
// and what FileName holds after a cancel and after a confirmation.
#include <windows.h>

#include <commdlg.h>

#include <string>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "helpers/TestFiles.h"
#include "platform/OpenDialog.h"

using namespace testsupport;
using testfiles::TempFolder;

namespace {

struct Seen {
    bool shown = false;
    HWND owner = nullptr;
    RECT bounds{};
    RECT monitor{};
    bool stripEnabled = true;
    bool appEnabled = true;
    std::wstring name;
};

// Looks at the dialog once it is up and then answers it: with the name typed and OK, or Cancel.
void Answer(Seen& seen, std::wstring typed) {
    TOpenDialog::OnShownForTests = [&seen, typed](HWND dialog) {
        Later(10, [&seen, typed, dialog] {
            seen.shown = true;
            seen.owner = GetWindow(dialog, GW_OWNER);
            GetWindowRect(dialog, &seen.bounds);
            MONITORINFO info{sizeof info};
            GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &info);
            seen.monitor = info.rcMonitor;
            seen.stripEnabled = IsWindowEnabled(Form1->Handle()) != FALSE;
            seen.appEnabled = IsWindowEnabled(tk::Application::Instance().Handle()) != FALSE;
            wchar_t name[1024]{};
            SendMessageW(dialog, CDM_GETSPEC, 1024, reinterpret_cast<LPARAM>(name));
            seen.name = name;
            AnswerOpenFileDialog(dialog, typed);
        });
    };
}

class OpenDialog : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialog_.Filter = "应用程序|*.exe";
    }
    void TearDown() override {
        TOpenDialog::OnShownForTests = nullptr;
        ProgramTest::TearDown();
    }
    TOpenDialog dialog_;
    TempFolder folder_{L"vandrel dialog"};
};

} // namespace

TEST_F(OpenDialog, CancelKeepsTheFileNameAndPutsTheProgramBack) {
    testfiles::WriteBytes(folder_ / L"tool.exe", "");
    dialog_.FileName = testfiles::Utf8(folder_ / L"tool.exe");
    Seen seen;
    Answer(seen, L"");
    EXPECT_FALSE(dialog_.Execute());
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(dialog_.FileName, testfiles::Utf8(folder_ / L"tool.exe"));
    EXPECT_EQ(dialog_.FilterIndex, 1);
    EXPECT_EQ(seen.name, L"tool.exe"); // the dialog started from the kept name

    // Owned by the application window, with the program disabled only while it showed.
    EXPECT_EQ(seen.owner, App().Handle());
    EXPECT_FALSE(seen.stripEnabled);
    EXPECT_FALSE(seen.appEnabled);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));

    // Centred across the monitor and a third of the way down it.
    const int width = seen.bounds.right - seen.bounds.left;
    const int height = seen.bounds.bottom - seen.bounds.top;
    EXPECT_EQ(seen.bounds.left, seen.monitor.left + (seen.monitor.right - seen.monitor.left - width) / 2);
    EXPECT_EQ(seen.bounds.top, seen.monitor.top + (seen.monitor.bottom - seen.monitor.top - height) / 3);
}

TEST_F(OpenDialog, ConfirmReplacesTheFileNameEvenWithAFileThatDoesNotExist) {
    dialog_.FileName = "C:\\earlier.exe";
    const std::wstring typed = (folder_ / L"新程序.exe").native();
    Seen seen;
    Answer(seen, typed);
    EXPECT_TRUE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName, testfiles::Utf8(typed));
    EXPECT_EQ(dialog_.FilterIndex, 1);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));

    // Cancelling the next showing keeps what was confirmed.
    Answer(seen, L"");
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName, testfiles::Utf8(typed));
}

TEST_F(OpenDialog, AnOverlongFileNameIsCutForTheDialogAndKeptOnCancel) {
    const std::string longName = "C:\\" + std::string(400, 'a') + ".exe";
    dialog_.FileName = longName;
    Seen seen;
    Answer(seen, L"");
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName, longName);
}

TEST(DialogFilterList, EndsEveryPartWithAZeroAndTheListWithTwo) {
    using namespace std::string_literals;
    EXPECT_EQ(DialogFilterList("应用程序|*.exe"), L"应用程序\0*.exe\0\0"s);
    EXPECT_EQ(DialogFilterList("Programs|*.exe;*.com|All|*.*"), L"Programs\0*.exe;*.com\0All\0*.*\0\0"s);
    EXPECT_EQ(DialogFilterList(""), L"\0\0"s);
}
