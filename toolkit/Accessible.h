// What screen readers see of our windows, through Microsoft Active Accessibility: a reader sends
// WM_GETOBJECT and reads the IAccessible object the window answers with. A form answers with an
// object of its own whose simple children are its drawn controls, in reading order, and whose
// other children are its windowed controls' own windows; a labelled windowed control answers with
// the platform's own object for its window, named by its label. None of it costs anything until
// a reader asks: oleacc.dll, oleaut32.dll and COM are loaded at the first request, from the system
// folder (toolkit/SystemLibraries.h), and a program nobody reads never maps them.
#pragma once

#include <windows.h>

struct IAccessible;

namespace tk {

class Form;
class GraphicControl;

// The object a form answers with, kept while its window exists. Reset tells the object that the
// form is gone, so that a reader still holding it gets errors instead of reaching a freed form.
class KeptAccessible {
public:
    KeptAccessible() = default;
    ~KeptAccessible() { Reset(); }
    KeptAccessible(const KeptAccessible&) = delete;
    KeptAccessible& operator=(const KeptAccessible&) = delete;
    void Reset() noexcept;

private:
    friend LRESULT AnswerForForm(Form& form, KeptAccessible& kept, WPARAM wParam, LPARAM lParam) noexcept;
    IAccessible* object_ = nullptr;
};

// WM_GETOBJECT of a form: the reference to its client object, or 0 for the default handling
// (another kind of object asked for, or the accessibility library not to be had).
LRESULT AnswerForForm(Form& form, KeptAccessible& kept, WPARAM wParam, LPARAM lParam) noexcept;

// WM_GETOBJECT of a windowed control's window (or of the text field inside a combo box): the
// platform's own object for that window, named by `label`; or 0 for the default handling.
LRESULT AnswerWithName(HWND window, WPARAM wParam, LPARAM lParam, const GraphicControl& label) noexcept;

// A drawn control's name changed where a reader may be listening: raises EVENT_OBJECT_NAMECHANGE
// for it, as the platform's own time display does for its text. One call that costs next to
// nothing while no reader listens; nothing while the form is not on screen.
void RaiseNameChange(const GraphicControl& control) noexcept;

} // namespace tk
