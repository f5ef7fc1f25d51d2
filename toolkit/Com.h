// The program's one COM apartment. The shell hands some items to COM objects, the open-file
// dialog browses the shell's namespace, and an accessible object handed to a reader in another
// thread or process is marshalled by COM: all want a single-threaded apartment on the
// user-interface thread, and the shell asks for it without OLE 1.0's DDE. It is entered once,
// with those flags, at the first need of any of them (never at rest), and left as the program
// ends. COM itself loads from the system folder at that first need (toolkit/SystemLibraries.h).
#pragma once

#include <windows.h>

namespace tk {

// Enters the apartment if it is not entered yet. Raises ELibraryLoadError, and enters nothing,
// when COM cannot be loaded; a later call tries again. A thread that had an apartment of another
// kind already keeps it, which serves as well.
void EnterApartment();

// COM's entry into an apartment as EnterApartment calls it, replaceable so that tests can see
// the flags.
extern HRESULT(WINAPI* EnterApartmentRequest)(void* reserved, DWORD flags);

// An apartment of its own, with the same flags, for a thread of ours: made on the user-interface
// thread, where COM's functions are looked up (the look-ups are not made for two threads at
// once), then entered and left on the other thread. Raises ELibraryLoadError as EnterApartment.
class ThreadApartment {
public:
    ThreadApartment();
    // On the thread: true when it entered an apartment, which it must then leave.
    bool Enter() const noexcept;
    void Leave() const noexcept;

private:
    HRESULT(WINAPI* enter_)(void*, DWORD);
    void(WINAPI* leave_)();
};

} // namespace tk
