// TForm5: the reminder setup dialog.
#pragma once

#include "toolkit/Form.h"

class TForm5 : public tk::Form {
public:
    explicit TForm5(tk::Application& application);
};

inline TForm5* Form5 = nullptr;
