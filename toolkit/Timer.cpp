#include "toolkit/Timer.h"

#include "toolkit/Application.h"
#include "core/Exception.h"

namespace tk {

namespace {
constexpr wchar_t kTimerClass[] = L"TkTimer";
constexpr UINT_PTR kTimerId = 1;
} // namespace

Timer::Timer() : window_(CreateMessageWindow(kTimerClass, &Timer::StaticWndProc, this)) {}

Timer::~Timer() {
    if (running_)
        KillTimer(window_.Get(), kTimerId);
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

void Timer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    Update();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void Timer::SetOnTimer(std::function<void()> handler) {
    onTimer_ = std::move(handler);
    Update();
}

void Timer::Update() {
    if (running_) {
        KillTimer(window_.Get(), kTimerId);
        running_ = false;
    }
    if (interval_ != 0 && enabled_ && onTimer_) {
        if (!window_ || SetTimer(window_.Get(), kTimerId, interval_, nullptr) == 0)
            throw EOutOfResources("Not enough timers available");
        running_ = true;
    }
}

LRESULT CALLBACK Timer::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* timer = reinterpret_cast<Timer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (timer && timer->onTimer_)
            Guarded([timer] { timer->onTimer_(); });
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tk
