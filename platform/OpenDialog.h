// The platform's open-file dialog as a component that keeps its last chosen file: FileName
// pre-fills the dialog and survives a cancel; only a confirmation replaces it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

class TOpenDialog {
public:
    std::string Filter;             // "description|pattern|description|pattern..."
    int FilterIndex = 1;            // 1-based; takes the index the user ended with
    std::string FileName;           // UTF-8; at most 260 characters reach the dialog

    // Shows the dialog owned by the application window, with the program's other windows
    // disabled meanwhile. True when the user confirmed a file; a cancel or a failure of the
    // dialog leaves FileName as it was.
    bool Execute();

    // Called with the dialog window once it is laid out and placed, so that tests can drive it.
    static inline std::function<void(HWND dialog)> OnShownForTests;

private:
    static UINT_PTR CALLBACK Hook(HWND, UINT, WPARAM, LPARAM);
    void Place(HWND dialog) const;

    HWND activeWindow_ = nullptr;
};

// The filter as the dialog takes it: every "|" a terminator, the list ending in two of them.
std::wstring DialogFilterList(std::string_view filter);
