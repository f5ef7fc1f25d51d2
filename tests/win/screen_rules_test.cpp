// The program's windows on the screens it has: a window remembered on no monitor comes back.
#include <windows.h>

#include "Support.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit6.h"

using namespace testsupport;

class ScreenRules : public ProgramTest {};

TEST_F(ScreenRules, ASecondaryWindowRememberedWhollyOffEveryMonitorReopensCentred) {
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
