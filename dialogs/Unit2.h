// TForm2: the alarm setup dialog.
#pragma once

#include "dialogs/StartCancelDialog.h"

class TForm2 : public StartCancelDialog {
public:
    explicit TForm2(tk::Application& application);
};

inline TForm2* Form2 = nullptr;
