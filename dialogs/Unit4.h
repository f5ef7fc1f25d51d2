// TForm4: the about box. It only shows the program's icon, name, version and contact lines.
#pragma once

#include "toolkit/DrawnControls.h"
#include "toolkit/Form.h"
#include "toolkit/WindowedControls.h"

class TForm4 : public tk::Form {
public:
    explicit TForm4(tk::Application& application);

    // The frame comes first: the form draws its graphic controls in creation order, so the
    // picture and the labels inside lie on top of it.
    tk::GroupBox GroupBox1;
    tk::Image Image1;
    tk::Label Label1; // name
    tk::Label Label2; // version
    tk::Label Label3; // home page
    tk::Label Label4; // support e-mail
    tk::Label Label5; // support phone
    tk::Button Button1; // the only control that takes the focus: the labels are drawn, not windows

    void Button1Click();
};

inline TForm4* Form4 = nullptr;
