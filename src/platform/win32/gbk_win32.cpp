// GBK conversions through code page 936, for the Windows build.
#include <windows.h>

#include <string>

#include "common/gbk.h"

namespace tapmill {

namespace {

constexpr UINT kGbk = 936;

std::optional<std::wstring> toWide(UINT codePage, const std::string& in) {
    if (in.empty()) return std::wstring();
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), &w[0], n);
    return w;
}

std::optional<std::string> fromWide(UINT codePage, const std::wstring& w) {
    if (w.empty()) return std::string();
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int n = WideCharToMultiByte(codePage, flags, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                                usedDefaultOut);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, w.data(), static_cast<int>(w.size()), &out[0], n, nullptr, usedDefaultOut);
    if (usedDefault) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> utf8ToGbk(const std::string& utf8) {
    std::optional<std::wstring> w = toWide(CP_UTF8, utf8);
    if (!w) return std::nullopt;
    return fromWide(kGbk, *w);
}

std::optional<std::string> gbkToUtf8(const std::string& gbk) {
    std::optional<std::wstring> w = toWide(kGbk, gbk);
    if (!w) return std::nullopt;
    return fromWide(CP_UTF8, *w);
}

std::string gbkToUtf8Lossy(const std::string& gbk) {
    int n = MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), &w[0], n);
    std::optional<std::string> out = fromWide(CP_UTF8, w);
    return out ? *out : std::string();
}

}  // namespace tapmill
