#include "common/intparse.h"

#include "common/error.h"

namespace tapmill {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int32_t> parseInt32(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) return std::nullopt;

    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
        if (i >= text.size()) return std::nullopt;
        uint64_t bits = 0;
        for (; i < text.size(); ++i) {
            int d = hexDigit(text[i]);
            if (d < 0) return std::nullopt;
            bits = bits * 16 + static_cast<uint64_t>(d);
            if (bits > 0xFFFFFFFFull) return std::nullopt;
        }
        uint32_t u = static_cast<uint32_t>(bits);
        if (negative) u = 0u - u;
        return static_cast<int32_t>(u);
    }

    int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t parseInt32Or(const std::string& text, int32_t fallback) {
    std::optional<int32_t> v = parseInt32(text);
    return v ? *v : fallback;
}

int32_t parseInt32Strict(const std::string& text) {
    std::optional<int32_t> v = parseInt32(text);
    if (!v) throw Error("'" + text + "' is not a valid integer value");
    return *v;
}

}  // namespace tapmill
