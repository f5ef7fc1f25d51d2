#include "toolkit/Com.h"

#include <objbase.h>

#include "toolkit/SystemLibraries.h"

namespace tk {

namespace {

constexpr DWORD kApartmentFlags = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;

constinit SystemFunction<decltype(CoInitializeEx)> coInitializeEx{L"ole32.dll", "CoInitializeEx"};
constinit SystemFunction<decltype(CoUninitialize)> coUninitialize{L"ole32.dll", "CoUninitialize"};

HRESULT WINAPI SystemEnterApartment(void* reserved, DWORD flags) { return coInitializeEx(reserved, flags); }

class Apartment {
public:
    Apartment()
        : leave_(coUninitialize.Get()), // looked up first, so that leaving cannot fail
          entered_(SUCCEEDED(EnterApartmentRequest(nullptr, kApartmentFlags))) {}
    ~Apartment() {
        if (entered_)
            leave_();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    decltype(CoUninitialize)* leave_;
    bool entered_; // false when the thread already had another kind of apartment
};

} // namespace

HRESULT(WINAPI* EnterApartmentRequest)(void*, DWORD) = &SystemEnterApartment;

void EnterApartment() { static Apartment apartment; }

ThreadApartment::ThreadApartment() : enter_(coInitializeEx.Get()), leave_(coUninitialize.Get()) {}

bool ThreadApartment::Enter() const noexcept { return SUCCEEDED(enter_(nullptr, kApartmentFlags)); }

void ThreadApartment::Leave() const noexcept { leave_(); }

} // namespace tk
