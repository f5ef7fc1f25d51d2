// The shape the alarm and shutdown setup dialogs share: the setup controls and, below them, a
// start and a cancel button, with one tab order. Each of the two units keeps its own layout,
// description and the places of its two buttons.
#pragma once

#include "dialogs/SetupDialog.h"
#include "toolkit/WindowedControls.h"

// Where the two buttons sit, at 96 dpi.
struct StartCancelPlaces {
    tk::Bounds Start;
    tk::Bounds Cancel;
};

class StartCancelDialog : public SetupDialog {
public:
    tk::Button Button1; // start
    tk::Button Button2; // cancel

    void Button1Click() { Start(); }
    void Button2Click() { Cancel(); }

protected:
    StartCancelDialog(tk::Application& application, const tk::FormLayout& layout,
                      const SetupDescription& description, StartCancelPlaces buttons);

    void CreateWnd() override;
};
