// The four setup dialogs driven through their real controls: what they show, the boxes of a
// start without a choice or a program, the slot each start arms or the box that refuses it,
// the reminder text and the program path they hand on, and what stays between openings.
#include <windows.h>


#include <string>
#include <vector>

#include "SetupDriver.h"
#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "toolkit/Text.h"

using namespace testsupport;
using namespace setupdriver;

namespace {

std::vector<std::string> ListOf(const tk::ComboBox& box) {
    std::vector<std::string> items;
    const auto count = SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[64]{};
        SendMessageW(box.Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items.push_back(tk::Narrow(item));
    }
    return items;
}

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(std::to_string(n));
    return numbers;
}

// The controls that Tab visits, from the first, once round.
std::vector<HWND> TabOrder(HWND form) {
    std::vector<HWND> order;
    for (HWND control = GetNextDlgTabItem(form, nullptr, FALSE); control && order.size() < 20;
         control = GetNextDlgTabItem(form, control, FALSE)) {
        if (!order.empty() && control == order.front())
            break;
        order.push_back(control);
    }
    return order;
}

std::vector<HWND> Handles(std::initializer_list<const tk::WinControl*> controls) {
    std::vector<HWND> handles;
    for (const tk::WinControl* control : controls)
        handles.push_back(control->Handle());
    return handles;
}

// The next showing of the open-file dialog is answered with `typed` and OK, or cancelled.
void AnswerOpenDialog(std::wstring typed) {
    TOpenDialog::OnShownForTests = [typed](HWND dialog) {
        Later(10, [typed, dialog] {
            AnswerOpenFileDialog(dialog, typed);
        });
    };
}

class SetupDialogs : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ArmEverySlotAndStopTheTicks();
    }
    void TearDown() override {
        TOpenDialog::OnShownForTests = nullptr;
        ProgramTest::TearDown();
    }
};

} // namespace

TEST_F(SetupDialogs, AreTopmostToolWindowsWithTheirControlsInPlaceAndAreCaptured) {
    const struct {
        const Dialog dialog;
        const wchar_t* caption;
        SIZE client;
        COLORREF background;
        const wchar_t* screenshot;
    } looks[] = {
        {AllDialogs()[0], L"闹钟设置", {210, 202}, RGB(255, 255, 255), L"setup-alarm.bmp"},
        {AllDialogs()[1], L"自动关机", {211, 223}, RGB(255, 255, 255), L"setup-shutdown.bmp"},
        {AllDialogs()[2], L"定时消息", {234, 371}, RGB(255, 255, 255), L"setup-reminder.bmp"},
        {AllDialogs()[3], L"定时开启", {231, 315}, GetSysColor(COLOR_BTNHIGHLIGHT), L"setup-launch.bmp"},
    };
    for (const auto& look : looks) {
        SetupDialog& form = *look.dialog.form;
        HWND window = form.EnsureHandle();
        SCOPED_TRACE(look.dialog.name);
        wchar_t caption[32]{};
        GetWindowTextW(window, caption, 32);
        EXPECT_STREQ(caption, look.caption);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, form.Scale(look.client.cx));
        EXPECT_EQ(client.bottom, form.Scale(look.client.cy));
        EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(IsTopmost(window));

        // Labels, radio buttons and buttons in 宋体 12; the boxes in the window's font.
        for (const tk::WinControl* control : std::initializer_list<const tk::WinControl*>{
                 &form.RadioButton1, &form.RadioButton2, look.dialog.start, look.dialog.cancel}) {
            EXPECT_EQ(std::wstring(FontOf(control->Handle()).lfFaceName), L"宋体");
            EXPECT_EQ(FontOf(control->Handle()).lfHeight, -form.Scale(12));
        }
        EXPECT_EQ(std::wstring(FontOf(form.ComboBox1.Handle()).lfFaceName), L"MS Sans Serif");
        EXPECT_EQ(FontOf(form.ComboBox1.Handle()).lfHeight, -form.Scale(11));

        ShowModalWhile(form, [&] {
            // Off the screen's centre, where the windows of tests running alongside open.
            SetWindowPos(window, nullptr, 16, 48, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            EXPECT_TRUE(ScreenShows(window, 3, client.bottom - 3, look.background)) << "background";
            if (&form == Form7) { // the two lines at the top are written in blue
                const RECT line = Form7->Label5.BoundsRect();
                bool blue = false;
                for (int y = (line.top + line.bottom) / 2 - 1; y <= (line.top + line.bottom) / 2 + 1 && !blue; ++y)
                    for (int x = line.left; x < line.right && !blue; ++x)
                        blue = ScreenPixel(window, x, y) == RGB(0, 0, 255);
                EXPECT_TRUE(blue);
            }
            // The hour list opens eight 13-pixel items high and scrolls for the rest of its 24.
            SendMessageW(form.ComboBox2.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
            COMBOBOXINFO combo{sizeof combo};
            GetComboBoxInfo(form.ComboBox2.Handle(), &combo);
            RECT list{};
            GetClientRect(combo.hwndList, &list);
            EXPECT_EQ(list.bottom, 8 * form.Scale(13)) << "open list";
            EXPECT_EQ(SendMessageW(combo.hwndList, LB_GETITEMHEIGHT, 0, 0), form.Scale(13));
            SendMessageW(form.ComboBox2.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
            PumpFor(50);
            EXPECT_TRUE(SaveWindowScreenshot(window, look.screenshot));
            form.Close();
        });
    }

    // Every control of the launch dialog, whose layout differs most, at its 96-dpi place, scaled.
    const auto scaled = [](int value) { return Form7->Scale(value); };
    const struct {
        const tk::WinControl& control;
        tk::Bounds b;
    } windowed[] = {
        {Form7->RadioButton1, {16, 64, 113, 17}}, {Form7->ComboBox1, {16, 88, 145, 21}},
        {Form7->RadioButton2, {16, 136, 113, 17}}, {Form7->ComboBox2, {16, 160, 36, 21}},
        {Form7->ComboBox3, {88, 160, 36, 21}},    {Form7->ComboBox4, {152, 160, 36, 21}},
        {Form7->Edit1, {16, 232, 145, 21}},       {Form7->Button1, {168, 232, 47, 21}},
        {Form7->Button2, {96, 272, 57, 25}},      {Form7->Button3, {160, 272, 57, 25}},
    };
    for (const auto& [control, b] : windowed)
        ExpectBounds(control.BoundsRect(), scaled(b.Left), scaled(b.Top), scaled(b.Width), scaled(b.Height),
                     control.Text().c_str());
    const struct {
        const tk::Label& label;
        int left, top;
    } labels[] = {
        {Form7->Label1, 168, 96}, {Form7->Label2, 56, 168}, {Form7->Label3, 128, 168}, {Form7->Label4, 192, 168},
        {Form7->Label5, 16, 8},   {Form7->Label6, 16, 24},  {Form7->Label7, 16, 216},
    };
    for (const auto& [label, left, top] : labels) {
        EXPECT_EQ(label.BoundsRect().left, scaled(left)) << label.Caption();
        EXPECT_EQ(label.BoundsRect().top, scaled(top)) << label.Caption();
    }
}

TEST_F(SetupDialogs, OpenWithTheirListsAndNoChoiceAndTabPassesOverUncheckedRadioButtons) {
    const std::vector<std::string> minutes{"1", "5", "10", "30", "60", "120", "240", "480", "600"};
    for (const Dialog& dialog : AllDialogs()) {
        SetupDialog& form = *dialog.form;
        SCOPED_TRACE(dialog.name);
        HWND window = form.EnsureHandle();
        EXPECT_EQ(ListOf(form.ComboBox1), minutes);
        EXPECT_EQ(ListOf(form.ComboBox2), Numbers(0, 23));
        EXPECT_EQ(ListOf(form.ComboBox3), Numbers(0, 59));
        EXPECT_EQ(ListOf(form.ComboBox4), Numbers(0, 59));
        EXPECT_EQ(form.ComboBox1.Text(), "1");
        EXPECT_EQ(form.ComboBox2.Text() + form.ComboBox3.Text() + form.ComboBox4.Text(), "000");
        EXPECT_FALSE(form.RadioButton1.Checked());
        EXPECT_FALSE(form.RadioButton2.Checked());

        std::vector<HWND> order = Handles({&form.ComboBox1, dialog.start, dialog.cancel, &form.ComboBox2,
                                           &form.ComboBox3, &form.ComboBox4});
        if (&form == Form5)
            order.insert(order.begin(), Form5->Memo1.Handle());
        if (&form == Form7)
            order.insert(order.begin(), {Form7->Edit1.Handle(), Form7->Button1.Handle()});
        order.push_back(form.RadioButton1.Handle()); // the group's first, while neither is checked
        EXPECT_EQ(TabOrder(window), order) << "with no radio button checked";

        bool firstAfterSecond = true, secondStaysChecked = false;
        ShowModalWhile(form, [&] {
            Click(form.RadioButton2);
            order.back() = form.RadioButton2.Handle();
            EXPECT_EQ(TabOrder(window), order) << "with the time of day checked";
            Click(form.RadioButton1);
            firstAfterSecond = form.RadioButton1.Checked() && !form.RadioButton2.Checked();
            Click(form.RadioButton1); // once checked, a click leaves it checked
            Click(form.RadioButton2);
            Click(form.RadioButton2);
            secondStaysChecked = form.RadioButton2.Checked() && !form.RadioButton1.Checked();
            form.Close();
        });
        EXPECT_TRUE(firstAfterSecond);
        EXPECT_TRUE(secondStaysChecked);
    }
}

TEST_F(SetupDialogs, StartWithoutAChoiceOrAProgramShowsItsBoxesArmsNothingAndStaysOpen) {
    const std::wstring noChoice = L"请选择一种定时方式！", noProgram = L"请选择一个exe程序！";
    const Dialog launch = AllDialogs()[3];
    struct Case {
        Dialog dialog;
        const char* path; // the launch dialog's path box
        bool countdownChosen;
        std::vector<std::pair<std::wstring, std::wstring>> boxes; // caption, text
    };
    std::vector<Case> cases;
    for (const Dialog& dialog : AllDialogs())
        cases.push_back({dialog, "C:\\tool.exe", false, {{L"注意", noChoice}}});
    cases.push_back({launch, "", false, {{L"警告", noProgram}, {L"注意", noChoice}}});
    cases.push_back({launch, "   ", false, {{L"注意", noChoice}}}); // blanks are a path
    cases.push_back({launch, "", true, {{L"警告", noProgram}}}); // last: a choice cannot be undone

    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dialog.name) + " path '" + c.path + "'");
        const TaskTable before = TaskTable::Now();
        BoxCatcher boxes;
        const bool closed = PressStart(c.dialog, [&] {
            if (c.dialog.form == Form7)
                Form7->Edit1.SetText(c.path);
            if (c.countdownChosen)
                Click(c.dialog.form->RadioButton1);
        });
        EXPECT_FALSE(closed);
        EXPECT_EQ(TaskTable::Now(), before);
        ASSERT_EQ(boxes.Boxes().size(), c.boxes.size()) << Describe(boxes.Boxes());
        for (std::size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(boxes.Boxes()[i].caption, c.boxes[i].first);
            EXPECT_EQ(boxes.Boxes()[i].text, c.boxes[i].second);
            EXPECT_TRUE(boxes.Boxes()[i].errorIcon);
            EXPECT_EQ(boxes.Boxes()[i].owner, nullptr);
        }
    }
}

TEST_F(SetupDialogs, StartArmsTheChosenSlotWithItsValueOrRefusesAndWritesNothing) {
    enum Outcome { Armed, Refused, NotANumber };
    const struct {
        Trigger trigger;
        const char* texts[3]; // minutes; or hour, minute, second
        Outcome outcome;
        std::int32_t value;   // armed
        const wchar_t* text;  // the refusal, or the text that did not convert
    } cases[] = {
        {Trigger::Countdown, {"1"}, Armed, 60},
        {Trigger::Countdown, {"600"}, Armed, 36000},
        {Trigger::Countdown, {"0"}, Armed, 0},
        {Trigger::Countdown, {"-5"}, Armed, -300},
        {Trigger::Countdown, {"35791394"}, Armed, 2147483640},
        {Trigger::Countdown, {"-35791394"}, Armed, -2147483640},
        {Trigger::Countdown, {"35791395"}, Refused, 0, L"分钟数超出范围！"},
        {Trigger::Countdown, {"-35791395"}, Refused, 0, L"分钟数超出范围！"},
        {Trigger::Countdown, {"1.5"}, NotANumber, 0, L"1.5"},
        {Trigger::Countdown, {"abc"}, NotANumber, 0, L"abc"},
        {Trigger::Countdown, {""}, NotANumber, 0, L""},
        {Trigger::AtTime, {"23", "59", "59"}, Armed, 235959},
        {Trigger::AtTime, {"0", "0", "5"}, Armed, 5},
        // Once one code, now each its own time.
        {Trigger::AtTime, {"1", "11", "5"}, Armed, 11105},
        {Trigger::AtTime, {"11", "1", "5"}, Armed, 110105},
        {Trigger::AtTime, {"1", "1", "15"}, Armed, 10115},
        {Trigger::AtTime, {"1", "07", "0"}, Armed, 10700},
        {Trigger::AtTime, {"10", "7", "0"}, Armed, 100700},
        {Trigger::AtTime, {"-1", "30", "0"}, Refused, 0, L"请输入正确的时间！"},
        {Trigger::AtTime, {"1", "-5", "0"}, Refused, 0, L"请输入正确的时间！"},
        {Trigger::AtTime, {"24", "0", "0"}, Refused, 0, L"请输入正确的时间！"},
        {Trigger::AtTime, {"0", "60", "0"}, Refused, 0, L"请输入正确的时间！"},
        {Trigger::AtTime, {"0", "0", "60"}, Refused, 0, L"请输入正确的时间！"},
        {Trigger::AtTime, {"12", "abc", "0"}, NotANumber, 0, L"abc"},
        {Trigger::AtTime, {"12", "0", ""}, NotANumber, 0, L""},
    };
    const std::vector<Dialog> dialogs = AllDialogs();
    const std::string newPath = "C:\\新 程序\\tool.exe";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const Dialog& dialog = dialogs[i % dialogs.size()]; // every dialog takes every kind of case
        SetupDialog& form = *dialog.form;
        SCOPED_TRACE(std::string(dialog.name) + " with " + c.texts[0] + "|" + (c.texts[1] ? c.texts[1] : "") + "|" +
                     (c.texts[2] ? c.texts[2] : ""));
        ArmEverySlotAndStopTheTicks();
        TaskTable expected = TaskTable::Now();
        const int kind = static_cast<int>(dialog.kind);
        if (c.outcome == Armed) {
            if (c.trigger == Trigger::Countdown)
                expected.countdowns[kind] = {c.value, TaskArmed};
            else
                expected.atTimes[kind] = {c.value, TaskArmed};
            if (dialog.kind == TaskKind::Launch)
                (c.trigger == Trigger::Countdown ? expected.countdownPath : expected.atTimePath) = newPath;
        }

        BoxCatcher boxes;
        const bool closed = PressStart(dialog, [&] {
            if (dialog.kind == TaskKind::Launch)
                Form7->Edit1.SetText(newPath);
            if (c.trigger == Trigger::Countdown) {
                Click(form.RadioButton1);
                form.ComboBox1.SetText(c.texts[0]);
            } else {
                Click(form.RadioButton2);
                form.ComboBox2.SetText(c.texts[0]);
                form.ComboBox3.SetText(c.texts[1]);
                form.ComboBox4.SetText(c.texts[2]);
            }
        });
        EXPECT_EQ(closed, c.outcome == Armed);
        EXPECT_EQ(TaskTable::Now(), expected);
        ASSERT_EQ(boxes.Boxes().size(), 1u) << Describe(boxes.Boxes());
        const CaughtBox& box = boxes.Boxes()[0];
        switch (c.outcome) {
        case Armed:
            EXPECT_EQ(box.caption, L"注意");
            EXPECT_EQ(box.text, dialog.confirmation);
            EXPECT_TRUE(box.informationIcon);
            EXPECT_EQ(box.owner, nullptr);
            break;
        case Refused:
            EXPECT_EQ(box.caption, L"注意");
            EXPECT_EQ(box.text, c.text);
            EXPECT_TRUE(box.errorIcon);
            EXPECT_EQ(box.owner, nullptr);
            break;
        case NotANumber: // the error report
            EXPECT_EQ(box.caption, App().Title());
            EXPECT_EQ(box.text, L"'" + std::wstring(c.text) + L"' is not a valid integer value.");
            EXPECT_TRUE(box.errorIcon);
            EXPECT_EQ(box.owner, App().Handle());
            break;
        }
    }
}

TEST_F(SetupDialogs, TheReminderTextGoesToTheReminderWindowOnlyWhenASlotIsArmed) {
    const Dialog reminder = AllDialogs()[2];
    Form6->Memo1.SetText("earlier text");
    const struct {
        const char* minutes;
        const char* typed;
        bool armed;
    } cases[] = {
        {"abc", "不会交出", false},
        {"99999999", "也不会交出", false},
        {"10", "该开会了\r\n三楼会议室", true},
        {"5", "", true}, // an empty text is handed on too
    };
    std::string expectedWindowText = "earlier text";
    BoxCatcher boxes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minutes);
        EXPECT_EQ(PressStart(reminder, [&] {
                      Form5->Memo1.SetText(c.typed);
                      Click(Form5->RadioButton1);
                      Form5->ComboBox1.SetText(c.minutes);
                  }),
                  c.armed);
        if (c.armed)
            expectedWindowText = c.typed;
        EXPECT_EQ(Form6->Memo1.Text(), expectedWindowText);
        EXPECT_EQ(Form5->Memo1.Text(), c.armed ? "" : c.typed);
    }
    // The time of day hands it on the same way, replacing the text for both reminder slots.
    PressStart(reminder, [&] {
        Form5->Memo1.SetText("午饭");
        Click(Form5->RadioButton2);
        Form5->ComboBox2.SetText("12");
    });
    EXPECT_EQ(Form6->Memo1.Text(), "午饭");
    EXPECT_EQ(ReminderAtTime.TargetCode, 120000);
    EXPECT_EQ(Form5->Memo1.Text(), "");
}

TEST_F(SetupDialogs, BrowseReplacesThePathEvenWhenCancelledAndAFailedStartKeepsTheArmedPath) {
    const Dialog launch = AllDialogs()[3];
    const std::wstring chosen = L"C:\\程序 文件夹\\chosen.exe";
    const struct {
        const char* typed;
        std::wstring answer; // empty: cancel
        std::string path;    // in the box afterwards
    } browses[] = {
        {"C:\\typed.exe", L"", ""},                        // nothing ever confirmed: emptied
        {"C:\\typed.exe", chosen, tk::Narrow(chosen)},     // confirmed
        {"C:\\other.exe", L"", tk::Narrow(chosen)},        // cancelled: the earlier confirmation
    };
    for (const auto& browse : browses) {
        SCOPED_TRACE(browse.typed);
        std::string path;
        ShowModalWhile(*Form7, [&] {
            Form7->Edit1.SetText(browse.typed);
            AnswerOpenDialog(browse.answer);
            Click(Form7->Button1);
            path = Form7->Edit1.Text();
            Form7->Close();
        });
        EXPECT_EQ(path, browse.path);
    }

    // An armed launch keeps its value, state and path when a later start fails to convert.
    BoxCatcher boxes;
    PressStart(launch, [&] {
        Click(Form7->RadioButton1);
        Form7->ComboBox1.SetText("3");
    });
    EXPECT_EQ(LaunchCountdownPath, tk::Narrow(chosen));
    const TaskTable armed = TaskTable::Now();
    EXPECT_FALSE(PressStart(launch, [&] {
        Form7->Edit1.SetText("C:\\new.exe");
        Form7->ComboBox1.SetText("3 minutes");
    }));
    EXPECT_EQ(TaskTable::Now(), armed);
    EXPECT_EQ(boxes.Boxes().size(), 2u) << Describe(boxes.Boxes());
}

TEST_F(SetupDialogs, KeepTheirContentsAndPlaceAcrossOpeningsAndCancelArmsNothing) {
    int index = 0;
    for (const Dialog& dialog : AllDialogs()) {
        SetupDialog& form = *dialog.form;
        SCOPED_TRACE(dialog.name);
        HWND window = form.EnsureHandle();
        const TaskTable before = TaskTable::Now();
        const POINT moved{40 + 10 * index++, 50};

        RECT first{};
        ShowModalWhile(form, [&] {
            first = WindowRect(window);
            Click(form.RadioButton2);
            form.ComboBox1.SetText("45");
            form.ComboBox2.SetText("7");
            form.ComboBox3.SetText("8");
            form.ComboBox4.SetText("9");
            if (&form == Form5) Form5->Memo1.SetText("记得");
            if (&form == Form7) Form7->Edit1.SetText("C:\\tool.exe");
            SetWindowPos(window, nullptr, moved.x, moved.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            Click(*dialog.cancel);
        });
        const int width = first.right - first.left, height = first.bottom - first.top;
        EXPECT_EQ(first.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2); // centred the first time
        EXPECT_EQ(first.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
        EXPECT_FALSE(IsWindowVisible(window));
        EXPECT_EQ(TaskTable::Now(), before);

        // Reopened where it was left, as it was left; the close box cancels too.
        const auto contents = [&] {
            return std::to_string(form.RadioButton1.Checked()) + std::to_string(form.RadioButton2.Checked()) + " " +
                   form.ComboBox1.Text() + " " + form.ComboBox2.Text() + ":" + form.ComboBox3.Text() + ":" +
                   form.ComboBox4.Text() + (&form == Form5 ? " " + Form5->Memo1.Text() : "") +
                   (&form == Form7 ? " " + Form7->Edit1.Text() : "");
        };
        const std::string left = contents();
        std::string reopened;
        RECT second{};
        ShowModalWhile(form, [&] {
            second = WindowRect(window);
            reopened = contents();
            SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        ExpectBounds(second, moved.x, moved.y, width, height, "reopened");
        EXPECT_EQ(reopened, left);
        EXPECT_EQ(TaskTable::Now(), before);

        // After a successful start only the reminder's text box is emptied.
        BoxCatcher boxes;
        EXPECT_TRUE(PressStart(dialog));
        EXPECT_EQ(AtTimeSlotOf(dialog.kind).TargetCode, 70809);
        std::string afterStart;
        ShowModalWhile(form, [&] {
            afterStart = contents();
            form.Close();
        });
        EXPECT_EQ(afterStart, &form == Form5 ? "01 45 7:8:9 " : left);
    }
}

TEST_F(SetupDialogs, AStartPressedWhileTheConfirmationShowsArmsAgainFromTheBoxesAsTheyAreThen) {
    // The confirmation has no owner, so the dialog behind it still takes clicks. When the first
    // confirmation comes up, the user changes the minutes and presses start again.
    static int confirmations = 0;
    static CountdownSlot armedWhileConfirming;
    confirmations = 0;
    BoxCatcher boxes; // hooked before the hook below, which therefore sees each box first
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_ACTIVATE && IsPlatformDialog(reinterpret_cast<HWND>(wParam)) && ++confirmations == 1) {
                armedWhileConfirming = AlarmCountdown;
                Form2->ComboBox1.SetText("5");
                PostMessageW(Form2->Button1.Handle(), BM_CLICK, 0, 0); // ahead of the box's OK
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    const bool closed = PressStart(AllDialogs()[0], [] {
        Click(Form2->RadioButton1);
        Form2->ComboBox1.SetText("1");
    });
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(closed);
    EXPECT_EQ(armedWhileConfirming.SecondsLeft, 60); // armed before its confirmation showed
    EXPECT_EQ(armedWhileConfirming.State, TaskArmed);
    EXPECT_EQ(AlarmCountdown.SecondsLeft, 300);      // then again, nested, from the new text
    EXPECT_EQ(AlarmCountdown.State, TaskArmed);
    ASSERT_EQ(boxes.Boxes().size(), 2u) << Describe(boxes.Boxes());
    EXPECT_EQ(boxes.Boxes()[0].text, L"闹钟定时已开始！");
    EXPECT_EQ(boxes.Boxes()[1].text, L"闹钟定时已开始！");
    EXPECT_FALSE(IsWindowVisible(Form2->EnsureHandle()));
}
