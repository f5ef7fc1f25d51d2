// TForm7: the launch setup dialog. It also takes the path of the program to start, typed or
// chosen with the browse button, and arms nothing without one.
#pragma once

#include "dialogs/SetupDialog.h"
#include "platform/OpenDialog.h"
#include "toolkit/DrawnControls.h"
#include "toolkit/WindowedControls.h"

class TForm7 : public SetupDialog {
public:
    explicit TForm7(tk::Application& application);

    tk::Label Label5; // the two blue lines that say what the dialog does
    tk::Label Label6;
    tk::Label Label7;
    tk::Edit Edit1;     // the program's path
    tk::Button Button1; // browse
    tk::Button Button2; // start
    tk::Button Button3; // cancel
    TOpenDialog OpenDialog1;

    void Button1Click();
    void Button2Click() { Start(); }
    void Button3Click() { Cancel(); }

protected:
    void CreateWnd() override;
};

inline TForm7* Form7 = nullptr;
