// Modal windows and boxes where Windows is stricter than Wine: minimising and restoring while
// one is up, where the focus goes when a dialog is activated (one table for toolkit/Focus.h's
// rule), the order in which a box that disabled the program's windows gives them back, the strip
// kept in the topmost band under its own boxes, and the newest box or modal window in front of
// everything opened before it.
#include <windows.h>

#include <functional>
#include <string>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/Exception.h"
#include "core/Scheduler.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "platform/MessageBoxes.h"
#include "platform/OpenDialog.h"
#include "toolkit/Timer.h"

using namespace testsupport;

namespace {

// The first window activated after a box of the platform came up, and whether it was enabled
// when it was.
class ActivationAfterBox {
public:
    ActivationAfterBox() {
        active_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &ActivationAfterBox::Hook, nullptr, GetCurrentThreadId());
    }
    ~ActivationAfterBox() {
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    ActivationAfterBox(const ActivationAfterBox&) = delete;
    ActivationAfterBox& operator=(const ActivationAfterBox&) = delete;

    HWND activated = nullptr;
    bool enabled = false;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && active_) {
            if (IsPlatformDialog(window)) {
                active_->boxSeen_ = true;
            } else if (active_->boxSeen_ && !active_->activated) {
                active_->activated = window;
                active_->enabled = IsWindowEnabled(window) != FALSE;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline ActivationAfterBox* active_ = nullptr;
    HHOOK hook_;
    bool boxSeen_ = false;
};

class ModalWindowsAndBoxes : public ProgramTest {
protected:
    void TearDown() override {
        TOpenDialog::OnShownForTests = nullptr;
        ProgramTest::TearDown();
    }

    // The launch dialog's 选择, cancelled once the open-file dialog is up.
    static void BrowseAndCancel() {
        TOpenDialog::OnShownForTests = [](HWND dialog) { AnswerOpenFileDialog(dialog, L""); };
        Form7->Button1Click();
        TOpenDialog::OnShownForTests = nullptr;
    }
};

} // namespace

TEST_F(ModalWindowsAndBoxes, MinimiseAndRestoreNeverLeaveTheProgramUnreachableNorUsableBehindAModalWindow) {
    HWND app = App().Handle(), strip = Form1->Handle();
    const struct {
        const char* what;
        tk::Form* form;
        bool minimisedBefore; // by the strip's button, before the modal window comes up
        bool minimiseInside;  // the taskbar entry's Minimize while it is up
        bool restoreInside;   // the taskbar entry's Restore while it is up
    } cases[] = {
        {"taskbar minimise and restore during the about box", Form4, false, true, true},
        {"taskbar minimise during a setup dialog, restore after it", Form7, false, true, false},
        {"a reminder firing while minimised, restored while it is up", Form6, true, false, true},
        {"a reminder firing and closed while minimised", Form6, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tk::Form& form = *c.form;
        HWND modal = form.EnsureHandle();
        if (c.minimisedBefore)
            Form1->SpeedButton1Click();
        ShowModalWhile(form, [&] {
            if (c.minimiseInside) {
                SendMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                EXPECT_FALSE(IsWindowVisible(modal));
            } else {
                EXPECT_TRUE(IsWindowVisible(modal)) << "the modal window did not show at once";
                EXPECT_EQ(GetActiveWindow(), modal);
            }
            EXPECT_TRUE(IsIconic(app)) << "the program was not minimised";
            EXPECT_FALSE(IsWindowVisible(strip));
            EXPECT_FALSE(IsWindowEnabled(strip));
            if (c.restoreInside) {
                SendMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
                EXPECT_FALSE(IsIconic(app)) << "the program was not restored";
                EXPECT_TRUE(IsWindowVisible(modal));
                EXPECT_EQ(GetActiveWindow(), modal);
                EXPECT_TRUE(IsWindowVisible(strip));
                EXPECT_FALSE(IsWindowEnabled(strip)) << "the strip is usable behind the modal window";
                if (PlatformMovesOwnedWindowsBetweenBands()) {
                    EXPECT_FALSE(IsTopmost(strip));
                }
            }
            form.Close();
        });
        EXPECT_TRUE(IsWindowEnabled(strip));
        if (!c.restoreInside) {
            EXPECT_TRUE(IsIconic(app)) << "the strip did not stay minimised";
            EXPECT_FALSE(IsWindowVisible(strip));
            SendMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
        EXPECT_FALSE(IsIconic(app));
        EXPECT_TRUE(IsWindowVisible(strip));
        EXPECT_TRUE(IsWindowEnabled(strip));
        EXPECT_TRUE(IsTopmost(strip));
    }
}

TEST_F(ModalWindowsAndBoxes, ADialogGivesTheFocusBackToTheControlThatHadItWhenItIsActivatedAgain) {
    BoxCatcher boxes;
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    const struct {
        const char* what;
        const tk::WinControl* control;
        std::function<void()> interrupt;
    } cases[] = {
        {"refusal boxes", &Form7->ComboBox1, [] { Form7->Button2Click(); }}, // no program, no choice
        {"an error report", &Form7->Edit1, [] { RaiseFromHandler("interrupting"); }},
        {"the open-file dialog", &Form7->ComboBox2, [this] { BrowseAndCancel(); }},
        {"another window and back", &Form7->Edit1, [&] {
             SetActiveWindow(other);
             SetActiveWindow(Form7->Handle());
         }},
        {"another window, then the taskbar entry", &Form7->ComboBox1, [&] {
             SetActiveWindow(other);
             SendMessageW(App().Handle(), WM_SETFOCUS, 0, 0);
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

TEST_F(ModalWindowsAndBoxes, AsTheBoxThatDisabledTheWindowsHidesTheActiveOneIsEnabledAgainAndActivated) {
    BoxCatcher boxes;
    const struct {
        const char* what;
        tk::Form* modal; // shown around the box, or null
        std::function<void()> box;
    } cases[] = {
        {"an error report over the strip", nullptr, [] { RaiseFromHandler("interrupting"); }},
        {"an error report over the launch dialog", Form7, [] { RaiseFromHandler("interrupting"); }},
        {"the open-file dialog of the launch dialog", Form7, [this] { BrowseAndCancel(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto look = [&] {
            HWND previous = GetActiveWindow();
            ASSERT_NE(previous, nullptr);
            ActivationAfterBox after;
            c.box();
            EXPECT_EQ(after.activated, previous) << "another window was activated first";
            EXPECT_TRUE(after.enabled) << "activated while still disabled";
            EXPECT_EQ(GetActiveWindow(), previous);
        };
        if (c.modal) {
            ShowModalWhile(*c.modal, [&] {
                look();
                c.modal->Close();
            });
        } else {
            SetActiveWindow(Form1->Handle());
            look();
        }
    }
}

TEST_F(ModalWindowsAndBoxes, AStopCommandsConfirmationStandsInFrontOfTheStripWhichStaysTopmost) {
    HWND strip = Form1->Handle();
    struct Look {
        bool stripTopmost = false, boxAbove = false;
    };
    static std::vector<Look> looks;
    looks.clear();
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            HWND box = reinterpret_cast<HWND>(wParam);
            if (code == HCBT_ACTIVATE && IsPlatformDialog(box))
                WhenShown(box, [box] {
                    looks.push_back({IsTopmost(Form1->Handle()), Above(box, Form1->Handle())});
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                });
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    const struct {
        TaskKind kind;
        void (TForm1::*stop)();
    } cases[] = {
        {TaskKind::Alarm, &TForm1::N3Click},
        {TaskKind::Shutdown, &TForm1::N7Click},
        {TaskKind::Reminder, &TForm1::N9Click},
        {TaskKind::Launch, &TForm1::N11Click},
    };
    for (const auto& c : cases) {
        CountdownSlotOf(c.kind) = {3600, TaskArmed};
        (Form1->*c.stop)(); // returns once its confirmation is closed
    }
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(looks.size(), std::size(cases));
    for (const Look& look : looks) {
        EXPECT_TRUE(look.stripTopmost) << "the strip left the topmost band";
        EXPECT_TRUE(look.boxAbove) << "the box is behind the strip";
    }
    EXPECT_TRUE(IsTopmost(strip));
}

// A box left open must never hide what comes after it: whatever was opened before, in whatever
// order, the newest box or modal window stands in front of every earlier one and takes input.
TEST_F(ModalWindowsAndBoxes, TheNewestBoxOrModalWindowStandsInFrontOfEverythingOpenedBeforeAndIsUsable) {
    enum Opening { StopBox, SetupDialog, DialogBox, Reminder };
    const struct {
        const char* what;
        std::vector<Opening> order;
    } cases[] = {
        {"stop box, setup dialog, its box", {StopBox, SetupDialog, DialogBox}},
        {"stop box, reminder window", {StopBox, Reminder}},
        {"stop box, setup dialog, reminder window", {StopBox, SetupDialog, Reminder}},
        {"setup dialog, its box, reminder window", {SetupDialog, DialogBox, Reminder}},
        {"stop box, another stop box", {StopBox, StopBox}},
    };
    // The next box that comes up runs this from its own loop, then is answered.
    static std::function<void(HWND)> inBox;
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            HWND box = reinterpret_cast<HWND>(wParam);
            if (code == HCBT_ACTIVATE && inBox && IsPlatformDialog(box))
                WhenShown(box, [box, inside = std::exchange(inBox, nullptr)] {
                    inside(box);
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                });
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CountdownSlotOf(TaskKind::Alarm) = {3600, TaskArmed};
        CountdownSlotOf(TaskKind::Shutdown) = {3600, TaskArmed};
        std::vector<HWND> open; // oldest first
        std::function<void(std::size_t)> openFrom = [&](std::size_t step) {
            if (step == c.order.size())
                return;
            auto inside = [&, step](HWND newest) {
                EXPECT_TRUE(IsWindowEnabled(newest)) << "step " << step;
                for (HWND earlier : open) { // Wine 8 keeps a form, owned, in its band
                    if (IsPlatformDialog(earlier) || PlatformMovesOwnedWindowsBetweenBands()) {
                        EXPECT_TRUE(Above(newest, earlier)) << "step " << step << " is behind an earlier window";
                    }
                }
                open.push_back(newest);
                openFrom(step + 1);
                open.pop_back();
            };
            const auto modal = [&](tk::Form& form) {
                ShowModalWhile(form, [&] {
                    inside(form.Handle());
                    form.Close();
                });
            };
            switch (c.order[step]) {
            case StopBox:
                inBox = inside;
                if (AlarmCountdown.State == TaskArmed) Form1->N3Click(); else Form1->N7Click();
                break;
            case DialogBox: inBox = inside; ShowMessage("注意", "闹钟定时已开始！", InformationIcon); break;
            case SetupDialog: modal(*Form2); break;
            case Reminder: modal(*Form6); break;
            }
        };
        openFrom(0);
        EXPECT_TRUE(IsTopmost(Form1->Handle()));
        EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    }
    UnhookWindowsHookEx(hook);
}
