// TForm6: the reminder window. Its memo is the only store of the reminder text: arming a
// reminder writes it, a firing reminder shows the window with whatever the memo then holds.
#pragma once

#include "toolkit/DrawnControls.h"
#include "toolkit/Form.h"
#include "toolkit/WindowedControls.h"

class TForm6 : public tk::Form {
public:
    explicit TForm6(tk::Application& application);

    tk::Label Label1;
    tk::Image Image1;
    tk::Memo Memo1;     // first in the tab order: it has the focus when the window opens
    tk::Button Button1;

    void Button1Click();
};

inline TForm6* Form6 = nullptr;
