#include "common/timestamp.h"

#include <cstdio>

namespace tapmill {

std::string timestamp14(const LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.year % 10000, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

std::string clockText(const LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year % 10000, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

}  // namespace tapmill

namespace tapmill {

namespace {

// Days since 1970-01-01 of a civil date, and back (the usual era-based conversion).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

LocalTime addMilliseconds(const LocalTime& t, uint64_t ms) {
    const int64_t seconds = daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second +
                            static_cast<int64_t>(ms / 1000);
    LocalTime r;
    civilFromDays(seconds / 86400, r.year, r.month, r.day);
    const int64_t inDay = seconds % 86400;
    r.hour = static_cast<int>(inDay / 3600);
    r.minute = static_cast<int>(inDay % 3600 / 60);
    r.second = static_cast<int>(inDay % 60);
    return r;
}

}  // namespace tapmill
