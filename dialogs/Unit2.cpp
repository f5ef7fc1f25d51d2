#include "dialogs/Unit2.h"

namespace {

const tk::FormLayout kLayout{
    .Caption = "闹钟设置",
    .Bounds96 = {0, 0, 210, 202},
    .Border = tk::BorderStyle::ToolWindow,
    .StayOnTop = true,
    .Color = RGB(255, 255, 255),
    .AccessibleDialog = true,
};

const SetupDescription kDescription{
    .Kind = TaskKind::Alarm,
    .CountdownCaption = "闹钟倒计时",
    .AtTimeCaption = "闹钟定时",
    .Confirmation = "闹钟定时已开始！",
    // The countdown row, then the time-of-day row.
    .Places = {{8, 24, 113, 17}, {8, 48, 145, 21}, LabelAt(154, 56),
               {8, 88, 113, 17}, {8, 112, 37, 21}, LabelAt(48, 120),
               {72, 112, 37, 21}, LabelAt(112, 120), {136, 112, 37, 21}, LabelAt(176, 120)},
};

// Below the time-of-day row.
const StartCancelPlaces kButtons{.Start = {80, 168, 57, 25}, .Cancel = {144, 168, 57, 25}};

} // namespace

TForm2::TForm2(tk::Application& application)
    : StartCancelDialog(application, kLayout, kDescription, kButtons) {}
