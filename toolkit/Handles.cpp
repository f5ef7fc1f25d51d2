#include "toolkit/Handles.h"

namespace tk {

OwnedWindow CreateMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (!GetClassInfoExW(instance, className, &windowClass)) {
        windowClass = {sizeof windowClass};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    OwnedWindow window(CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (window)
        SetWindowLongPtrW(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

} // namespace tk
