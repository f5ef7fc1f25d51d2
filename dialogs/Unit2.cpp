#include "dialogs/Unit2.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "闹钟设置",
    .Bounds96 = {0, 0, 210, 202},
    .Border = tk::BorderStyle::ToolWindow,
    .StayOnTop = true,
    .Color = RGB(255, 255, 255),
    .AccessibleDialog = true,
};

const SetupDescription kDescription{
    .kind = TaskKind::Alarm,
    .countdownCaption = "闹钟倒计时",
    .atTimeCaption = "闹钟定时",
    .confirmation = "闹钟定时已开始！",
    // The countdown row, then the time-of-day row.
    .places = {{8, 24, 113, 17}, {8, 48, 145, 21}, LabelAt(154, 56),
               {8, 88, 113, 17}, {8, 112, 37, 21}, LabelAt(48, 120),
               {72, 112, 37, 21}, LabelAt(112, 120), {136, 112, 37, 21}, LabelAt(176, 120)},
};

} // namespace

TForm2::TForm2(tk::Application& application)
    : SetupDialog(application, kLayout, kDescription),
      Button1(*this, {80, 168, 57, 25}, "开始", &kSongTi12),
      Button2(*this, {144, 168, 57, 25}, "取消", &kSongTi12) {
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
}

void TForm2::CreateWnd() {
    SetupDialog::CreateWnd();
    tk::ArrangeTabOrder({&ComboBox1, &Button1, &Button2, &ComboBox2, &ComboBox3, &ComboBox4, &RadioButton1,
                         &RadioButton2});
}
