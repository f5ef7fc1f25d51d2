#include "dialogs/Unit7.h"

namespace {
const tk::FormLayout kLayout{
    .caption = "定时开启",
    .bounds = {0, 0, 231, 315},
    .border = tk::BorderStyle::ToolWindow,
    .stayOnTop = true,
};
} // namespace

TForm7::TForm7(tk::Application& application) : Form(application, kLayout) {}
