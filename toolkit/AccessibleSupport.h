// What the two halves of the accessibility code share (toolkit/Accessible.cpp, which answers
// readers, and toolkit/FormAccessible.cpp, a form's own object): text handed to a reader and the
// platform's object for a window. Internal to them; both depend on it, it on neither.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace tk {

// `text` as a string a reader frees; none (S_FALSE) for an empty text.
HRESULT ReturnText(const std::string& text, BSTR* result) noexcept;
// The platform's object for a window as a whole (OBJID_WINDOW): what a child window is to the
// object of the form that holds it, and what the form's object belongs to.
HRESULT WindowObject(HWND window, REFIID iid, void** result) noexcept;

} // namespace tk
