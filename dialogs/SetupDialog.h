// The shape the four setup dialogs share: a countdown of minutes or a time of day, each chosen
// with a radio button, and a start button that checks the input, arms the chosen slot of the
// dialog's kind, confirms and closes. SetupDialog holds the shared controls and the start
// algorithm; each dialog adds its places, texts, buttons and extras.
#pragma once

#include "core/Scheduler.h"
#include "dialogs/DialogStyle.h"
#include "toolkit/DrawnControls.h"
#include "toolkit/Form.h"
#include "toolkit/WindowedControls.h"

// Where the shared controls sit, at 96 dpi. Labels size themselves to their text, so only their
// left and top count.
struct SetupPlaces {
    tk::Bounds Countdown;   // RadioButton1
    tk::Bounds Minutes;     // ComboBox1
    tk::Bounds MinutesUnit; // "分钟后"
    tk::Bounds AtTime;      // RadioButton2
    tk::Bounds Hour;        // ComboBox2
    tk::Bounds HourUnit;    // "时"
    tk::Bounds Minute;      // ComboBox3
    tk::Bounds MinuteUnit;  // "分"
    tk::Bounds Second;      // ComboBox4
    tk::Bounds SecondUnit;  // "秒"
};

// What sets one setup dialog apart; static data of its unit.
struct SetupDescription {
    TaskKind Kind;                // arms CountdownSlotOf(Kind) or AtTimeSlotOf(Kind)
    const char* CountdownCaption; // RadioButton1
    const char* AtTimeCaption;    // RadioButton2
    const char* Confirmation;     // the box once a slot is armed
    SetupPlaces Places;
};

// The controls of a dialog's own that the start algorithm also uses.
struct SetupExtras {
    // The launch dialog's path box: it must not be empty, and it becomes the armed slot's path.
    const tk::Edit* Path = nullptr;
    // The reminder dialog's text box: its text becomes the reminder window's, then it is emptied.
    tk::Memo* ReminderText = nullptr;
};

class SetupDialog : public tk::Form {
public:
    tk::RadioButton RadioButton1; // countdown
    tk::ComboBox ComboBox1;       // minutes
    tk::Label Label1;
    tk::RadioButton RadioButton2; // time of day
    tk::ComboBox ComboBox2;       // hour
    tk::Label Label2;
    tk::ComboBox ComboBox3;       // minute
    tk::Label Label3;
    tk::ComboBox ComboBox4;       // second
    tk::Label Label4;

protected:
    // `extras` may point at members of the derived dialog that are not built yet.
    SetupDialog(tk::Application& application, const tk::FormLayout& layout, const SetupDescription& description,
                SetupExtras extras = {});

    // The start button. In one pass: the launch dialog's path check; the countdown, if chosen;
    // the time of day, if chosen; the no-choice box, if neither is. A text that does not convert
    // raises EConvertError and ends the pass; input that converts but is refused shows a box and
    // ends it. Either way nothing has been written and the dialog stays open.
    void Start();
    // The cancel button: closes and changes nothing.
    void Cancel() { Close(); }
    // Where the reminder dialog's text goes when it arms: the reminder window's text box. That
    // window is made after the dialogs, so it is handed over then.
    void HandReminderTextTo(tk::Memo& reminderWindowText) { reminderWindowText_ = &reminderWindowText; }

private:
    // Arms the slot of `trigger` from the boxes, confirms and asks to close; false when the input
    // was refused and nothing was written.
    bool Arm(Trigger trigger);

    const SetupDescription& description_;
    SetupExtras extras_;
    tk::Memo* reminderWindowText_ = nullptr;
};
