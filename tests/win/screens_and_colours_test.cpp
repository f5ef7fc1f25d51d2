// The program's windows on the screens it has: a window remembered on no monitor comes back,
// and every window takes the system's colours while high contrast is on.
#include <windows.h>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit6.h"

using namespace testsupport;

class ScreensAndColours : public ProgramTest {};

TEST_F(ScreensAndColours, ASecondaryWindowRememberedWhollyOffEveryMonitorReopensCentred) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* what;
        tk::Form* form;
        POINT place; // where the user left it
        bool centred;
    } cases[] = {
        {"about box above and left of the screen", Form4, {-2000, -1500}, true},
        {"reminder window right of the screen", Form6, {screenWidth + 5, 40}, true},
        {"alarm dialog below the screen", Form2, {30, screenHeight + 1}, true},
        {"about box with one column still on the screen", Form4, {screenWidth - 1, 60}, false},
        {"reminder window with its bottom-right corner on the screen", Form6, {-100, -100}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tk::Form& form = *c.form;
        HWND window = form.EnsureHandle();
        ShowModalWhile(form, [&] {
            SetWindowPos(window, nullptr, c.place.x, c.place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            form.Close();
        });
        RECT shown{};
        ShowModalWhile(form, [&] {
            shown = WindowRect(window);
            form.Close();
        });
        const int width = shown.right - shown.left, height = shown.bottom - shown.top;
        const POINT expected = c.centred ? POINT{(screenWidth - width) / 2, (screenHeight - height) / 2} : c.place;
        EXPECT_EQ(shown.left, expected.x);
        EXPECT_EQ(shown.top, expected.y);
    }
}

TEST_F(ScreensAndColours, InHighContrastFormsAndLabelsTakeTheSystemsColoursAndFollowAChangeAtOnce) {
    const auto saved = tk::HighContrastOn;
    static bool on;
    on = false;
    tk::HighContrastOn = [] { return on; };
    const tk::FontSpec blue{L"宋体", 12, false, GB2312_CHARSET, RGB(0, 0, 255)}, plain{};
    const struct {
        const char* what;
        tk::Form* form;
        COLORREF own;            // the background without high contrast
        int background, text;    // the system's pair with it
    } cases[] = {
        {"reminder window, white", Form6, RGB(255, 255, 255), COLOR_WINDOW, COLOR_WINDOWTEXT},
        {"strip, black", Form1, RGB(0, 0, 0), COLOR_WINDOW, COLOR_WINDOWTEXT},
        {"about box, button face", Form4, GetSysColor(COLOR_BTNFACE), COLOR_BTNFACE, COLOR_BTNTEXT},
    };
    tk::MemoryDc dc;
    for (const auto& c : cases) {
        HWND window = c.form->EnsureHandle();
        // Turned on and off again, by each of the two messages that announce it.
        for (const UINT change : {WM_SYSCOLORCHANGE, WM_SETTINGCHANGE}) {
            for (const bool highContrast : {true, false}) {
                SCOPED_TRACE(std::string(c.what) + (highContrast ? ", high contrast" : ", own colours"));
                on = highContrast;
                SendMessageW(window, change, change == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
                const COLORREF background = highContrast ? GetSysColor(c.background) : c.own;
                EXPECT_EQ(c.form->Color(), background);
                EXPECT_EQ(c.form->TextColor(blue), highContrast ? GetSysColor(c.text) : RGB(0, 0, 255));
                EXPECT_EQ(c.form->TextColor(plain), highContrast ? GetSysColor(c.text) : GetSysColor(COLOR_WINDOWTEXT));
                // What the form's windowed controls are painted with.
                SetTextColor(dc.Get(), RGB(1, 2, 3));
                auto brush = reinterpret_cast<HBRUSH>(
                    SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), 0));
                LOGBRUSH painted{};
                GetObjectW(brush, sizeof painted, &painted);
                EXPECT_EQ(painted.lbColor, background);
                EXPECT_EQ(GetBkColor(dc.Get()), background);
                EXPECT_EQ(GetTextColor(dc.Get()), highContrast ? GetSysColor(c.text) : RGB(1, 2, 3));
            }
        }
    }
    tk::HighContrastOn = saved;
}

TEST(StartCorner, TheStripIsFlushWithTheCornerAtTheResolutionOfTheMonitorItLandsOn) {
    StartWatchdog();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int system = tk::ScreenDpi();
    static int other; // read by the stand-in for the platform's query, a plain function
    other = system * 3 / 2;
    const auto saved = tk::WindowDpi;
    {
        tk::Application application;
        // Made on a monitor of another resolution than the system's.
        tk::WindowDpi = [](HWND) { return other; };
        Form1 = &application.CreateForm<TForm1>();
        tk::WindowDpi = saved;
        HWND strip = Form1->Handle();
        ExpectBounds(WindowRect(strip), work.right - MulDiv(226, other, 96), work.top, MulDiv(226, other, 96),
                     MulDiv(24, other, 96), "created");

        // Left on no screen; a display change brings it back to a monitor of the system's resolution,
        // which tells it so as it arrives there, as the platform does.
        SetWindowPos(strip, nullptr, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        static int arrivalDpi = 0;
        arrivalDpi = system;
        HHOOK hook = SetWindowsHookExW(
            WH_CALLWNDPROCRET,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
                if (code == HC_ACTION && Form1 && call->hwnd == Form1->Handle() &&
                    call->message == WM_WINDOWPOSCHANGED && Form1->Dpi() != arrivalDpi) {
                    const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
                    if (pos->x > -1000) {
                        const RECT suggested{pos->x, pos->y, pos->x + MulDiv(226, arrivalDpi, 96),
                                             pos->y + MulDiv(24, arrivalDpi, 96)};
                        SendMessageW(call->hwnd, WM_DPICHANGED, MAKEWPARAM(arrivalDpi, arrivalDpi),
                                     reinterpret_cast<LPARAM>(&suggested));
                    }
                }
                return CallNextHookEx(nullptr, code, wParam, lParam);
            },
            nullptr, GetCurrentThreadId());
        SendMessageW(strip, WM_DISPLAYCHANGE, 32, 0);
        UnhookWindowsHookEx(hook);
        ExpectBounds(WindowRect(strip), work.right - MulDiv(226, system, 96), work.top, MulDiv(226, system, 96),
                     MulDiv(24, system, 96), "after the display change");
        Form1 = nullptr;
    }
    StopWatchdog();
}
