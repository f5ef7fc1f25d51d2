// TForm2: the alarm setup dialog.
#pragma once

#include "toolkit/Form.h"

class TForm2 : public tk::Form {
public:
    explicit TForm2(tk::Application& application);
};

inline TForm2* Form2 = nullptr;
