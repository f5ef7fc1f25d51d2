// TForm6: the reminder window.
#pragma once

#include "toolkit/Form.h"

class TForm6 : public tk::Form {
public:
    explicit TForm6(tk::Application& application);
};

inline TForm6* Form6 = nullptr;
