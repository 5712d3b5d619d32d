// GBK conversions with iconv, for the native build.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "common/gbk.h"

namespace tapmill {

namespace {

std::optional<std::string> convert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(in.size() * 2 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t produced = 0;
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = &out[produced];
        size_t dstLeft = out.size() - produced;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        produced = out.size() - dstLeft;
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(produced);
    return out;
}

}  // namespace

std::optional<std::string> utf8ToGbk(const std::string& utf8) { return convert("GBK", "UTF-8", utf8); }

std::optional<std::string> gbkToUtf8(const std::string& gbk) { return convert("UTF-8", "GBK", gbk); }

std::string gbkToUtf8Lossy(const std::string& gbk) {
    std::string out;
    size_t i = 0;
    while (i < gbk.size()) {
        unsigned char c = static_cast<unsigned char>(gbk[i]);
        size_t len = (c >= 0x81 && c <= 0xFE && i + 1 < gbk.size()) ? 2 : 1;
        std::optional<std::string> piece = gbkToUtf8(gbk.substr(i, len));
        if (!piece && len == 2) {
            len = 1;
            piece = gbkToUtf8(gbk.substr(i, 1));
        }
        out += piece ? *piece : std::string("\xEF\xBF\xBD");
        i += len;
    }
    return out;
}

}  // namespace tapmill
