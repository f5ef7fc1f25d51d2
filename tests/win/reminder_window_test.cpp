// The reminder window: its layout, the memo that keeps the reminder text, closing and reopening,
// and a second showing while it is open.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit6.h"
#include "toolkit/Application.h"
#include "toolkit/Text.h"
#include "toolkit/Timer.h"

using namespace testsupport;


namespace {

RECT ClientBounds(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256]{};
    GetWindowTextW(window, text, 256);
    return text;
}

// Characters as the keyboard delivers them to `control`, through the message loop ("\r" is
// Enter). Posted to the control rather than sent as input, so that a window of another test
// process that happens to be in the foreground cannot take them.
void TypeInto(HWND control, const std::wstring& text) {
    for (wchar_t c : text)
        PostMessageW(control, WM_CHAR, c, 1);
}

const tk::FontSpec kSongTi12{L"宋体", 12, false, GB2312_CHARSET};

} // namespace

class ReminderWindow : public ProgramTest {};

TEST_F(ReminderWindow, IsAWhiteTopmostToolWindowWithItsControlsInPlace) {
    HWND form = Form6->EnsureHandle();
    EXPECT_EQ(WindowText(form), L"消息提醒");
    const RECT client = ClientBounds(form);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 309);
    const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(form, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(IsTopmost(form));
    EXPECT_EQ(GetWindow(form, GW_OWNER), App().Handle()); // no taskbar button of its own
    EXPECT_EQ(Form6->Color(), RGB(255, 255, 255));

    EXPECT_EQ(Form6->Label1.Caption(), "提醒内容");
    const SIZE labelSize = TextSize(kSongTi12, "提醒内容");
    ExpectBounds(Form6->Label1.BoundsRect(), 17, 48, labelSize.cx, labelSize.cy, "Label1");
    ExpectBounds(Form6->Image1.BoundsRect(), 192, 16, 32, 32, "Image1");
    ICONINFO picture{};
    ASSERT_TRUE(GetIconInfo(Form6->Image1.Icon(), &picture));
    BITMAP mask{};
    GetObjectW(picture.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(picture.hbmMask);
    DeleteObject(picture.hbmColor);

    HWND memo = Form6->Memo1.Handle();
    ExpectBounds(Form6->Memo1.BoundsRect(), 16, 64, 217, 177, "Memo1");
    const LONG_PTR memoStyle = GetWindowLongPtrW(memo, GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & ES_WANTRETURN);
    EXPECT_FALSE(memoStyle & (ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL)); // wraps, no bars
    EXPECT_EQ(std::wstring(FontOf(memo).lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(FontOf(memo).lfHeight, -11);
    // A single empty line to begin with.
    EXPECT_EQ(Form6->Memo1.Text(), "");
    EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 1);

    HWND button = Form6->Button1.Handle();
    ExpectBounds(Form6->Button1.BoundsRect(), 160, 272, 75, 25, "Button1");
    EXPECT_EQ(WindowText(button), L"关闭");
    const LOGFONTW buttonFont = FontOf(button);
    EXPECT_EQ(std::wstring(buttonFont.lfFaceName), L"宋体");
    EXPECT_EQ(buttonFont.lfHeight, -12);
    EXPECT_EQ(buttonFont.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON); // not a default button

    // Memo first, then the button, then round again.
    EXPECT_EQ(GetNextDlgTabItem(form, nullptr, FALSE), memo);
    EXPECT_EQ(GetNextDlgTabItem(form, memo, FALSE), button);
    EXPECT_EQ(GetNextDlgTabItem(form, button, FALSE), memo);
}

TEST_F(ReminderWindow, KeepsWhatTheUserTypedUntilTheTextIsSetAgain) {
    Form6->Memo1.SetText("第一行\n第二行");
    EXPECT_EQ(Form6->Memo1.Text(), "第一行\r\n第二行"); // a bare line feed becomes a line break
    Form6->Memo1.SetText("该开会了");
    EXPECT_EQ(Form6->Memo1.Text(), "该开会了"); // replaced as a whole
    HWND handle = Form6->EnsureHandle();

    bool stripDisabled = false, appDisabled = false;
    const int result = ShowModalWhile(*Form6, [&] {
        stripDisabled = !IsWindowEnabled(Form1->Handle());
        appDisabled = !IsWindowEnabled(App().Handle());
        const int end = GetWindowTextLengthW(Form6->Memo1.Handle());
        SendMessageW(Form6->Memo1.Handle(), EM_SETSEL, end, end); // caret to the end
        TypeInto(Form6->Memo1.Handle(), L"！\r下午三点");
        PumpUntil([] { return Form6->Memo1.Text().ends_with("三点"); }, 3000);
        Form6->Button1Click();
        EXPECT_TRUE(IsWindowVisible(Form6->EnsureHandle())); // the handler only marks the showing finished
    });
    EXPECT_EQ(result, tk::Form::ModalCancel);
    EXPECT_TRUE(stripDisabled);
    EXPECT_TRUE(appDisabled);
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_TRUE(IsWindow(handle)); // hidden, not destroyed
    EXPECT_EQ(Form6->EnsureHandle(), handle);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));
    EXPECT_TRUE(IsTopmost(Form1->Handle()));
    EXPECT_EQ(Form6->Memo1.Text(), "该开会了！\r\n下午三点");

    // Shown again without a new setting: the edited text is still there.
    std::string shownAgain;
    ShowModalWhile(*Form6, [&] {
        shownAgain = Form6->Memo1.Text();
        Form6->Button1.OnClick(); // as the button's click would
    });
    EXPECT_EQ(shownAgain, "该开会了！\r\n下午三点");

    Form6->Memo1.SetText("新的提醒");
    EXPECT_EQ(Form6->Memo1.Text(), "新的提醒");
}

TEST_F(ReminderWindow, ClosesByButtonClickAndCloseBoxAndReopensWhereItWasLeft) {
    HWND form = Form6->EnsureHandle();
    RECT firstPlace{};
    ShowModalWhile(*Form6, [&] {
        firstPlace = WindowRect(form);
        // The user drags it aside, then presses the button.
        SetWindowPos(form, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(Form6->Button1.Handle(), BM_CLICK, 0, 0);
    });
    const int width = firstPlace.right - firstPlace.left, height = firstPlace.bottom - firstPlace.top;
    EXPECT_EQ(firstPlace.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2); // centred the first time
    EXPECT_EQ(firstPlace.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    EXPECT_FALSE(IsWindowVisible(form));

    RECT secondPlace{};
    ShowModalWhile(*Form6, [&] {
        secondPlace = WindowRect(form);
        SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); // the title bar's close box
    });
    ExpectBounds(secondPlace, 30, 40, width, height, "reopened");
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(IsWindow(form));
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
}

TEST_F(ReminderWindow, ASecondShowingWhileOpenIsReportedAndTheOpenWindowStaysWithItsText) {
    BoxCatcher boxes;
    Form6->Memo1.SetText("第一次提醒");
    // A second reminder firing from a tick while the first one's window is still open.
    tk::Timer tick;
    tick.SetInterval(10);
    bool stillOpen = false, stillEnabled = false;
    std::string textAfter;
    ShowModalWhile(*Form6, [&] {
        tick.SetOnTimer([&] {
            tick.SetEnabled(false);
            Form6->ShowModal();
            ADD_FAILURE() << "the second showing went on past the refusal";
        });
        PumpUntil([&] { return !boxes.Boxes().empty(); }, 5000);
        PumpFor(50);
        stillOpen = IsWindowVisible(Form6->EnsureHandle()) != FALSE;
        stillEnabled = IsWindowEnabled(Form6->EnsureHandle()) != FALSE;
        textAfter = Form6->Memo1.Text();
        Form6->Button1Click();
    });
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const CaughtBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text, L"Cannot make a visible window modal.");
    EXPECT_EQ(box.caption, App().Title());
    EXPECT_TRUE(box.errorIcon);
    EXPECT_EQ(box.owner, App().Handle());
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(stillEnabled);
    EXPECT_EQ(textAfter, "第一次提醒");
    EXPECT_FALSE(IsWindowVisible(Form6->EnsureHandle()));
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_TRUE(IsTopmost(Form1->Handle()));
}

TEST_F(ReminderWindow, PaintsWhiteBehindATransparentPictureAndIsCaptured) {
    Form6->Memo1.SetText("该休息一下了，起来走走，喝杯水。");
    HWND form = Form6->EnsureHandle();
    ShowModalWhile(*Form6, [&] {
        // Off the screen's centre, where the windows of tests running alongside open.
        SetWindowPos(form, nullptr, 16, 48, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const COLORREF white = RGB(255, 255, 255);
        EXPECT_TRUE(ScreenShows(form, 5, 5, white)) << "form background";
        EXPECT_TRUE(ScreenShows(form, 120, 220, white)) << "memo";
        // The picture's corners are its transparent background.
        EXPECT_TRUE(ScreenShows(form, 192, 16, white)) << "picture corner";
        EXPECT_TRUE(ScreenShows(form, 223, 47, white)) << "picture corner";
        // ... and the picture itself is drawn: somewhere in its middle column the screen is not white.
        bool drawn = false;
        for (int y = 16; y < 48 && !drawn; ++y)
            drawn = ScreenPixel(form, 208, y) != white;
        EXPECT_TRUE(drawn) << "picture";
        // The memo's first line of text reaches the screen.
        EXPECT_TRUE(PumpUntil([&] {
            for (int y = 68; y < 78; y += 2)
                for (int x = 20; x < 228; ++x)
                    if (ScreenPixel(form, x, y) != white)
                        return true;
            return false;
        }, 3000)) << "memo text";
        EXPECT_TRUE(SaveWindowScreenshot(form, L"reminder-window.bmp"));
        Form6->Close();
    });
}
