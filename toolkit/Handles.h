// Owners of Win32 handles. Each is move-only and releases its handle exactly once; a borrowed
// handle stays a plain HWND/HFONT/..., so ownership shows in the type.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace tk {

template <class Handle, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) noexcept : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    void Reset(Handle handle = Handle{}) noexcept {
        if (handle_ != Handle{})
            Traits::Close(handle_);
        handle_ = handle;
    }
    Handle Release() noexcept { return std::exchange(handle_, Handle{}); }

private:
    Handle handle_{};
};

struct WindowTraits { static void Close(HWND h) noexcept { DestroyWindow(h); } };
struct GdiTraits { static void Close(HGDIOBJ h) noexcept { DeleteObject(h); } };
struct IconTraits { static void Close(HICON h) noexcept { DestroyIcon(h); } };
struct MenuTraits { static void Close(HMENU h) noexcept { DestroyMenu(h); } };

using OwnedWindow = Owned<HWND, WindowTraits>;
using OwnedFont = Owned<HFONT, GdiTraits>;
using OwnedBitmap = Owned<HBITMAP, GdiTraits>;
using OwnedBrush = Owned<HBRUSH, GdiTraits>;
using OwnedIcon = Owned<HICON, IconTraits>;
using OwnedMenu = Owned<HMENU, MenuTraits>;

struct FindTraits { static void Close(HANDLE h) noexcept { FindClose(h); } };
// A FindFirstFile search; empty (not INVALID_HANDLE_VALUE) when the search found nothing.
using OwnedFind = Owned<HANDLE, FindTraits>;

// FindFirstFileW of `pattern`, its first match in `found`; empty when nothing matched.
inline OwnedFind FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& found) noexcept {
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    return OwnedFind(search == INVALID_HANDLE_VALUE ? nullptr : search);
}

// Selects an object into a DC for one scope and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC Dc() const noexcept { return dc_; }
    const RECT& Area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The screen's DC for one scope (reading its device capabilities).
class ScreenDc {
public:
    ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_;
};

// A screen-compatible DC for one scope (measuring text, off-screen painting).
class MemoryDc {
public:
    explicit MemoryDc(HDC like = nullptr) noexcept : dc_(CreateCompatibleDC(like)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() { DeleteDC(dc_); }
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_;
};

} // namespace tk
