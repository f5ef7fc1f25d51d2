// The program's seven windows, created once in this order: the clock strip first (it becomes the
// main window), then the dialogs. The entry point, the tests and the helper programs that drive
// the real strip all build them here.
#pragma once

#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "toolkit/Application.h"

inline void CreateProgramForms(tk::Application& application) {
    Form1 = &application.CreateForm<TForm1>();
    Form2 = &application.CreateForm<TForm2>();
    Form3 = &application.CreateForm<TForm3>();
    Form4 = &application.CreateForm<TForm4>();
    Form5 = &application.CreateForm<TForm5>();
    Form6 = &application.CreateForm<TForm6>();
    Form7 = &application.CreateForm<TForm7>();
    // The reminder window is handed to the two that use it, here and nowhere else: the strip
    // shows it when a reminder fires, the reminder dialog writes its text.
    Form1->SetReminderWindow(*Form6);
    Form5->SetReminderWindow(*Form6);
}
