#include "dialogs/Unit4.h"

#include <string>

#include "BuildConfig.h"
#include "dialogs/DialogStyle.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "关于软件",
    .Bounds96 = {0, 0, 258, 209},
    .Border = tk::BorderStyle::Dialog,
    .StayOnTop = true,
    .Color = CLR_INVALID, // the button face
    .Font = {L"MS Sans Serif", 11},
    .AccessibleDialog = true,
};

constexpr tk::Bounds kFrame{8, 8, 241, 155};

} // namespace

TForm4::TForm4(tk::Application& application)
    : Form(application, kLayout),
      GroupBox1(*this, kFrame),
      Image1(*this, GroupBox1.Inside({13, 15, 48, 48}), L"MAINICON"),
      Label1(*this, GroupBox1.Inside(LabelAt(80, 24)), kSongTi14, "Vandrel定时关机"),
      Label2(*this, GroupBox1.Inside(LabelAt(80, 40)), kSongTi14, std::string("版本：") + build::kVersion),
      Label3(*this, GroupBox1.Inside(LabelAt(8, 80)), kSongTi14, std::string("网站主页：") + build::kHomePage),
      Label4(*this, GroupBox1.Inside(LabelAt(8, 104)), kSongTi14, std::string("客服邮箱：") + build::kSupportEmail),
      Label5(*this, GroupBox1.Inside(LabelAt(8, 128)), kSongTi14, std::string("客服电话：") + build::kSupportPhone),
      Button1(*this, {168, 176, 75, 25}, "确定", &kSongTi12) {
    Button1.OnClick = [this] { Button1Click(); };
    Image1.AccessibleName = "程序图标";
}

void TForm4::Button1Click() { Close(); }
