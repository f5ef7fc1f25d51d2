// The about box: its layout and fonts, that only its button takes the focus, closing and
// reopening, and a second showing while it is open.
#include <string>

#include "BuildConfig.h"
#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit4.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"

using namespace testsupport;


namespace {

const tk::FontSpec kSongTi14{L"宋体", 14, false, GB2312_CHARSET};

} // namespace

class AboutBox : public ProgramTest {};

TEST_F(AboutBox, IsATopmostDialogShowingTheIconNameVersionAndContactLines) {
    HWND form = Form4->EnsureHandle();
    wchar_t caption[32]{};
    GetWindowTextW(form, caption, 32);
    EXPECT_STREQ(caption, L"关于软件");
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 258);
    EXPECT_EQ(client.bottom, 209);
    const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_DLGFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(IsTopmost(form));
    EXPECT_EQ(Form4->Color(), GetSysColor(COLOR_BTNFACE));

    ExpectBounds(Form4->GroupBox1.BoundsRect(), 8, 8, 241, 155, "GroupBox1");
    // Inside the frame, at its left/top plus their own offsets.
    ExpectBounds(Form4->Image1.BoundsRect(), 21, 23, 48, 48, "Image1");
    EXPECT_NE(Form4->Image1.Icon(), nullptr);

    struct Line {
        const tk::Label& label;
        int left, top;
        std::string caption;
    } lines[] = {
        {Form4->Label1, 88, 32, "Vandrel定时关机"},
        {Form4->Label2, 88, 48, "版本：7.0"},
        {Form4->Label3, 16, 88, std::string("网站主页：") + build::kHomePage},
        {Form4->Label4, 16, 112, std::string("客服邮箱：") + build::kSupportEmail},
        {Form4->Label5, 16, 136, std::string("客服电话：") + build::kSupportPhone},
    };
    for (const Line& line : lines) {
        EXPECT_EQ(line.label.Caption(), line.caption);
        // Sized to the text in 宋体 14.
        const SIZE size = TextSize(kSongTi14, line.caption);
        const RECT bounds = line.label.BoundsRect();
        ExpectBounds(bounds, line.left, line.top, size.cx, size.cy, line.caption.c_str());
        EXPECT_LE(bounds.right, client.right) << line.caption << " runs out of the window";
    }

    HWND button = Form4->Button1.Handle();
    ExpectBounds(Form4->Button1.BoundsRect(), 168, 176, 75, 25, "Button1");
    wchar_t text[16]{};
    GetWindowTextW(button, text, 16);
    EXPECT_STREQ(text, L"确定");
    const LOGFONTW font = FontOf(button);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"宋体");
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    // The button is the only window inside, so nothing else can take the focus.
    EXPECT_EQ(GetWindow(form, GW_CHILD), button);
    EXPECT_EQ(GetWindow(button, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetNextDlgTabItem(form, nullptr, FALSE), button);
    EXPECT_EQ(GetNextDlgTabItem(form, button, FALSE), button);
}

TEST_F(AboutBox, ClosesByButtonOrCloseBoxWithNoOtherEffectAndReopensWhereItWas) {
    HWND form = Form4->EnsureHandle();
    bool stripDisabled = false;
    RECT firstPlace{};
    const int result = ShowModalWhile(*Form4, [&] {
        stripDisabled = !IsWindowEnabled(Form1->Handle());
        firstPlace = WindowRect(form);
        SetWindowPos(form, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(Form4->Button1.Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, tk::Form::ModalCancel);
    EXPECT_TRUE(stripDisabled);
    const int width = firstPlace.right - firstPlace.left, height = firstPlace.bottom - firstPlace.top;
    EXPECT_EQ(firstPlace.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2); // centred the first time
    EXPECT_EQ(firstPlace.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_TRUE(IsTopmost(Form1->Handle()));

    RECT secondPlace{};
    std::string nameShown;
    ShowModalWhile(*Form4, [&] {
        secondPlace = WindowRect(form);
        nameShown = Form4->Label1.Caption();
        SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); // the title bar's close box
    });
    ExpectBounds(secondPlace, 50, 60, width, height, "reopened");
    EXPECT_EQ(nameShown, "Vandrel定时关机");
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(IsWindow(form)); // hidden, not destroyed
    EXPECT_EQ(Form4->EnsureHandle(), form);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_FALSE(App().Terminated());
}

TEST_F(AboutBox, ASecondShowingWhileOpenIsReportedAndTheBoxStaysOpen) {
    BoxCatcher boxes;
    tk::Timer command; // the about command picked again, from a handler, while the box is up
    command.SetInterval(10);
    bool stillOpen = false;
    ShowModalWhile(*Form4, [&] {
        command.SetOnTimer([&] {
            command.SetEnabled(false);
            Form4->ShowModal();
        });
        PumpUntil([&] { return !boxes.Boxes().empty(); }, 5000);
        PumpFor(50);
        stillOpen = IsWindowVisible(Form4->EnsureHandle()) && IsWindowEnabled(Form4->EnsureHandle());
        Form4->Button1Click();
    });
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"Cannot make a visible window modal.");
    EXPECT_TRUE(boxes.Boxes()[0].errorIcon);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(IsWindowVisible(Form4->EnsureHandle()));
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
}

TEST_F(AboutBox, PaintsOnTheButtonFaceAndIsCaptured) {
    HWND form = Form4->EnsureHandle();
    ShowModalWhile(*Form4, [&] {
        // Off the screen's centre, where the windows of tests running alongside open.
        SetWindowPos(form, nullptr, 16, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_TRUE(ScreenShows(form, 3, 3, face)) << "form background";
        EXPECT_TRUE(ScreenShows(form, 150, 50, face)) << "inside the frame";
        EXPECT_TRUE(ScreenShows(form, 21, 23, face)) << "icon corner, transparent";
        // The frame's etched line crosses the frame's middle column.
        bool etched = false;
        for (int y = 8; y < 20 && !etched; ++y)
            etched = ScreenPixel(form, 128, y) != face;
        EXPECT_TRUE(etched) << "frame";
        EXPECT_TRUE(SaveWindowScreenshot(form, L"about-box.bmp"));
        Form4->Close();
    });
}
