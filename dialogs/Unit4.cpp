#include "dialogs/Unit4.h"

namespace {
const tk::FormLayout kLayout{
    .caption = "关于软件",
    .bounds = {0, 0, 258, 209},
    .border = tk::BorderStyle::Dialog,
    .stayOnTop = true,
};
} // namespace

TForm4::TForm4(tk::Application& application) : Form(application, kLayout) {}
