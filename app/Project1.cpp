// Vandrel: a translucent clock strip that stays on top and runs timed tasks.
#include <windows.h>

#include <objbase.h>

#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "toolkit/Application.h"
#include "toolkit/SystemLibraries.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Before anything loads a DLL by name.
    tk::LoadLibrariesFromSystemFolderOnly();
    // The shell opens addresses and scripts through COM objects that want an apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    struct ComScope {
        HRESULT result;
        ~ComScope() {
            if (SUCCEEDED(result))
                CoUninitialize();
        }
    } comScope{com};
    try {
        tk::Application application;
        Form1 = &application.CreateForm<TForm1>();
        Form2 = &application.CreateForm<TForm2>();
        Form3 = &application.CreateForm<TForm3>();
        Form4 = &application.CreateForm<TForm4>();
        Form5 = &application.CreateForm<TForm5>();
        Form6 = &application.CreateForm<TForm6>();
        Form7 = &application.CreateForm<TForm7>();
        application.Run(showCommand);
    } catch (const std::exception& error) {
        // Nothing is running yet that could report it: a failure while the windows are built.
        tk::ShowStartupFailure(error);
        return 1;
    }
    return 0;
}
