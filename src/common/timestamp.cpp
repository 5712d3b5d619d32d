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
