#include "platform/OpenDialog.h"

#include <commdlg.h>

#include <optional>

#include "platform/Shell.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Modal.h"
#include "toolkit/Screens.h"
#include "toolkit/Text.h"

namespace {

constexpr DWORD kNameCapacity = MAX_PATH; // 260 characters

HWND ApplicationWindow() { return tk::Application::Exists() ? tk::Application::Instance().Handle() : nullptr; }

HWND MainFormWindow() {
    if (!tk::Application::Exists())
        return nullptr;
    tk::Form* form = tk::Application::Instance().MainForm();
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

} // namespace

std::wstring DialogFilterList(std::string_view filter) {
    std::wstring list = tk::Widen(filter);
    for (wchar_t& character : list)
        if (character == L'|')
            character = L'\0';
    list.append(2, L'\0');
    return list;
}

bool TOpenDialog::Execute() {
    const std::wstring filter = DialogFilterList(Filter);
    std::wstring name = tk::Widen(FileName).substr(0, kNameCapacity);
    name.resize(kNameCapacity + 2, L'\0');

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = ApplicationWindow();
    request.hInstance = GetModuleHandleW(nullptr);
    // An empty filter, directory or title is no request at all: the dialog's defaults apply.
    request.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = static_cast<DWORD>(FilterIndex);
    request.lpstrFile = name.data();
    request.nMaxFile = kNameCapacity;
    request.Flags = OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    request.lpfnHook = &TOpenDialog::Hook;
    request.lCustData = reinterpret_cast<LPARAM>(this);

    BOOL confirmed = FALSE;
    {
        tk::BoxScope box(tk::BoxKind::OpenFileDialog, request.hwndOwner);
        activeWindow_ = box.Active();
        confirmed = ShowOpenFileDialog(request); // loads the common dialogs at the first use
    }
    activeWindow_ = nullptr;
    if (!confirmed)
        return false;
    FileName = tk::Narrow(name.c_str());
    FilterIndex = static_cast<int>(request.nFilterIndex);
    return true;
}

// Centred across and a third of the way down the monitor that shows the program's active
// window, so the dialog appears where the user is looking.
void TOpenDialog::Place(HWND dialog) const {
    HWND reference = activeWindow_ ? activeWindow_ : MainFormWindow();
    const std::optional<RECT> monitor = tk::MonitorShowing(reference);
    if (!monitor)
        return;
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    const RECT& screen = *monitor;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int left = screen.left + (screen.right - screen.left - width) / 2;
    const int top = screen.top + (screen.bottom - screen.top - height) / 3;
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CALLBACK TOpenDialog::Hook(HWND hookWindow, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hookWindow, GWLP_USERDATA, lParam); // the request
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
        const auto* request = reinterpret_cast<const OPENFILENAMEW*>(GetWindowLongPtrW(hookWindow, GWLP_USERDATA));
        HWND dialog = GetParent(hookWindow);
        if (request)
            reinterpret_cast<const TOpenDialog*>(request->lCustData)->Place(dialog);
        if (OnShownForTests)
            tk::Guarded([dialog] { OnShownForTests(dialog); });
    }
    return FALSE;
}
