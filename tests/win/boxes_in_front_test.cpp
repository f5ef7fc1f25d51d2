// Where Windows is stricter than Wine: the program's boxes and the open-file dialog come in
// front of the topmost window that asked for them and the band is put back when they close,
// nested or not; and a modal window or an error report that takes the capture ends a left drag.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "SetupDriver.h"
#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/Exception.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "platform/OpenDialog.h"
#include "toolkit/Timer.h"

using namespace testsupport;
using namespace setupdriver;

namespace {

// Records, for every message box this thread shows, whether it stands above `dialog` while it
// is on screen, then answers it. BoxCatcher answers at activation, before the box is shown, so
// this one waits until it is up. The first box may be given an action to run while it is up
// (e.g. pressing start again); it is looked at once more after that action.
class BoxesOver {
public:
    struct Look {
        std::wstring text;
        bool aboveDialog;
    };

    explicit BoxesOver(HWND dialog) : dialog_(dialog) {
        active_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &BoxesOver::Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxesOver() {
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    BoxesOver(const BoxesOver&) = delete;
    BoxesOver& operator=(const BoxesOver&) = delete;

    void WhileFirstBoxIsUp(std::function<void()> action) { whileFirstUp_ = std::move(action); }
    const std::vector<Look>& Looks() const { return looks_; }

private:
    void LookAt(HWND box) {
        wchar_t text[256]{};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        looks_.push_back({text, Above(box, dialog_)});
    }

    void Seen(HWND box) {
        if (!seen_.insert(box).second)
            return; // activated again once a box above it has gone
        WhenShown(box, [this, box] {
            LookAt(box);
            if (auto action = std::exchange(whileFirstUp_, nullptr)) {
                action();
                LookAt(box);
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && active_) {
            HWND window = reinterpret_cast<HWND>(wParam);
            if (IsPlatformDialog(window))
                active_->Seen(window);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline BoxesOver* active_ = nullptr;
    HHOOK hook_;
    HWND dialog_;
    std::set<HWND> seen_;
    std::function<void()> whileFirstUp_;
    std::vector<Look> looks_;
};

class BoxesInFront : public ProgramTest {
protected:
    void TearDown() override {
        TOpenDialog::OnShownForTests = nullptr;
        ProgramTest::TearDown();
    }
};

} // namespace

TEST_F(BoxesInFront, ASetupDialogsBoxesStandAboveItAndTheDialogIsTopmostAgainOnceTheyClose) {
    const std::vector<Dialog> dialogs = AllDialogs();
    const std::wstring noChoice = L"请选择一种定时方式！";
    const struct {
        const char* what;
        Dialog dialog;
        bool chooseCountdown; // of 10 minutes: armed and confirmed
        bool pressAgainInside; // start pressed again while the first box is up: a nested box
        std::vector<std::wstring> looks; // the boxes as seen while up, in order
    } cases[] = {
        {"refusal", dialogs[0], false, false, {noChoice}},
        // The outer box, the inner one, and the outer one again once the inner one has gone.
        {"nested refusals", dialogs[1], false, true, {noChoice, noChoice, noChoice}},
        {"confirmation", dialogs[0], true, false, {dialogs[0].confirmation}},
    };
    HWND strip = Form1->Handle();
    const bool stripTopmostBefore = IsTopmost(strip);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetupDialog& form = *c.dialog.form;
        HWND dialog = form.EnsureHandle();
        BoxesOver boxes(dialog);
        bool stripInsideBefore = false, stripInsideAfter = false, shownAfter = false, topmostAfter = false;
        ShowModalWhile(form, [&] {
            stripInsideBefore = IsTopmost(strip);
            if (c.chooseCountdown) {
                Click(form.RadioButton1);
                form.ComboBox1.SetText("10");
            }
            if (c.pressAgainInside)
                boxes.WhileFirstBoxIsUp([&] { Click(*c.dialog.start); });
            Click(*c.dialog.start); // returns once every box it opened has closed
            shownAfter = IsWindowVisible(dialog) != FALSE; // a confirmed start only asks to close
            topmostAfter = IsTopmost(dialog);
            stripInsideAfter = IsTopmost(strip);
            form.Close();
        });
        ASSERT_EQ(boxes.Looks().size(), c.looks.size());
        for (std::size_t i = 0; i < c.looks.size(); ++i) {
            EXPECT_EQ(boxes.Looks()[i].text, c.looks[i]) << "box " << i;
            EXPECT_TRUE(boxes.Looks()[i].aboveDialog) << "box " << i << " is behind the dialog";
        }
        EXPECT_TRUE(shownAfter);
        EXPECT_TRUE(topmostAfter) << "the dialog did not come back into the topmost band";
        EXPECT_EQ(stripInsideAfter, stripInsideBefore);
        EXPECT_EQ(IsTopmost(strip), stripTopmostBefore);
    }
    EXPECT_EQ(AlarmCountdown.State, TaskArmed); // the confirmation was a real start
}

TEST_F(BoxesInFront, TheOpenFileDialogOfTheLaunchDialogStandsAboveItAndTheDialogIsTopmostAgainAfter) {
    HWND launch = Form7->EnsureHandle();
    bool shown = false, above = false, topmostAfter = false;
    ShowModalWhile(*Form7, [&] {
        TOpenDialog::OnShownForTests = [&](HWND dialog) {
            WhenShown(dialog, [&, dialog] {
                shown = true;
                above = Above(dialog, launch);
                AnswerOpenFileDialog(dialog, L"");
            });
        };
        Click(Form7->Button1); // 选择
        topmostAfter = IsTopmost(launch) && IsWindowVisible(launch);
        Form7->Close();
    });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(above) << "the open-file dialog is behind the launch dialog";
    EXPECT_TRUE(topmostAfter);
    EXPECT_TRUE(IsTopmost(Form1->Handle()));
}

TEST_F(BoxesInFront, ALeftDragThatAModalWindowTakesTheCaptureFromEndsAndTheStripStaysStill) {
    BoxCatcher boxes;
    tk::Timer failing; // a handler that raises: the error report
    failing.SetEnabled(false);
    failing.SetInterval(10);
    bool interrupted = false;
    failing.SetOnTimer([&] {
        failing.SetEnabled(false);
        interrupted = true;
        throw Exception("interrupting the drag");
    });
    const struct {
        const char* what;
        std::function<void()> interrupt; // from the message loop; sets `interrupted` when over
    } cases[] = {
        {"the reminder window", [&] {
             Later(300, [] { Form6->Close(); });
             Form6->ShowModal();
             interrupted = true;
         }},
        {"an error report", [&] { failing.SetEnabled(true); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        interrupted = false;
        const RECT start = WindowRect(Form1->Handle());
        const int x = start.left + 30, y = start.top + 10; // on the label
        MouseMoveTo(x, y);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        MouseMoveTo(x - 6, y + 4);
        ASSERT_TRUE(Form1->Dragging);
        ASSERT_EQ(WindowRect(Form1->Handle()).left, start.left - 6) << "the drag did not start";

        Later(10, c.interrupt);
        ASSERT_TRUE(PumpUntil([&] { return interrupted; }, 5000));
        PumpFor(100);
        EXPECT_FALSE(Form1->Dragging);
        const RECT left = WindowRect(Form1->Handle());
        // The button is still held, but the strip no longer has the press: moving over it
        // moves nothing.
        MouseMoveTo(left.left + 40, left.top + 12);
        MouseMoveTo(left.left + 60, left.top + 14);
        const RECT after = WindowRect(Form1->Handle());
        EXPECT_TRUE(EqualRect(&left, &after)) << "the strip followed the pointer with no press";
        MouseButton(MOUSEEVENTF_LEFTUP);
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u); // the error report, and nothing for the reminder window
    EXPECT_TRUE(boxes.Boxes()[0].errorIcon);
    EXPECT_FALSE(Form1->Dragging);
}
