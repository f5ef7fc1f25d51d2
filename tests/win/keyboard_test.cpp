// The keyboard alone, as a screen reader's user works: real key presses (SendInput) through the
// real message loop and its dialog manager reach every choice of a fresh setup dialog, Enter
// presses the focused button, and Esc in a text box closes nothing.
#include <windows.h>

#include <string>
#include <vector>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/Scheduler.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"

using namespace testsupport;

namespace {

void Press(WORD key, bool shift = false) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD virtualKey, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift) add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(80);
}

// The control that has the focus, a combo box for its text field.
bool HasFocus(const tk::WinControl& control) {
    HWND focus = GetFocus();
    return focus && (focus == control.Handle() || IsChild(control.Handle(), focus));
}

class Keyboard : public ProgramTest {};

} // namespace

TEST_F(Keyboard, ReachesEveryChoiceOfAFreshSetupDialogWithTabArrowsSpaceAndEnter) {
    Form1->Timer2.SetEnabled(false); // nothing armed here may count down meanwhile
    Form1->Timer3.SetEnabled(false);
    BoxCatcher boxes;
    for (SetupDialog* dialog : {static_cast<SetupDialog*>(Form2), static_cast<SetupDialog*>(Form3)}) {
        const bool alarm = dialog == Form2;
        tk::Button& start = alarm ? Form2->Button1 : Form3->Button1;
        tk::Button& cancel = alarm ? Form2->Button2 : Form3->Button2;
        const struct Step {
            WORD key;
            bool shift;
            const tk::WinControl* focus;
            int checked; // 0: neither radio button, 1: the countdown, 2: the time of day
        } walk[] = {
            {VK_TAB, false, &start, 0},
            {VK_TAB, false, &cancel, 0},
            {VK_TAB, false, &dialog->ComboBox2, 0},
            {VK_TAB, false, &dialog->ComboBox3, 0},
            {VK_TAB, false, &dialog->ComboBox4, 0},
            {VK_TAB, false, &dialog->RadioButton1, 0}, // with neither checked, the first is a tab stop
            {VK_DOWN, false, &dialog->RadioButton2, 2}, // an arrow checks the button it reaches
            {VK_UP, false, &dialog->RadioButton1, 1},
            {VK_TAB, false, &dialog->ComboBox1, 1},     // round again
            {VK_TAB, true, &dialog->RadioButton1, 1},   // back to the checked one
            {VK_TAB, false, &dialog->ComboBox1, 1},
        }, spaceWalk[] = {
            {VK_TAB, true, &dialog->RadioButton1, 0},   // from the first box back to the group
            {VK_SPACE, false, &dialog->RadioButton1, 1},
            {VK_TAB, false, &dialog->ComboBox1, 1},
        };
        SCOPED_TRACE(alarm ? "alarm dialog, arrows" : "shutdown dialog, Space");
        ShowModalWhile(*dialog, [&] {
            EXPECT_TRUE(HasFocus(dialog->ComboBox1)) << "at opening";
            int step = 0;
            for (const Step& s : alarm ? std::vector<Step>(std::begin(walk), std::end(walk))
                                       : std::vector<Step>(std::begin(spaceWalk), std::end(spaceWalk))) {
                Press(s.key, s.shift);
                ++step;
                EXPECT_TRUE(HasFocus(*s.focus)) << "step " << step;
                EXPECT_EQ(dialog->RadioButton1.Checked() ? 1 : dialog->RadioButton2.Checked() ? 2 : 0, s.checked)
                    << "step " << step;
            }
            // On to the start button; Enter presses it: a countdown of the box's one minute.
            Press(VK_TAB);
            EXPECT_TRUE(HasFocus(start));
            Press(VK_RETURN);
            EXPECT_TRUE(PumpUntil([&] { return dialog->ModalResult != 0; }, 3000)) << "Enter did not start";
            if (dialog->ModalResult == 0)
                dialog->Close();
        });
        const CountdownSlot& armed = CountdownSlotOf(alarm ? TaskKind::Alarm : TaskKind::Shutdown);
        EXPECT_EQ(armed.State, TaskArmed);
        EXPECT_EQ(armed.SecondsLeft, 60);
        CountdownSlotOf(TaskKind::Shutdown) = {}; // never run the shutdown script
    }
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(Keyboard, EscInATextBoxClosesNothingEnterThereBreaksTheLineAndEnterOnAButtonPressesIt) {
    Form6->Memo1.SetText("该开会了");
    const struct {
        tk::Form* form;
        tk::Memo* memo; // has the focus at opening; null: the button has it
        int tabsToClose; // from the memo to the button that closes
    } windows[] = {{Form6, &Form6->Memo1, 1}, {Form5, &Form5->Memo1, 3}, {Form4, nullptr, 0}};
    for (const auto& w : windows) {
        bool open = false, brokeLine = false, closedByEnter = false;
        const int result = ShowModalWhile(*w.form, [&] {
            if (w.memo) {
                const std::string before = w.memo->Text();
                Press(VK_ESCAPE);
                PumpFor(100);
                open = w.form->ModalResult == 0 && w.memo->Text() == before;
                Press(VK_RETURN);
                brokeLine = w.memo->Text().find("\r\n") != std::string::npos && w.form->ModalResult == 0;
                for (int i = 0; i < w.tabsToClose; ++i)
                    Press(VK_TAB);
            }
            Press(VK_RETURN);
            closedByEnter = PumpUntil([&] { return w.form->ModalResult != 0; }, 3000);
            if (!closedByEnter)
                w.form->Close();
        });
        SCOPED_TRACE(w.memo ? "with a text box" : "about box");
        if (w.memo) {
            EXPECT_TRUE(open) << "Esc closed the window or changed the text";
            EXPECT_TRUE(brokeLine) << "Enter in the text box did not start a new line";
        }
        EXPECT_TRUE(closedByEnter);
        EXPECT_EQ(result, tk::Form::ModalCancel);
    }
}
