// The program's ways out to the operating system: the file-exists test, handing an item to the
// shell, the open-file dialog, and starting a program. None of them
// reports what the platform makes of a request: a missing browser, script or program leaves no
// trace, and the caller goes on at once. The shell, COM and the common dialogs are loaded at
// their first use (toolkit/SystemLibraries.h), and only a system library that cannot be had
// raises, as tk::ELibraryLoadError.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <string_view>

// True when a file, not a directory, exists at `path`. Never raises; a path with wildcards names
// no single file and is answered false.
bool FileIsPresent(const std::string& path) noexcept;

// Hands a file, web address or mail link to the shell's default action, shown normally, and
// returns without waiting or looking at the result.
void ShellOpen(HWND owner, const std::string& item);

// Hands a script of the program's own (down.bat) to the shell's default action as ShellOpen does,
// with no owner, but without the shell's check of the file's download mark: a file unpacked from
// the downloaded release carries that mark, and the shell would otherwise ask "Open File -
// Security Warning" and wait for someone to answer, so an unattended run would never happen.
// Addresses and other items keep the check (ShellOpen).
void ShellOpenUnattended(const std::string& script);

// The shell's ShellExecuteExW, replaceable so that tests can record the requests.
extern BOOL (*ShellExecuteRequest)(SHELLEXECUTEINFOW& request);

// GetOpenFileNameW of the common dialogs, in the same apartment as the shell's objects.
BOOL ShowOpenFileDialog(OPENFILENAMEW& request);
// Loads the common dialogs and enters the apartment ahead of ShowOpenFileDialog, so that the
// dialog comes up sooner. A failure is left for ShowOpenFileDialog to raise.
void PrepareOpenFileDialog() noexcept;

// Starts a program without waiting for it. When the whole text names an existing file, exactly
// that file is started; otherwise the text is a command line: a program name, then arguments.
// A program that asks for administrator rights cannot be started directly: it is handed to the
// shell, which shows the system's consent prompt and returns only once someone answers it, so
// that happens on a thread of its own and the caller still goes on at once. Every other failure
// is silent.
void StartProgram(const std::string& commandLine) noexcept;

// The platform's CreateProcessW as StartProgram calls it (no application name, no working
// directory of its own), replaceable so that tests can make it fail as it does for a program
// that asks for administrator rights.
extern BOOL (*CreateProcessRequest)(wchar_t* commandLine, STARTUPINFOW& startup, PROCESS_INFORMATION& process);

// The command line StartProgram hands to the platform. A path with blanks is quoted so that the
// platform cannot take a shorter prefix of it ("C:\Program.exe") for the program.
std::wstring LaunchCommandLine(std::wstring_view text, bool wholeTextIsAFile);

