// TForm7: the launch setup dialog.
#pragma once

#include "toolkit/Form.h"

class TForm7 : public tk::Form {
public:
    explicit TForm7(tk::Application& application);
};

inline TForm7* Form7 = nullptr;
