// Hostile input through the real setup dialogs: every text field of the four dialogs takes the
// same table of awkward texts, and each start either arms the slot with the right value or
// refuses with the right box, never writes half a slot, and leaves armed slots as they were.
#include <windows.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "SetupDriver.h"
#include "Support.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "toolkit/Text.h"

using namespace testsupport;
using namespace setupdriver;

namespace {

struct Hostile {
    const char* name;
    std::wstring text;
    std::optional<std::int32_t> number; // what the conversion makes of it; none: not a number
    bool typed = false;                  // typed key by key rather than pasted whole
    std::wstring shown = text;           // as the program reads it back from the box

    // A 10,000-character text costs half a second in each box under Wine: those run in one
    // dialog per role of box rather than in all four.
    bool Long() const { return text.size() >= 10000; }
};

const std::wstring kPathWithQuotes = L"\"C:\\Program Files\\工具\\run.exe\" --now";
const std::wstring kLongPath = L"C:\\" + std::wstring(292, L'a') + L".exe"; // 300 characters

const std::vector<Hostile>& HostileInputs() {
    static const std::vector<Hostile> inputs{
        {"empty", L"", std::nullopt},
        {"blanks only", L"   ", std::nullopt},
        {"a tab", L"\t", std::nullopt},
        {"full-width digits", L"１２", std::nullopt},
        {"leading blanks", L"  12", 12},
        {"trailing blank", L"12 ", std::nullopt},
        {"minus zero", L"-0", 0},
        {"plus five", L"+5", 5},
        {"a lone dollar", L"$", std::nullopt},
        {"a lone 0x", L"0x", std::nullopt},
        {"hex after x", L"x1F", 31},
        {"largest, in hex", L"$7FFFFFFF", std::numeric_limits<std::int32_t>::max()},
        {"smallest", L"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"one past the largest", L"2147483648", std::nullopt},
        {"10,000 digits", std::wstring(10000, L'9'), std::nullopt},
        {"10,000 digits, all but one leading zeros", std::wstring(9999, L'0') + L"7", 7},
        {"control characters", L"1\x07\x1B", std::nullopt},
        {"a lone surrogate, typed", L"\xD800", std::nullopt, true, L"\xFFFD"},
        {"Chinese text", L"十二点", std::nullopt},
        {"format directives", L"%s%n%d", std::nullopt},
        {"a path with quotes", kPathWithQuotes, std::nullopt},
        {"a path of 300 characters", kLongPath, std::nullopt},
    };
    return inputs;
}

// Puts the text into the box: pasted as a whole, or typed into its edit field key by key.
void Enter(const tk::WinControl& box, const Hostile& input) {
    SetWindowTextW(box.Handle(), input.typed ? L"" : input.text.c_str());
    if (!input.typed)
        return;
    COMBOBOXINFO combo{sizeof combo};
    HWND field = GetComboBoxInfo(box.Handle(), &combo) ? combo.hwndItem : box.Handle();
    for (wchar_t c : input.text)
        SendMessageW(field, WM_CHAR, c, 1);
}

std::wstring NotANumber(const std::wstring& shown) { return L"'" + shown + L"' is not a valid integer value."; }

// The field of a dialog that takes the hostile text, and what a start then must do.
struct Field {
    const char* name;
    const tk::WinControl& box;
    Trigger trigger;
    // The armed value for a text that converts to `n`; none: refused with `refusal`.
    std::optional<std::int32_t> (*armedValue)(std::int32_t n);
    const wchar_t* refusal;
};

std::optional<std::int32_t> MinutesValue(std::int32_t n) {
    const std::int64_t seconds = std::int64_t{n} * 60;
    if (seconds < std::numeric_limits<std::int32_t>::min() || seconds > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(seconds);
}
// The other two boxes hold 12 (hour) or 0 (minute, second).
std::optional<std::int32_t> HourValue(std::int32_t n) {
    return n >= 0 && n <= 23 ? std::optional(TimeCode(n, 0, 0)) : std::nullopt;
}
std::optional<std::int32_t> MinuteValue(std::int32_t n) {
    return n >= 0 && n <= 59 ? std::optional(TimeCode(12, n, 0)) : std::nullopt;
}
std::optional<std::int32_t> SecondValue(std::int32_t n) {
    return n >= 0 && n <= 59 ? std::optional(TimeCode(12, 0, n)) : std::nullopt;
}

class HostileInput : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ArmEverySlotAndStopTheTicks();
    }

    // One start with the dialog's boxes in their good state except what `enter` puts in. The
    // dialog is shown already; it is kept open for the next start.
    std::vector<CaughtBox> StartWith(const Dialog& dialog, Trigger trigger, const std::function<void()>& enter) {
        SetupDialog& form = *dialog.form;
        form.ComboBox1.SetText("1");
        form.ComboBox2.SetText("12");
        form.ComboBox3.SetText("0");
        form.ComboBox4.SetText("0");
        if (&form == Form7)
            Form7->Edit1.SetText("C:\\tool.exe");
        if (&form == Form5)
            Form5->Memo1.SetText("text");
        Click(trigger == Trigger::Countdown ? form.RadioButton1 : form.RadioButton2);
        enter();
        BoxCatcher boxes;
        form.ModalResult = 0;
        Click(*dialog.start);
        return boxes.Boxes();
    }
};

} // namespace

TEST_F(HostileInput, EveryComboBoxArmsTheRightValueOrRefusesAndWritesNothing) {
    // Some 20 s alone, near the default 30 when the machine is busy: hundreds of starts, each
    // with its box.
    StartWatchdog(50);
    const std::vector<Dialog> dialogs = AllDialogs();
    for (std::size_t d = 0; d < dialogs.size(); ++d) {
        const Dialog& dialog = dialogs[d];
        SetupDialog& form = *dialog.form;
        const Field fields[] = {
            {"minutes", form.ComboBox1, Trigger::Countdown, MinutesValue, L"分钟数超出范围！"},
            {"hour", form.ComboBox2, Trigger::AtTime, HourValue, L"请输入正确的时间！"},
            {"minute", form.ComboBox3, Trigger::AtTime, MinuteValue, L"请输入正确的时间！"},
            {"second", form.ComboBox4, Trigger::AtTime, SecondValue, L"请输入正确的时间！"},
        };
        ShowModalWhile(form, [&] {
            for (const Field& field : fields) {
                for (const Hostile& input : HostileInputs()) {
                    if (input.Long() && &field - fields != static_cast<std::ptrdiff_t>(d))
                        continue;
                    SCOPED_TRACE(std::string(dialog.name) + " " + field.name + ": " + input.name);
                            ArmEverySlotAndStopTheTicks();
                    TaskTable expected = TaskTable::Now();
                    const std::optional<std::int32_t> value =
                        input.number ? field.armedValue(*input.number) : std::nullopt;
                    const int kind = static_cast<int>(dialog.kind);
                    if (value && field.trigger == Trigger::Countdown)
                        expected.countdowns[kind] = {*value, TaskArmed};
                    if (value && field.trigger == Trigger::AtTime)
                        expected.atTimes[kind] = {*value, TaskArmed};
                    if (value && dialog.kind == TaskKind::Launch)
                        (field.trigger == Trigger::Countdown ? expected.countdownPath : expected.atTimePath) =
                            "C:\\tool.exe";

                    const auto boxes = StartWith(dialog, field.trigger, [&] { Enter(field.box, input); });
                    EXPECT_EQ(TaskTable::Now(), expected);
                    EXPECT_EQ(form.ModalResult != 0, value.has_value()) << "closed";
                    ASSERT_EQ(boxes.size(), 1u) << Describe(boxes);
                    const CaughtBox& box = boxes[0];
                    if (value) {
                        EXPECT_EQ(box.text, dialog.confirmation);
                    } else if (input.number) {
                        EXPECT_EQ(box.text, field.refusal);
                        EXPECT_EQ(box.caption, L"注意");
                    } else {
                        // The report shows the whole text; the catcher reads its first 1023 characters.
                        const std::wstring report = NotANumber(input.shown);
                        EXPECT_EQ(box.text, report.substr(0, box.text.size()));
                        EXPECT_GE(box.text.size(), std::min<std::size_t>(report.size(), 1000));
                        EXPECT_EQ(box.caption, App().Title());
                    }
                    EXPECT_TRUE(value ? box.informationIcon : box.errorIcon);
                }
            }
            form.Close();
        });
    }
}

TEST_F(HostileInput, AnyReminderTextAndAnyPathAreHandedOnAsTheyAreAndOnlyAnEmptyPathIsRefused) {
    const Dialog reminder = AllDialogs()[2], launch = AllDialogs()[3];
    ShowModalWhile(*Form5, [&] {
        for (Hostile input : HostileInputs()) {
            SCOPED_TRACE(std::string("reminder text: ") + input.name);
            // Wine's text box takes some twelve seconds to wrap 10,000 characters without a
            // break, so the memo gets them in lines of 100.
            if (input.Long()) {
                for (std::size_t at = 100; at < input.text.size(); at += 102)
                    input.text.insert(at, L"\r\n");
                input.shown = input.text;
            }
            Form6->Memo1.SetText("earlier");
            const auto boxes = StartWith(reminder, Trigger::Countdown, [&] { Enter(Form5->Memo1, input); });
            EXPECT_EQ(Form6->Memo1.Text(), tk::Narrow(input.shown));
            EXPECT_EQ(Form5->Memo1.Text(), "");
            EXPECT_EQ(ReminderCountdown.SecondsLeft, 60);
            EXPECT_EQ(ReminderCountdown.State, TaskArmed);
            ASSERT_EQ(boxes.size(), 1u) << Describe(boxes);
            EXPECT_EQ(boxes[0].text, reminder.confirmation);
        }
        Form5->Close();
    });
    ShowModalWhile(*Form7, [&] {
        for (const Hostile& input : HostileInputs()) {
            SCOPED_TRACE(std::string("path: ") + input.name);
            ArmEverySlotAndStopTheTicks();
            TaskTable expected = TaskTable::Now();
            const bool empty = input.text.empty();
            if (!empty) {
                expected.atTimes[static_cast<int>(TaskKind::Launch)] = {TimeCode(12, 0, 0), TaskArmed};
                expected.atTimePath = tk::Narrow(input.shown);
            }
            const auto boxes = StartWith(launch, Trigger::AtTime, [&] { Enter(Form7->Edit1, input); });
            EXPECT_EQ(TaskTable::Now(), expected);
            ASSERT_EQ(boxes.size(), 1u) << Describe(boxes);
            EXPECT_EQ(boxes[0].text, empty ? L"请选择一个exe程序！" : launch.confirmation);
        }
        Form7->Close();
    });
}
