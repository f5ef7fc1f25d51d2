#include "Support.h"

#include "core/Exception.h"
#include "toolkit/Timer.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <utility>

#include "app/Forms.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "toolkit/Text.h"

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;
std::map<UINT_PTR, std::function<void()>> laterActions;
BoxCatcher* activeCatcher = nullptr;
std::atomic<int> watchGeneration{0};

void CALLBACK LaterProc(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = laterActions.find(id);
    if (found == laterActions.end())
        return;
    auto action = std::move(found->second);
    laterActions.erase(found);
    action();
}

void PumpOnce(DWORD waitMilliseconds) {
    if (tk::Application::Exists()) {
        tk::Application::Instance().ProcessMessages(); // notices WM_QUIT
    } else {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMilliseconds, QS_ALLINPUT);
}

void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof input);
}

} // namespace

void PumpFor(int milliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < deadline)
        PumpOnce(5);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (Clock::now() >= deadline)
            return false;
        PumpOnce(5);
    }
    return true;
}

void Later(int milliseconds, std::function<void()> action) {
    const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), &LaterProc);
    laterActions[id] = std::move(action);
}

void MouseMoveTo(int x, int y) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    PumpFor(30);
}

void MouseButton(DWORD flag) {
    SendMouse(flag);
    PumpFor(30);
}

bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool IsPlatformDialog(HWND window) {
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770" && !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
}

bool PlatformMovesOwnedWindowsBetweenBands() {
    static const bool moves = [] {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr,
                                     nullptr, nullptr);
        HWND owned = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, owner,
                                     nullptr, nullptr, nullptr);
        const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        SetWindowPos(owned, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        const bool left = !IsTopmost(owned);
        SetWindowPos(owned, HWND_TOPMOST, 0, 0, 0, 0, flags);
        const bool back = IsTopmost(owned);
        DestroyWindow(owned);
        DestroyWindow(owner);
        return left && back;
    }();
    return moves;
}

BoxCatcher::BoxCatcher() {
    activeCatcher = this;
    hook_ = SetWindowsHookExW(WH_CBT, &BoxCatcher::Hook, nullptr, GetCurrentThreadId());
}

BoxCatcher::~BoxCatcher() {
    UnhookWindowsHookEx(hook_);
    activeCatcher = nullptr;
}

LRESULT CALLBACK BoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeCatcher) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsPlatformDialog(window)) {
            CaughtBox box;
            wchar_t buffer[1024]{};
            GetWindowTextW(window, buffer, 1024);
            box.caption = buffer;
            GetDlgItemTextW(window, 0xFFFF, buffer, 1024);
            box.text = buffer;
            box.owner = GetWindow(window, GW_OWNER);
            // The icon control is 0x14 on Windows and stc1 under Wine.
            HICON icon = nullptr;
            for (int id : {0x14, 0x0440})
                if (HWND control = GetDlgItem(window, id))
                    icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
            box.errorIcon = icon && icon == LoadIconW(nullptr, IDI_HAND);
            box.informationIcon = icon && icon == LoadIconW(nullptr, IDI_ASTERISK);
            if (tk::Application::Exists()) {
                box.appWindowEnabled = IsWindowEnabled(tk::Application::Instance().Handle()) != FALSE;
                if (Form1) box.stripTopmost = IsTopmost(Form1->Handle());
            }
            activeCatcher->boxes_.push_back(box);
            if (activeCatcher->hold_)
                activeCatcher->AnswerWhenReady(window, activeCatcher->boxes_.size() - 1,
                                               std::exchange(activeCatcher->hold_, {}), 500);
            else
                PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxCatcher::AnswerWhenReady(HWND box, std::size_t index, std::function<bool()> ready, int triesLeft) {
    if (ready() || triesLeft == 0) {
        boxes_[index].readyBeforeAnswer = ready();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
    }
    Later(10, [=, this] { AnswerWhenReady(box, index, ready, triesLeft - 1); });
}

void StartWatchdog(int seconds) {
    const int generation = ++watchGeneration;
    std::thread([seconds, generation] {
        const auto deadline = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (watchGeneration != generation)
                return; // the test finished
        }
        std::fprintf(stderr, "watchdog: the test did not finish within %d s (a box or modal loop left open?)\n",
                     seconds);
        std::fflush(stderr);
        ExitProcess(3);
    }).detach();
}

void ProgramTest::SetUp() {
    StartWatchdog();
    app_ = std::make_unique<tk::Application>();
    CreateProgramForms(*app_);
    Form1->Show();
    PumpFor(50);
}

void StopWatchdog() { ++watchGeneration; }

void ProgramTest::TearDown() {
    StopWatchdog();
    app_.reset();
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    Form7 = nullptr;
}

// ---- Screen and layout helpers ----

// Shows `form` modally, runs `inside` from its modal loop and returns the modal result. `inside`
// must close the form (the watchdog fails the test otherwise).
int ShowModalWhile(tk::Form& form, std::function<void()> inside) {
    Later(20, std::move(inside));
    return form.ShowModal();
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

void ExpectBounds(const RECT& actual, int left, int top, int width, int height, const char* what) {
    EXPECT_EQ(actual.left, left) << what;
    EXPECT_EQ(actual.top, top) << what;
    EXPECT_EQ(actual.right - actual.left, width) << what;
    EXPECT_EQ(actual.bottom - actual.top, height) << what;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The size a one-line text takes in a font: what an auto-sizing label must measure.
SIZE TextSize(const tk::FontSpec& font, const std::string& text) {
    tk::OwnedFont created = tk::CreateFontFor(font, 96);
    tk::MemoryDc dc;
    tk::SelectGuard select(dc.Get(), created.Get());
    const std::wstring wide = tk::Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    return {size.cx, metrics.tmHeight};
}

// What the screen shows at a point of a form's client area.
COLORREF ScreenPixel(HWND form, int x, int y) {
    POINT point{x, y};
    ClientToScreen(form, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}

// Waits until the form's client point shows `color` on screen (painting reaches the screen a
// little after the window procedure ran).
bool ScreenShows(HWND form, int x, int y, COLORREF color) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    return PumpUntil([&] { return ScreenPixel(form, x, y) == color; }, 3000);
}

// Saves what the screen shows of the window, frame included, as a 24-bit .bmp named `fileName`
// in the folder named by VANDREL_SCREENSHOTS (default: "screenshots" in the current folder).
bool SaveWindowScreenshot(HWND window, const wchar_t* fileName) {
    namespace fs = std::filesystem;
    const wchar_t* folderSetting = _wgetenv(L"VANDREL_SCREENSHOTS");
    const fs::path folder = folderSetting && *folderSetting ? fs::path(folderSetting) : fs::current_path() / L"screenshots";
    std::error_code error;
    fs::create_directories(folder, error);

    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFOHEADER header{sizeof header};
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as a .bmp stores its rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    tk::OwnedBitmap dib(CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                         nullptr, 0));
    {
        tk::MemoryDc memory(screen);
        tk::SelectGuard select(memory.Get(), dib.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    GdiFlush();
    if (!bits)
        return false;

    const DWORD imageSize = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(folder / fileName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), imageSize);
    return static_cast<bool>(out);
}

void AnswerOpenFileDialog(HWND dialog, const std::wstring& typed) {
    if (typed.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(typed.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

HWND TooltipOf(HWND owner) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{owner};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            wchar_t name[32]{};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == s->owner)
                s->found = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

// The place of `window` among all top-level windows, topmost first; -1 when it is not there.
int ZIndex(HWND window) {
    struct Search {
        HWND window;
        int index = 0;
        int found = -1;
    } search{window};
    EnumWindows(
        [](HWND each, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (each == s->window) {
                s->found = s->index;
                return FALSE;
            }
            ++s->index;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

bool Above(HWND upper, HWND lower) {
    const int up = ZIndex(upper), low = ZIndex(lower);
    return up >= 0 && low >= 0 && up < low;
}

void WhenShown(HWND window, std::function<void()> action) {
    Later(20, [window, action = std::move(action)]() mutable {
        if (!IsWindow(window))
            return;
        if (IsWindowVisible(window))
            action();
        else
            WhenShown(window, std::move(action));
    });
}

std::filesystem::path UrlLog() {
    using DosName = wchar_t*(CDECL*)(const char*);
    auto dosName = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    char unixLog[4096]{};
    if (!dosName)
        return {};
    if (!GetEnvironmentVariableA("VANDREL_URL_LOG", unixLog, sizeof unixLog)) {
        if (!GetEnvironmentVariableA("WINEPREFIX", unixLog, sizeof unixLog - 32))
            return {};
        std::strcat(unixLog, "/opened-urls.log");
    }
    wchar_t* dosLog = dosName(unixLog);
    if (!dosLog)
        return {};
    std::filesystem::path log = dosLog;
    HeapFree(GetProcessHeap(), 0, dosLog);
    return log;
}

std::vector<std::string> RecordedUrls() {
    std::vector<std::string> urls;
    std::ifstream in(UrlLog());
    for (std::string line; std::getline(in, line);)
        urls.push_back(line);
    return urls;
}

void RaiseFromHandler(const std::string& message) {
    tk::Timer timer;
    bool raised = false;
    timer.SetInterval(10);
    timer.SetOnTimer([&] {
        if (raised) return;
        raised = true;
        throw Exception(message);
    });
    PumpUntil([&] { return raised; });
    PumpFor(50);
}

} // namespace testsupport
