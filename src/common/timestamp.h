#pragma once
#include <cstdint>
#include <string>

namespace tapmill {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "yyyyMMddhhmmss": 14 digits that order as text the way the moments order in time.
std::string timestamp14(const LocalTime& t);
// "yyyy-MM-dd hh:mm:ss", the clock field's text.
std::string clockText(const LocalTime& t);

}  // namespace tapmill

namespace tapmill {

// The moment `ms` milliseconds after t, across days, months and years (proleptic Gregorian).
LocalTime addMilliseconds(const LocalTime& t, uint64_t ms);

}  // namespace tapmill
