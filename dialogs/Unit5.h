// TForm5: the reminder setup dialog. Arming hands the text of its Memo1 to the reminder window
// and empties Memo1.
#pragma once

#include "dialogs/SetupDialog.h"
#include "dialogs/Unit6.h"
#include "toolkit/DrawnControls.h"
#include "toolkit/WindowedControls.h"

class TForm5 : public SetupDialog {
public:
    explicit TForm5(tk::Application& application);

    tk::Label Label5;
    tk::Memo Memo1;     // the reminder's text
    tk::Button Button1; // start
    tk::Button Button2; // cancel

    void Button1Click() { Start(); }
    void Button2Click() { Cancel(); }

    // The reminder window, made after this dialog: its text box takes Memo1's text on arming.
    void SetReminderWindow(TForm6& window) { HandReminderTextTo(window.Memo1); }

protected:
    void CreateWnd() override;
};

inline TForm5* Form5 = nullptr;
