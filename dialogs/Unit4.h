// TForm4: the about box.
#pragma once

#include "toolkit/Form.h"

class TForm4 : public tk::Form {
public:
    explicit TForm4(tk::Application& application);
};

inline TForm4* Form4 = nullptr;
