// TForm3: the shutdown setup dialog.
#pragma once

#include "dialogs/SetupDialog.h"
#include "toolkit/WindowedControls.h"

class TForm3 : public SetupDialog {
public:
    explicit TForm3(tk::Application& application);

    tk::Button Button1; // start
    tk::Button Button2; // cancel

    void Button1Click() { Start(); }
    void Button2Click() { Cancel(); }

protected:
    void CreateWnd() override;
};

inline TForm3* Form3 = nullptr;
