#include "toolkit/ErrorReport.h"

#include "core/ErrorText.h"
#include "core/Exception.h"
#include "core/Paths.h"
#include "toolkit/ExecutablePath.h"
#include "toolkit/Modal.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

HWND owner = nullptr;
const std::wstring* title = nullptr;

void ShowReport(const std::exception& error) noexcept {
    try {
        if (HWND capture = GetCapture())
            SendMessageW(capture, WM_CANCELMODE, 0, 0);
        const std::wstring text = Widen(ErrorReportText(error.what()));
        BoxScope box(BoxKind::ErrorReport, owner);
        MessageBoxW(owner, text.c_str(), title->c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Reporting failed (out of memory): nothing better is left to do.
    }
}

} // namespace

void SetErrorReportOwner(HWND window, const std::wstring* caption) noexcept {
    owner = window;
    title = caption;
}

void ReportException(const std::exception& error) noexcept {
    if (title)
        ShowReport(error);
    else
        ShowStartupFailure(error);
}

void ReportUnknownException() noexcept {
    ReportException(Exception("Unknown exception"));
}

void ShowStartupFailure(const std::exception& error) noexcept {
    try {
        const auto* known = dynamic_cast<const Exception*>(&error);
        const std::string module(FileNameOf(Narrow(ModuleFileName())));
        const std::wstring text = Widen(std::string("Exception ") + (known ? known->ClassName() : "std::exception") +
                                        " in module " + module + ".\n" + ErrorReportText(error.what()));
        MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

} // namespace tk
