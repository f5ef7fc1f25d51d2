// The accessible object of a form (toolkit/Accessible.h says what readers get), and the form's
// children in reading order (the rule itself is core/ReadingOrder's).
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <vector>

namespace tk {

class Form;
class GraphicControl;

// A child of a form as a reader meets it: a drawn control, or a windowed control's window.
struct AccessibleChild {
    GraphicControl* Drawn = nullptr;
    HWND Window = nullptr;
    RECT Bounds{}; // client pixels
};

// The form's visible drawn controls and its windowed controls, in the order a reader meets
// them; a child's id is its place in this order, from 1. Empty if memory ran out.
std::vector<AccessibleChild> ReadingOrder(const Form& form) noexcept;

// A new object for the form's client area, with one reference for the caller.
IAccessible* NewFormAccessible(Form& form);
// The form's window is gone: the object, which readers may still hold, answers every call with
// RPC_E_DISCONNECTED from now on.
void DisconnectFormAccessible(IAccessible* object) noexcept;

} // namespace tk
