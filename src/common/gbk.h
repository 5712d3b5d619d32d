#pragma once
#include <optional>
#include <string>

namespace tapmill {

// Conversions between the UTF-8 the program works in and the GBK (code page 936) its script,
// plan and settings files are written in.

// Empty when the text holds a character GBK cannot represent (or is not valid UTF-8).
std::optional<std::string> utf8ToGbk(const std::string& utf8);
// Empty when the bytes are not valid GBK.
std::optional<std::string> gbkToUtf8(const std::string& gbk);
// GBK bytes shown as UTF-8 whatever they hold: an invalid byte becomes U+FFFD.
std::string gbkToUtf8Lossy(const std::string& gbk);

}  // namespace tapmill
