#include "dialogs/StartCancelDialog.h"

StartCancelDialog::StartCancelDialog(tk::Application& application, const tk::FormLayout& layout,
                                     const SetupDescription& description, StartCancelPlaces buttons)
    : SetupDialog(application, layout, description),
      Button1(*this, buttons.Start, "开始", &kSongTi12),
      Button2(*this, buttons.Cancel, "取消", &kSongTi12) {
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
}

void StartCancelDialog::CreateWnd() {
    SetupDialog::CreateWnd();
    tk::ArrangeTabOrder({&ComboBox1, &Button1, &Button2, &ComboBox2, &ComboBox3, &ComboBox4, &RadioButton1,
                         &RadioButton2});
}
