// How late a time-of-day slot fires after its second begins, with the strip's own Timer3 and
// tick and the program's message loop. Arms ShutdownAtTime for the next second, again and again
// (its script is missing, so the action returns at once), and stamps the moment the message that
// fired it has been handled. Prints p50, p95 and the maximum in milliseconds.
//   firing_latency.exe [FIRINGS]      (default 300, one a second)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ProgramWindows.h"

namespace {

// Milliseconds since the current second began. Time zones differ from UTC by whole minutes, so
// the fraction of the system time is the fraction of the local time that the tick compares.
double MillisecondsIntoSecond() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<double>(ticks % 10'000'000) / 10'000.0;
}

void ArmForNextSecond() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int second = (now.wHour * 3600 + now.wMinute * 60 + now.wSecond + 1) % 86400;
    ArmAtTime(TaskKind::Shutdown, TimeCode(second / 3600, second / 60 % 60, second % 60));
}

double Percentile(const std::vector<double>& sorted, double p) {
    const std::size_t index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[index];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int firings = argc > 1 ? std::max(1, _wtoi(argv[1])) : 300;
    tk::Application application;
    BuildProgramWindows(application);
    Form1->ShutdownScript = "Z:\\nonexistent\\down.bat";

    std::vector<double> late;
    late.reserve(static_cast<std::size_t>(firings));
    ArmForNextSecond();
    while (static_cast<int>(late.size()) < firings && !application.Terminated()) {
        application.HandleMessage();
        if (ShutdownAtTime.State != TaskDone)
            continue;
        late.push_back(MillisecondsIntoSecond());
        ArmForNextSecond();
    }

    std::sort(late.begin(), late.end());
    double sum = 0;
    for (double value : late)
        sum += value;
    std::printf("time-of-day firings: %zu\n", late.size());
    std::printf("late after the second began (ms): p50 %.1f  p95 %.1f  max %.1f  mean %.1f  min %.1f\n",
                Percentile(late, 0.50), Percentile(late, 0.95), late.back(), sum / static_cast<double>(late.size()),
                late.front());
    return 0;
}
