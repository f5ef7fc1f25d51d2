#include "dialogs/Unit7.h"

namespace {

tk::FormLayout Layout() {
    return {
        .Caption = "定时开启",
        .Bounds96 = {0, 0, 231, 315},
        .Border = tk::BorderStyle::ToolWindow,
        .StayOnTop = true,
        .Color = GetSysColor(COLOR_BTNHIGHLIGHT),
        .AccessibleDialog = true,
    };
}

const tk::FontSpec kBlueText{L"宋体", 12, false, GB2312_CHARSET, RGB(0, 0, 255)};

const SetupDescription kDescription{
    .Kind = TaskKind::Launch,
    .CountdownCaption = "开启倒计时",
    .AtTimeCaption = "定时开启",
    .Confirmation = "定时打开程序已开始！",
    // The countdown row, then the time-of-day row.
    .Places = {{16, 64, 113, 17}, {16, 88, 145, 21}, LabelAt(168, 96),
               {16, 136, 113, 17}, {16, 160, 36, 21}, LabelAt(56, 168),
               {88, 160, 36, 21}, LabelAt(128, 168), {152, 160, 36, 21}, LabelAt(192, 168)},
};

} // namespace

TForm7::TForm7(tk::Application& application)
    : SetupDialog(application, Layout(), kDescription, {.Path = &Edit1}),
      Label5(*this, LabelAt(16, 8), kBlueText, "此功能将按照你所设定的时间自动"),
      Label6(*this, LabelAt(16, 24), kBlueText, "运行您所选择的硬盘上的一个程序"),
      Label7(*this, LabelAt(16, 216), kSongTi12, "程序路径"),
      Edit1(*this, {16, 232, 145, 21}),
      Button1(*this, {168, 232, 47, 21}, "选择", &kSongTi12),
      Button2(*this, {96, 272, 57, 25}, "开始", &kSongTi12),
      Button3(*this, {160, 272, 57, 25}, "取消", &kSongTi12) {
    OpenDialog1.Filter = "应用程序|*.exe";
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Edit1.LabelledBy(Label7);
}

// Whatever the user did in the open-file dialog, its file name replaces the path box: after a
// cancel that is the file confirmed at an earlier browse, or nothing.
void TForm7::Button1Click() {
    OpenDialog1.Execute();
    Edit1.SetText(OpenDialog1.FileName);
}

void TForm7::CreateWnd() {
    SetupDialog::CreateWnd();
    tk::ArrangeTabOrder({&Edit1, &Button1, &ComboBox1, &Button2, &Button3, &ComboBox2, &ComboBox3, &ComboBox4,
                         &RadioButton1, &RadioButton2});
}
