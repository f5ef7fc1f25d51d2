// The seven windows of the program, built in the entry point's order, for the helper programs
// that drive the real strip outside the test runner (the latency measurement and the soak).
#pragma once

#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "toolkit/Application.h"

inline void BuildProgramWindows(tk::Application& application) {
    Form1 = &application.CreateForm<TForm1>();
    Form2 = &application.CreateForm<TForm2>();
    Form3 = &application.CreateForm<TForm3>();
    Form4 = &application.CreateForm<TForm4>();
    Form5 = &application.CreateForm<TForm5>();
    Form6 = &application.CreateForm<TForm6>();
    Form7 = &application.CreateForm<TForm7>();
    Form1->Show();
}
