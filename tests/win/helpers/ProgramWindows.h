// The seven windows of the program, built in the entry point's order, for the helper programs
// that drive the real strip outside the test runner (the latency measurement and the soak).
#pragma once

#include "app/Forms.h"

inline void BuildProgramWindows(tk::Application& application) {
    CreateProgramForms(application);
    Form1->Show();
}
