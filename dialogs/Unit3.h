// TForm3: the shutdown setup dialog.
#pragma once

#include "toolkit/Form.h"

class TForm3 : public tk::Form {
public:
    explicit TForm3(tk::Application& application);
};

inline TForm3* Form3 = nullptr;
