#include "dialogs/Unit6.h"

namespace {
const tk::FormLayout kLayout{
    .caption = "消息提醒",
    .bounds = {0, 0, 250, 309},
    .border = tk::BorderStyle::ToolWindow,
    .stayOnTop = true,
};
} // namespace

TForm6::TForm6(tk::Application& application) : Form(application, kLayout) {}
