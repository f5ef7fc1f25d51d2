// Vandrel: a translucent clock strip that stays on top and runs timed tasks.
#include <windows.h>

#include <cstdarg>
#include <exception>
#include <new>
#include <string>

#include "app/Forms.h"
#include "core/Convert.h"
#include "toolkit/Application.h"
#include "toolkit/SystemLibraries.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Before anything loads a DLL by name. COM is not entered here: the shell or a screen reader
    // enters it at its first need (toolkit/Com.cpp), so that the strip at rest does not carry it.
    tk::LoadLibrariesFromSystemFolderOnly();
    try {
        tk::Application application;
        CreateProgramForms(application);
        application.Run(showCommand);
    } catch (const std::exception& error) {
        // Nothing is running yet that could report it: a failure while the windows are built.
        tk::ShowStartupFailure(error);
        return 1;
    }
    return 0;
}

// The C++ library raises its own errors (a string grown past its maximum, a position past its
// end) through the functions below. The library's own versions build std::length_error and its
// kin, whose message is a string of the library's old copy-on-write kind: linking them brings
// that whole second string type along, about 54 KB of the 192 KB the shipped exe may take. These
// raise the same texts as a plain std::exception, which is all the error report reads; the
// program catches none of the library's error types by name. Only the exe has them: the tests'
// framework links the library's own. A link error "multiple definition of std::__throw_..."
// means that new code calls another of the library's raisers: define it here as well.
namespace {

class LibraryError final : public std::exception {
public:
    explicit LibraryError(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

} // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw bad_array_new_length(); }
[[noreturn]] void __throw_logic_error(const char* text) { throw LibraryError(text); }
[[noreturn]] void __throw_length_error(const char* text) { throw LibraryError(text); }

// The library's messages use only %s, %zu and %%.
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...) {
    std::string text;
    va_list arguments;
    va_start(arguments, format);
    for (const char* c = format; *c; ++c) {
        if (c[0] == '%' && c[1] == 's') {
            text += va_arg(arguments, const char*);
            ++c;
        } else if (c[0] == '%' && c[1] == 'z' && c[2] == 'u') {
            text += UnsignedToText(va_arg(arguments, size_t));
            c += 2;
        } else if (c[0] == '%' && c[1] == '%') {
            text += '%';
            ++c;
        } else {
            text += *c;
        }
    }
    va_end(arguments);
    throw LibraryError(std::move(text));
}

} // namespace std
