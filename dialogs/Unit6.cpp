#include "dialogs/Unit6.h"

#include "dialogs/DialogStyle.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "消息提醒",
    .Bounds96 = {0, 0, 250, 309},
    .Border = tk::BorderStyle::ToolWindow,
    .StayOnTop = true,
    .Color = RGB(255, 255, 255),
    .Font = {L"MS Sans Serif", 11},
    .AccessibleDialog = true,
};

} // namespace

TForm6::TForm6(tk::Application& application)
    : Form(application, kLayout),
      Label1(*this, {17, 48, 48, 12}, kSongTi12, "提醒内容"),
      Image1(*this, {192, 16, 32, 32}, L"WARNING"),
      // The text box starts as a single empty line; arming a reminder replaces it.
      Memo1(*this, {16, 64, 217, 177}),
      Button1(*this, {160, 272, 75, 25}, "关闭", &kSongTi12) {
    Button1.OnClick = [this] { Button1Click(); };
    Image1.AccessibleName = "警告";
    Memo1.LabelledBy(Label1);
}

void TForm6::Button1Click() { Close(); }
