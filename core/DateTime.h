// A moment in local time, as the system clock gives it: what the clock text writes and what the
// time-of-day tick compares with its slots.
#pragma once

struct DateTimeParts {
    int Year = 1;
    int Month = 1;      // 1-12
    int Day = 1;        // 1-31
    int DayOfWeek = 0;  // 0 = Sunday
    int Hour = 0;       // 0-23
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};
