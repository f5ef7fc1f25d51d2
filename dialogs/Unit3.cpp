#include "dialogs/Unit3.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "自动关机",
    .Bounds96 = {0, 0, 211, 223},
    .Border = tk::BorderStyle::ToolWindow,
    .StayOnTop = true,
    .Color = RGB(255, 255, 255),
    .AccessibleDialog = true,
};

const SetupDescription kDescription{
    .Kind = TaskKind::Shutdown,
    .CountdownCaption = "关机倒计时",
    .AtTimeCaption = "定时关机",
    .Confirmation = "定时关机已开始！",
    // The countdown row, then the time-of-day row.
    .Places = {{8, 24, 113, 17}, {8, 48, 145, 21}, LabelAt(153, 56),
               {8, 96, 113, 17}, {8, 120, 37, 21}, LabelAt(48, 128),
               {72, 120, 37, 21}, LabelAt(112, 128), {136, 120, 37, 21}, LabelAt(176, 128)},
};

// Below the time-of-day row.
const StartCancelPlaces kButtons{.Start = {80, 184, 57, 25}, .Cancel = {144, 184, 57, 25}};

} // namespace

TForm3::TForm3(tk::Application& application)
    : StartCancelDialog(application, kLayout, kDescription, kButtons) {}
