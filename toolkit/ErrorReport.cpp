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
        // The program has no run-time type information, so what `error` is, is asked by catching
        // it. Every caller passes either the exception being handled or one of ours made to be
        // reported (the stand-in for an exception of no known type, a test's): only the first
        // can be another than ours.
        bool ours = true;
        if (std::current_exception()) {
            try {
                throw;
            } catch (const Exception&) {
            } catch (const std::exception& handled) {
                ours = &handled != &error;
            } catch (...) {
            }
        }
        const char* name = ours ? static_cast<const Exception&>(error).ClassName() : "std::exception";
        const std::string module(FileNameOf(Narrow(ModuleFileName())));
        const std::wstring text = Widen(std::string("Exception ") + name +
                                        " in module " + module + ".\n" + ErrorReportText(error.what()));
        MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

} // namespace tk
