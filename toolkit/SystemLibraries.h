// Where the program's DLLs come from.
//
// Windows looks for a DLL in the executable's folder before the system folder, except for the
// DLLs on its known-DLL list. A portable exe is often started from a Downloads folder, where a
// planted uxtheme.dll or winmm.dll beside it would be loaded in place of the system's. So the
// executable imports only known DLLs at start (a test reads its import table); the others
// (comctl32, uxtheme, msimg32, winmm) are delay-loaded: each is loaded at its first call, from the
// system folder by its full path, and each function is looked up once.
#pragma once

namespace tk {

// Makes every DLL that the process loads by name from now on (MCI drivers, shell extensions,
// and the delay-loaded DLLs above) come from the system folder only. Called first thing at start.
void LoadLibrariesFromSystemFolderOnly();

} // namespace tk
