// The clock's regional settings as Windows gives them for the thread's locale, and the era
// names of its alternate calendar.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "core/ClockText.h"

// Reads the thread locale's pictures, separators, designators, clock flags, calendar type and
// month and weekday names. Anything the locale does not give keeps its default. The short-date
// picture comes back adjusted and the long-time picture built.
FormatSettings ReadFormatSettings();

// Era names and years within an era from the thread locale's alternate calendar.
class WindowsEraSource : public EraSource {
public:
    std::string EraName(const DateTimeParts& date) const override;
    std::string EraYear(const DateTimeParts& date, bool fourDigits) const override;
};

DateTimeParts FromSystemTime(const SYSTEMTIME& time);
