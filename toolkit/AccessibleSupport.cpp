#include "toolkit/AccessibleSupport.h"

#include "toolkit/SystemLibraries.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

constinit SystemFunction<decltype(AccessibleObjectFromWindow)> accessibleObjectFromWindow{
    L"oleacc.dll", "AccessibleObjectFromWindow"};
constinit SystemFunction<decltype(SysAllocString)> sysAllocString{L"oleaut32.dll", "SysAllocString"};

} // namespace

// Neither lets an exception out into the reader's call: the libraries were had at the request
// that made the object, but memory may still run out.
HRESULT ReturnText(const std::string& text, BSTR* result) noexcept {
    *result = nullptr;
    if (text.empty())
        return S_FALSE;
    try {
        *result = sysAllocString(Widen(text).c_str());
    } catch (...) {
    }
    return *result ? S_OK : E_OUTOFMEMORY;
}

HRESULT WindowObject(HWND window, REFIID iid, void** result) noexcept {
    *result = nullptr;
    try {
        return accessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), iid, result);
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace tk
