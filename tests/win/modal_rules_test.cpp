// Where Windows is stricter than Wine about modal windows and boxes: minimising and restoring
// while one is up, the focus a dialog gets back, the order in which a box that disabled the
// program's windows gives them back, and the strip kept in the topmost band under its own boxes.
#include <windows.h>

#include <functional>
#include <string>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/Exception.h"
#include "core/Scheduler.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "platform/OpenDialog.h"
#include "toolkit/Timer.h"

using namespace testsupport;

namespace {

class ModalRules : public ProgramTest {
protected:
    void TearDown() override {
        TOpenDialog::OnShownForTests = nullptr;
        ProgramTest::TearDown();
    }

    // An error report, raised from a timer handler as any escaped exception would be.
    static void RaiseFromHandler() {
        tk::Timer timer;
        bool raised = false;
        timer.SetInterval(10);
        timer.SetOnTimer([&] {
            if (raised) return;
            raised = true;
            throw Exception("interrupting");
        });
        PumpUntil([&] { return raised; });
        PumpFor(50);
    }

    // The launch dialog's 选择, cancelled once the open-file dialog is up.
    static void BrowseAndCancel() {
        TOpenDialog::OnShownForTests = [](HWND dialog) { AnswerOpenFileDialog(dialog, L""); };
        Form7->Button1Click();
        TOpenDialog::OnShownForTests = nullptr;
    }
};

} // namespace

TEST_F(ModalRules, ADialogGivesTheFocusBackToTheControlThatHadItWhenItIsActivatedAgain) {
    BoxCatcher boxes;
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    const struct {
        const char* what;
        const tk::WinControl* control;
        std::function<void()> interrupt;
    } cases[] = {
        {"refusal boxes", &Form7->ComboBox1, [] { Form7->Button2Click(); }}, // no program, no choice
        {"an error report", &Form7->Edit1, [this] { RaiseFromHandler(); }},
        {"the open-file dialog", &Form7->ComboBox2, [this] { BrowseAndCancel(); }},
        {"another window and back", &Form7->Edit1, [&] {
             SetActiveWindow(other);
             SetActiveWindow(Form7->Handle());
         }},
    };
    HWND dialog = Form7->EnsureHandle();
    ShowModalWhile(*Form7, [&] {
        EXPECT_EQ(GetFocus(), GetNextDlgTabItem(dialog, nullptr, FALSE)) << "not the first control at first";
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            SetFocus(c.control->Handle());
            c.interrupt();
            PumpFor(50);
            HWND focus = GetFocus();
            EXPECT_TRUE(focus == c.control->Handle() || IsChild(c.control->Handle(), focus))
                << "the focus is on " << focus << ", the form being " << dialog;
        }
        Form7->Close();
    });
    DestroyWindow(other);
}
