#include "toolkit/Timer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/Exception.h"
#include "toolkit/WindowClass.h"

namespace tk {

// One hidden window takes the messages of every timer: a window for each would cost the start a
// window's creation per timer. It exists while any timer does. Each timer has an id of its own
// that is never given again, so that a tick still queued for a timer that is gone finds nobody.
class TimerWindow final : public WindowTarget {
public:
    static UINT_PTR Join(Timer& timer) {
        if (!instance.window_)
            instance.window_ = CreateMessageWindow(instance, kClass);
        instance.timers_.emplace_back(++instance.lastId_, &timer);
        return instance.lastId_;
    }

    static void Leave(UINT_PTR id) {
        auto& timers = instance.timers_;
        timers.erase(std::find_if(timers.begin(), timers.end(), [id](const auto& t) { return t.first == id; }));
        if (timers.empty())
            instance.window_.Reset(); // safe from within its own tick: the object is static
    }

    static HWND Handle() noexcept { return instance.window_.Get(); }

    // A refusal met where nothing may raise is raised here, from the message loop, once, and
    // reported by the window procedure's boundary like any escaped exception.
    static void ReportRefusalLater() noexcept { PostMessageW(Handle(), kRefusedMessage, 0, 0); }

private:
    static constexpr wchar_t kClass[] = L"TkTimer";
    static constexpr UINT kRefusedMessage = WM_APP;
    static TimerWindow instance;

    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRefusedMessage)
            throw EOutOfResources("Not enough timers available");
        if (message != WM_TIMER)
            return DefWindowProcW(window, message, wParam, lParam);
        for (const auto& [id, timer] : timers_) {
            if (id == wParam) {
                if (timer->onTimer_)
                    timer->onTimer_(); // may create or destroy timers: the loop ends here
                break;
            }
        }
        return 0;
    }

    BoundWindow window_;
    std::vector<std::pair<UINT_PTR, Timer*>> timers_;
    UINT_PTR lastId_ = 0;
};

TimerWindow TimerWindow::instance;

Timer::Timer() : id_(TimerWindow::Join(*this)) {}

Timer::~Timer() {
    if (running_)
        KillTimer(TimerWindow::Handle(), id_);
    TimerWindow::Leave(id_);
}

void Timer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_)
        return;
    if (!Apply(milliseconds))
        throw EOutOfResources("Not enough timers available");
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!Apply(interval_))
        throw EOutOfResources("Not enough timers available");
}

void Timer::SetOnTimer(std::function<void()> handler) {
    onTimer_ = std::move(handler);
    if (!Apply(interval_))
        throw EOutOfResources("Not enough timers available");
}

void Timer::Restart(unsigned milliseconds) noexcept {
    if (!Apply(milliseconds))
        TimerWindow::ReportRefusalLater();
}

bool Timer::Apply(unsigned milliseconds) noexcept {
    HWND window = TimerWindow::Handle();
    if (milliseconds == 0 || !enabled_ || !onTimer_) {
        if (running_)
            KillTimer(window, id_);
        running_ = false;
        interval_ = milliseconds;
        return true;
    }
    // Set in place: the platform replaces the timer of the same id, counting afresh from now.
    if (!window || SetPlatformTimer(window, id_, milliseconds, nullptr) == 0)
        return false;
    running_ = true;
    interval_ = milliseconds;
    return true;
}

} // namespace tk
