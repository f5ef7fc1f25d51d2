// Vandrel: a translucent clock strip that stays on top and runs timed tasks.
#include <windows.h>

#include <objbase.h>

#include "app/Forms.h"
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
        CreateProgramForms(application);
        application.Run(showCommand);
    } catch (const std::exception& error) {
        // Nothing is running yet that could report it: a failure while the windows are built.
        tk::ShowStartupFailure(error);
        return 1;
    }
    return 0;
}
