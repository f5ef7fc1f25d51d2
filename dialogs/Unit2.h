// TForm2: the alarm setup dialog.
#pragma once

#include "dialogs/SetupDialog.h"
#include "toolkit/WindowedControls.h"

class TForm2 : public SetupDialog {
public:
    explicit TForm2(tk::Application& application);

    tk::Button Button1; // start
    tk::Button Button2; // cancel

    void Button1Click() { Start(); }
    void Button2Click() { Cancel(); }

protected:
    void CreateWnd() override;
};

inline TForm2* Form2 = nullptr;
