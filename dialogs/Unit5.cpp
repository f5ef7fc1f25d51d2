#include "dialogs/Unit5.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "定时消息",
    .Bounds96 = {0, 0, 234, 371},
    .Border = tk::BorderStyle::ToolWindow,
    .StayOnTop = true,
    .Color = RGB(255, 255, 255),
    .AccessibleDialog = true,
};

const SetupDescription kDescription{
    .Kind = TaskKind::Reminder,
    .CountdownCaption = "消息提醒倒计时",
    .AtTimeCaption = "定时消息提醒",
    .Confirmation = "定时消息提醒已开始！",
    // The countdown row, then the time-of-day row.
    .Places = {{8, 24, 113, 17}, {8, 48, 137, 21}, LabelAt(151, 56),
               {8, 88, 113, 17}, {8, 112, 37, 21}, LabelAt(48, 120),
               {72, 112, 37, 21}, LabelAt(112, 120), {136, 112, 37, 21}, LabelAt(176, 120)},
};

} // namespace

TForm5::TForm5(tk::Application& application)
    : SetupDialog(application, kLayout, kDescription, {.ReminderText = &Memo1}),
      Label5(*this, LabelAt(9, 168), kSongTi12, "提醒内容"),
      Memo1(*this, {8, 184, 217, 129}),
      Button1(*this, {104, 336, 57, 25}, "确定", &kSongTi12),
      Button2(*this, {168, 336, 57, 25}, "取消", &kSongTi12) {
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Memo1.LabelledBy(Label5);
}

void TForm5::CreateWnd() {
    SetupDialog::CreateWnd();
    tk::ArrangeTabOrder({&Memo1, &ComboBox1, &Button1, &Button2, &ComboBox2, &ComboBox3, &ComboBox4, &RadioButton1,
                         &RadioButton2});
}
