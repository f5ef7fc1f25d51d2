// Shared helpers of the tests that run under Wine: the program's forms built fresh for each
// test, a message pump with a deadline, synthesised mouse input, and a catcher that records and
// dismisses every message box so that no test can hang on one.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace testsupport {

// Dispatches messages for the given time.
void PumpFor(int milliseconds);
// Dispatches messages until `done` holds or the time is up; returns whether it holds.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000);

// Runs `action` once, from the message loop, after `milliseconds` (works inside modal loops).
void Later(int milliseconds, std::function<void()> action);

// Raises `message` from a timer handler, as an escaped exception of any handler would be, and
// returns once the error report it brings has been answered.
void RaiseFromHandler(const std::string& message);

// Synthesised input, in screen pixels.
void MouseMoveTo(int x, int y);
void MouseButton(DWORD flag); // MOUSEEVENTF_LEFTDOWN, ...

struct CaughtBox {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    bool errorIcon = false;
    bool informationIcon = false;
    bool appWindowEnabled = true;   // was the application window enabled while it showed?
    bool stripTopmost = false;      // was the main form topmost while it showed?
    bool readyBeforeAnswer = false; // for a held box: whether what it was held for came about
};

// Records every message box that this thread shows and dismisses it with OK.
class BoxCatcher {
public:
    BoxCatcher();
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;
    const std::vector<CaughtBox>& Boxes() const { return boxes_; }
    // The next box stays up, its loop running, until `ready` holds (at most 5 s), as a user
    // reading it would leave it.
    void HoldNext(std::function<bool()> ready) { hold_ = std::move(ready); }

private:
    void AnswerWhenReady(HWND box, std::size_t index, std::function<bool()> ready, int triesLeft);
    std::function<bool()> hold_;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    std::vector<CaughtBox> boxes_;
};

// Ends the process with a message if a test is still running after `seconds`: a box or a modal
// loop that nobody closes fails the test quickly instead of hanging it.
void StartWatchdog(int seconds = 30);
void StopWatchdog();

// Builds the seven forms of the program the way the entry point does, and tears them down.
class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    tk::Application& App() { return *app_; }

private:
    std::unique_ptr<tk::Application> app_;
};

bool IsTopmost(HWND window);
// A top-level window of the platform's dialog class ("#32770"): a message box or a common dialog.
bool IsPlatformDialog(HWND window);
// Answers an open-file dialog that is up: with `typed` in its name box and OK, or, for an empty
// `typed`, with Cancel.
void AnswerOpenFileDialog(HWND dialog, const std::wstring& typed);
// The tooltip control of this thread owned by `owner`, or null.
HWND TooltipOf(HWND owner);

// Wine 8 does not move a window owned by a non-topmost owner in or out of the topmost band with
// SetWindowPos (Windows does). Tests of that band ask this probe first, so that they check it
// wherever the platform can show it.
bool PlatformMovesOwnedWindowsBetweenBands();

// Shows `form` modally, runs `inside` from its modal loop and returns the modal result; `inside`
// must close the form.
int ShowModalWhile(tk::Form& form, std::function<void()> inside);
RECT WindowRect(HWND window);
void ExpectBounds(const RECT& actual, int left, int top, int width, int height, const char* what);
LOGFONTW FontOf(HWND control);
SIZE TextSize(const tk::FontSpec& font, const std::string& text);
// What the screen shows at a client point of `form`; waits briefly for it to show `color`.
COLORREF ScreenPixel(HWND form, int x, int y);
bool ScreenShows(HWND form, int x, int y, COLORREF color);
// Saves the window as it is on screen, as a BMP under $VANDREL_SCREENSHOTS (default ./screenshots).
bool SaveWindowScreenshot(HWND window, const wchar_t* fileName);

// Whether `upper` stands above `lower` among the top-level windows.
bool Above(HWND upper, HWND lower);
// Runs `action` from the message loop once `window` is on screen (inside whatever modal loop
// is running then).
void WhenShown(HWND window, std::function<void()> action);

// The log where the test prefix's browser and mailer record each address they are handed:
// VANDREL_URL_LOG when Wine was started with it, else one in the prefix. Empty outside Wine.
// Wine hands child processes the Unix environment it was started with, so a test cannot choose it.
std::filesystem::path UrlLog();
// The addresses recorded in that log so far, one a line.
std::vector<std::string> RecordedUrls();

} // namespace testsupport
