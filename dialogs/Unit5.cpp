#include "dialogs/Unit5.h"

namespace {
const tk::FormLayout kLayout{
    .caption = "定时消息",
    .bounds = {0, 0, 234, 371},
    .border = tk::BorderStyle::ToolWindow,
    .stayOnTop = true,
};
} // namespace

TForm5::TForm5(tk::Application& application) : Form(application, kLayout) {}
