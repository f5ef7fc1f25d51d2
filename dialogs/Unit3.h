// TForm3: the shutdown setup dialog.
#pragma once

#include "dialogs/StartCancelDialog.h"

class TForm3 : public StartCancelDialog {
public:
    explicit TForm3(tk::Application& application);
};

inline TForm3* Form3 = nullptr;
