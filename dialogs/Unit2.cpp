#include "dialogs/Unit2.h"

namespace {
const tk::FormLayout kLayout{
    .caption = "闹钟设置",
    .bounds = {0, 0, 210, 202},
    .border = tk::BorderStyle::ToolWindow,
    .stayOnTop = true,
};
} // namespace

TForm2::TForm2(tk::Application& application) : Form(application, kLayout) {}
