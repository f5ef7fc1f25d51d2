// Modal showing and the error report: what the rest of the program looks like while a modal
// window or an error box is up, and the report's caption, text and full-stop rule.
#include <string>
#include <vector>

#include "Support.h"
#include "clockbar/Unit1.h"
#include "dialogs/Unit4.h"
#include "core/Exception.h"
#include "toolkit/Timer.h"

using namespace testsupport;

class Modal : public ProgramTest {};

TEST_F(Modal, TimersTickInsideWhileTheStripIsDisabledAndOutOfTheTopmostBand) {
    int ticks = 0;
    tk::Timer timer;
    timer.SetInterval(10);
    timer.SetOnTimer([&] { ++ticks; });
    bool stripEnabled = true, stripTopmost = true, appEnabled = true;
    int ticksInside = 0;
    Later(300, [&] {
        stripEnabled = IsWindowEnabled(Form1->Handle());
        stripTopmost = IsTopmost(Form1->Handle());
        appEnabled = IsWindowEnabled(App().Handle());
        ticksInside = ticks;
        Form4->Close();
    });
    ticks = 0;
    Form4->ShowModal();
    EXPECT_GT(ticksInside, 5);
    EXPECT_FALSE(stripEnabled);
    EXPECT_FALSE(appEnabled);
    // Afterwards everything is as it was, and the modal window is hidden, not destroyed.
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    if (PlatformMovesOwnedWindowsBetweenBands()) {
        EXPECT_FALSE(stripTopmost);
        EXPECT_TRUE(IsTopmost(Form1->Handle()));
    }
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));
    EXPECT_TRUE(IsWindow(Form4->EnsureHandle()));
    EXPECT_FALSE(IsWindowVisible(Form4->EnsureHandle()));
    EXPECT_EQ(Form4->ModalResult, tk::Form::ModalCancel);
}

TEST_F(Modal, CloseOnlyMarksTheShowingFinishedAndTheHandlerRunsOn) {
    bool ranOn = false, stillVisibleAfterClose = false;
    Later(100, [&] {
        Form4->Close();
        stillVisibleAfterClose = IsWindowVisible(Form4->EnsureHandle()) != FALSE;
        ranOn = true;
    });
    Form4->ShowModal();
    EXPECT_TRUE(ranOn);
    EXPECT_TRUE(stillVisibleAfterClose);
}

TEST_F(Modal, TheCloseBoxClosesLikeCloseAndTheWindowReopensWhereItWas) {
    Later(100, [&] {
        SetWindowPos(Form4->EnsureHandle(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PostMessageW(Form4->EnsureHandle(), WM_CLOSE, 0, 0);
    });
    Form4->ShowModal();
    RECT where{};
    Later(100, [&] {
        GetWindowRect(Form4->EnsureHandle(), &where);
        Form4->Close();
    });
    Form4->ShowModal();
    EXPECT_EQ(where.left, 40);
    EXPECT_EQ(where.top, 50);
}

TEST_F(Modal, AVisibleWindowIsRefusedWithTheErrorReportAndStaysOpen) {
    BoxCatcher boxes;
    tk::Timer again; // a handler that tries to show the open window a second time
    bool stillOpen = false;
    again.SetOnTimer([&] {
        again.SetEnabled(false);
        Form4->ShowModal();
    });
    again.SetInterval(100);
    Later(600, [&] {
        stillOpen = IsWindowVisible(Form4->EnsureHandle()) != FALSE;
        Form4->Close();
    });
    Form4->ShowModal();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"Cannot make a visible window modal.");
    EXPECT_TRUE(stillOpen);
}

TEST_F(Modal, AQuitMessageEndsTheModalLoopAndReachesTheOuterLoop) {
    Later(100, [] { PostQuitMessage(0); });
    Form4->ShowModal();
    EXPECT_TRUE(App().Terminated());
    EXPECT_FALSE(IsWindowVisible(Form4->EnsureHandle()));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // posted again for outer loops
}

class ErrorReport : public ProgramTest {};

TEST_F(ErrorReport, AddsAFullStopOnlyAfterALetterDigitOrOtherHighCharacter) {
    struct Case {
        std::string message;
        std::wstring shown;
    } cases[] = {
        {"No MCI device open", L"No MCI device open."},
        {"Error 42", L"Error 42."},
        {"Done.", L"Done."},
        {"Stop!", L"Stop!"},
        {"a, b,", L"a, b,"},
        {"trailing blank ", L"trailing blank "},
        {"文件不存在", L"文件不存在."},
        {"", L""},
    };
    BoxCatcher boxes;
    for (const Case& c : cases)
        RaiseFromHandler(c.message);
    ASSERT_EQ(boxes.Boxes().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CaughtBox& box = boxes.Boxes()[i];
        EXPECT_EQ(box.text, cases[i].shown);
        EXPECT_EQ(box.caption, L"win_tests");
        EXPECT_TRUE(box.errorIcon);
        EXPECT_EQ(box.owner, App().Handle());
        // While the box shows, the strip is disabled and out of the topmost band.
        EXPECT_FALSE(box.appWindowEnabled);
        if (PlatformMovesOwnedWindowsBetweenBands()) {
            EXPECT_FALSE(box.stripTopmost);
        }
    }
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    if (PlatformMovesOwnedWindowsBetweenBands()) {
        EXPECT_TRUE(IsTopmost(Form1->Handle()));
    }
}

TEST_F(ErrorReport, CancelsTheMouseCaptureFirst) {
    BoxCatcher boxes;
    SetCapture(Form1->Handle());
    RaiseFromHandler("boom");
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(ErrorReport, AHandlerThatRaisesIsCutShortAndTheLoopGoesOn) {
    BoxCatcher boxes;
    int after = 0, later = 0;
    tk::Timer failing, other;
    failing.SetInterval(10);
    failing.SetOnTimer([&] {
        failing.SetEnabled(false);
        throw EConvertError("'x' is not a valid integer value");
        ++after; // never reached
    });
    other.SetInterval(10);
    other.SetOnTimer([&] { ++later; });
    PumpUntil([&] { return later > 5; });
    EXPECT_EQ(after, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"'x' is not a valid integer value.");
}

TEST_F(ErrorReport, IdleTasksRunInTurnFromTheWaitingLoopAndOneThatRaisesIsReported) {
    BoxCatcher boxes;
    std::vector<std::string> ran;
    App().WhenIdle([&] {
        ran.push_back("first");
        throw EConvertError("'y' is not a valid integer value");
    });
    App().WhenIdle([&] { ran.push_back("second"); });
    App().ProcessMessages(); // the look that does not wait leaves them alone
    EXPECT_TRUE(ran.empty());
    for (int i = 0; i < 1000 && ran.size() < 2; ++i)
        App().HandleMessage(); // the strip's timers keep messages coming
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"'y' is not a valid integer value.");
}

TEST(StartupFailure, ShowsTheLastResortBoxNamingTheException) {
    StartWatchdog();
    BoxCatcher boxes;
    tk::ShowStartupFailure(EOutOfResources("Not enough timers available"));
    StopWatchdog();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Application Error");
    EXPECT_NE(boxes.Boxes()[0].text.find(L"EOutOfResources"), std::wstring::npos);
    EXPECT_NE(boxes.Boxes()[0].text.find(L"Not enough timers available."), std::wstring::npos);
    EXPECT_TRUE(boxes.Boxes()[0].errorIcon);
}
