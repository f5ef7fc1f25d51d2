#include "toolkit/Timer.h"

#include "core/Exception.h"

namespace tk {

namespace {
constexpr wchar_t kTimerClass[] = L"TkTimer";
constexpr UINT_PTR kTimerId = 1;
} // namespace

Timer::Timer() : window_(CreateMessageWindow(*this, kTimerClass)) {}

Timer::~Timer() {
    if (running_)
        KillTimer(window_.Get(), kTimerId);
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

LRESULT Timer::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER)
        return DefWindowProcW(window, message, wParam, lParam);
    if (onTimer_)
        onTimer_();
    return 0;
}

} // namespace tk
