#include "dialogs/SetupDialog.h"

#include <string>
#include <vector>

#include "core/Convert.h"
#include "core/SetupInput.h"
#include "platform/MessageBoxes.h"

namespace {

constexpr char kCaution[] = "注意";

std::vector<std::string> WholeNumbers(int first, int last) {
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(IntegerToText(n));
    return numbers;
}

const std::vector<std::string> kMinuteChoices{"1", "5", "10", "30", "60", "120", "240", "480", "600"};

} // namespace

SetupDialog::SetupDialog(tk::Application& application, const tk::FormLayout& layout,
                         const SetupDescription& description, SetupExtras extras)
    : Form(application, layout),
      RadioButton1(*this, description.Places.Countdown, description.CountdownCaption, &kSongTi12),
      ComboBox1(*this, description.Places.Minutes, kMinuteChoices, "1"),
      Label1(*this, description.Places.MinutesUnit, kSongTi12, "分钟后"),
      RadioButton2(*this, description.Places.AtTime, description.AtTimeCaption, &kSongTi12),
      ComboBox2(*this, description.Places.Hour, WholeNumbers(0, 23), "0"),
      Label2(*this, description.Places.HourUnit, kSongTi12, "时"),
      ComboBox3(*this, description.Places.Minute, WholeNumbers(0, 59), "0"),
      Label3(*this, description.Places.MinuteUnit, kSongTi12, "分"),
      ComboBox4(*this, description.Places.Second, WholeNumbers(0, 59), "0"),
      Label4(*this, description.Places.SecondUnit, kSongTi12, "秒"),
      description_(description), extras_(extras) {
    // Each box is read by the unit that follows it.
    ComboBox1.LabelledBy(Label1);
    ComboBox2.LabelledBy(Label2);
    ComboBox3.LabelledBy(Label3);
    ComboBox4.LabelledBy(Label4);
}

void SetupDialog::Start() {
    if (extras_.Path && extras_.Path->Text().empty()) {
        // Only the no-choice box below can still follow.
        ShowMessage("警告", "请选择一个exe程序！", ErrorIcon);
    } else {
        // The radio buttons are read afresh for each block: the confirmation box of the first
        // waits in a message loop where the user may still switch them.
        if (RadioButton1.Checked() && !Arm(Trigger::Countdown))
            return;
        if (RadioButton2.Checked() && !Arm(Trigger::AtTime))
            return;
    }
    if (!RadioButton1.Checked() && !RadioButton2.Checked())
        ShowMessage(kCaution, "请选择一种定时方式！", ErrorIcon);
}

bool SetupDialog::Arm(Trigger trigger) {
    // Everything is converted and checked before the first write, so a refusal or a conversion
    // error leaves an armed slot of this kind, its value and its path, as they were.
    const SlotValue input = trigger == Trigger::Countdown
                                ? CountdownSeconds(ComboBox1.Text())
                                : TimeOfDayCode(ComboBox2.Text(), ComboBox3.Text(), ComboBox4.Text());
    if (input.Refusal) {
        ShowMessage(kCaution, input.Refusal, ErrorIcon);
        return false;
    }
    // The door writes the path and the value, hands the reminder's text over, then arms the slot.
    ArmingSteps steps;
    if (extras_.Path)
        steps.LaunchPath = extras_.Path->Text();
    if (extras_.ReminderText)
        steps.BeforeArmed = [this] { reminderWindowText_->SetText(extras_.ReminderText->Text()); };
    if (trigger == Trigger::Countdown)
        ArmCountdown(description_.Kind, input.Value, steps);
    else
        ArmAtTime(description_.Kind, input.Value, steps);
    if (extras_.ReminderText)
        extras_.ReminderText->SetText("");
    // The box has no owner: the slot already counts while it shows, and the dialog stays usable.
    ShowMessage(kCaution, description_.Confirmation, InformationIcon);
    Close();
    return true;
}
