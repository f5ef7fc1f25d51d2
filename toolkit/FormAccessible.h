// The accessible object of a form (toolkit/Accessible.h says what readers get), and what the
// accessibility code shares: a form's children in reading order, and text handed to a reader.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace tk {

class Form;
class GraphicControl;

// A child of a form as a reader meets it: a drawn control, or a windowed control's window.
struct AccessibleChild {
    GraphicControl* drawn = nullptr;
    HWND window = nullptr;
    RECT bounds{}; // client pixels
};

// The form's visible drawn controls and its windowed controls, in the order a reader meets
// them; a child's id is its place in this order, from 1. Empty if memory ran out.
std::vector<AccessibleChild> ReadingOrder(const Form& form) noexcept;

// A new object for the form's client area, with one reference for the caller.
IAccessible* NewFormAccessible(Form& form);
// The form's window is gone: the object, which readers may still hold, answers every call with
// RPC_E_DISCONNECTED from now on.
void DisconnectFormAccessible(IAccessible* object) noexcept;

// `text` as a string a reader frees; none (S_FALSE) for an empty text.
HRESULT ReturnText(const std::string& text, BSTR* result) noexcept;
// The platform's object for a window as a whole (OBJID_WINDOW): what a child window is to the
// object of the form that holds it, and what the form's object belongs to.
HRESULT WindowObject(HWND window, REFIID iid, void** result) noexcept;

} // namespace tk
