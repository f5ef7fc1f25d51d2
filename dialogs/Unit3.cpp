#include "dialogs/Unit3.h"

namespace {
const tk::FormLayout kLayout{
    .caption = "自动关机",
    .bounds = {0, 0, 211, 223},
    .border = tk::BorderStyle::ToolWindow,
    .stayOnTop = true,
};
} // namespace

TForm3::TForm3(tk::Application& application) : Form(application, kLayout) {}
