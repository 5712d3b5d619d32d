#include "scripts/script_flow_line.h"

#include "common/gbk.h"
#include "common/intparse.h"
#include "common/script_names.h"
#include "scripts/script_fault.h"
#include "scripts/script_signs.h"
#include "scripts/script_words.h"

namespace tapmill::scripts {

namespace {

const char kUnreadableText[] = "这一行有无法识别的文字";
const char kBadDelayRange[] = "随机延时应写成“随机延时100到500毫秒”，前一个数不大于后一个数";
const char kBadLoopCount[] = "循环应写成“循环3次”，次数是0或正整数";
const char kNoLabel[] = "没有写标签名";
const char kNoTitle[] = "没有写窗口标题";
const char kBadLimit[] = "限时应写成“，限时5秒”，秒数是0或正整数";
const char kBadTolerance[] = "容差应写成“，容差16”，是0到255的整数";
const char kBadColourLine[] = "应写成“等待颜色：X=100y=200颜色=FF8800”，颜色是6位十六进制数";
const char kBadImageName[] = "图片名不能为空，也不能含有 \\ / : * ? \" < > | 这些字符";
const char kBadOffset[] = "偏移应写成“，偏移X=10y=-5”，是整数";
const char kBadDpi[] = "DPI应写成“，DPI：96”，是正整数";
const char kNoClass[] = "没有写窗口类名";

// A half-width sign where a line's sign belongs would make the clause after it part of the title or
// the name, and the wait would never end as the user meant.
void refuseHalfWidthSigns(const std::string& line) {
    const std::string fault = halfWidthSignFault(line);
    if (!fault.empty()) throw ScriptLineFault(fault);
}

// What follows the line's word, as UTF-8.
std::string afterWord(const std::string& line, const std::string& word) {
    std::optional<std::string> text = gbkToUtf8(line.substr(word.size()));
    if (!text) throw ScriptLineFault(kUnreadableText);
    return *text;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A count of the user's: decimal digits only, no sign, within 32 bits; blanks around it are no fault.
std::optional<int32_t> count(const std::string& typed) {
    const std::string text = trimSpaces(typed);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return parseInt32(text);
}

std::string name(const std::string& line, const std::string& word) {
    const std::string label = trimSpaces(afterWord(line, word));
    if (label.empty()) throw ScriptLineFault(kNoLabel);
    return label;
}

// Splits "head" + separator + "tail" at the last separator; false when there is none.
bool splitAtLast(const std::string& text, const std::string& separator, std::string& head, std::string& tail) {
    const size_t at = text.rfind(separator);
    if (at == std::string::npos) return false;
    head = text.substr(0, at);
    tail = text.substr(at + separator.size());
    return true;
}

// Takes "，否则跳到：" label and then "，限时" s "秒" off the end of the text, where they stand.
std::string takeWaitEnd(std::string rest, WaitEnd& end) {
    std::string head, tail;
    if (splitAtLast(rest, "，否则跳到：", head, tail)) {
        end.otherwise = trimSpaces(tail);
        if (end.otherwise->empty()) throw ScriptLineFault(kNoLabel);
        rest = head;
    }
    if (splitAtLast(rest, "，限时", head, tail)) {
        const std::string seconds = "秒";
        end.limitSeconds = endsWith(tail, seconds) ? count(tail.substr(0, tail.size() - seconds.size())) : std::nullopt;
        if (!end.limitSeconds) throw ScriptLineFault(kBadLimit);
        rest = head;
    }
    return rest;
}

// Takes "，容差" n off the end of the text, where it stands.
std::string takeTolerance(const std::string& rest, int& tolerance) {
    std::string head, tail;
    if (!splitAtLast(rest, "，容差", head, tail)) return rest;
    const std::optional<int32_t> n = count(tail);
    if (!n || *n > 255) throw ScriptLineFault(kBadTolerance);
    tolerance = *n;
    return head;
}

// "X=" x "y=" y, each a signed integer, as a move line writes a point.
std::optional<platform::Point> pointOf(const std::string& text) {
    std::string head, x, y;
    const std::string trimmed = trimSpaces(text);
    if (trimmed.compare(0, 2, "X=") != 0 || !splitAtLast(trimmed.substr(2), "y=", x, y)) return std::nullopt;
    const std::optional<int32_t> left = parseInt32(trimSpaces(x)), top = parseInt32(trimSpaces(y));
    if (!left || !top) return std::nullopt;
    return platform::Point{*left, *top};
}

}  // namespace

std::u16string lineText(const std::string& line) {
    const std::string text = afterWord(line, scriptWords().typeText);
    std::u16string units;
    // The text is valid UTF-8 (it came from GBK), so each lead byte says how many follow.
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (size_t k = 1; k < length && i + k < text.size(); ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if (code > 0xFFFF) {
            code -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (code >> 10));
            units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
        i += length;
    }
    return units;
}

DelayRange lineDelayRange(const std::string& line) {
    const std::string text = afterWord(line, scriptWords().randomDelay);
    std::string from, to;
    if (!endsWith(text, "毫秒") || !splitAtLast(text.substr(0, text.size() - std::string("毫秒").size()), "到", from, to))
        throw ScriptLineFault(kBadDelayRange);
    const std::optional<int32_t> a = count(from), b = count(to);
    if (!a || !b || *a > *b) throw ScriptLineFault(kBadDelayRange);
    return {*a, *b};
}

int32_t lineLoopCount(const std::string& line) {
    const std::string text = afterWord(line, scriptWords().loop);
    const std::string times = "次";
    const std::optional<int32_t> n = endsWith(text, times) ? count(text.substr(0, text.size() - times.size())) : std::nullopt;
    if (!n) throw ScriptLineFault(kBadLoopCount);
    return *n;
}

std::string lineLabel(const std::string& line) { return name(line, scriptWords().label); }

std::string lineJumpTarget(const std::string& line) { return name(line, scriptWords().jump); }

WindowLine lineWindow(const std::string& line) {
    refuseHalfWidthSigns(line);
    const ScriptWords& w = scriptWords();
    const bool waits = line.compare(0, w.waitWindow.size(), w.waitWindow) == 0;
    WindowLine window;
    window.title = trimSpaces(takeWaitEnd(afterWord(line, waits ? w.waitWindow : w.activateWindow), window.end));
    if (window.title.empty()) throw ScriptLineFault(kNoTitle);
    return window;
}

ColourLine lineColour(const std::string& line) {
    refuseHalfWidthSigns(line);
    ColourLine colour;
    const std::string rest = takeTolerance(takeWaitEnd(afterWord(line, scriptWords().waitColour), colour.end), colour.tolerance);
    std::string point, hex;
    if (!splitAtLast(rest, "颜色=", point, hex)) throw ScriptLineFault(kBadColourLine);
    const std::optional<platform::Point> at = pointOf(point);
    hex = trimSpaces(hex);
    if (!at || hex.size() != 6 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        throw ScriptLineFault(kBadColourLine);
    colour.point = *at;
    colour.colour = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
    return colour;
}

ImageLine lineImage(const std::string& line) {
    refuseHalfWidthSigns(line);
    ImageLine image;
    image.name = trimSpaces(takeTolerance(takeWaitEnd(afterWord(line, scriptWords().waitImage), image.end), image.tolerance));
    if (!isAcceptableScriptName(image.name)) throw ScriptLineFault(kBadImageName);
    return image;
}

platform::Point lineFoundOffset(const std::string& line) {
    refuseHalfWidthSigns(line);
    const std::string rest = trimSpaces(afterWord(line, scriptWords().moveToFound));
    if (rest.empty()) return {0, 0};
    const std::string word = "，偏移";
    const std::optional<platform::Point> offset =
        rest.compare(0, word.size(), word) == 0 ? pointOf(rest.substr(word.size())) : std::nullopt;
    if (!offset) throw ScriptLineFault(kBadOffset);
    return *offset;
}

AnchorLine lineAnchor(const std::string& line) {
    refuseHalfWidthSigns(line);
    AnchorLine anchor;
    std::string rest = takeWaitEnd(afterWord(line, scriptWords().anchorWindow), anchor.end);
    std::string head, tail;
    if (splitAtLast(rest, "，DPI：", head, tail)) {
        const std::optional<int32_t> dpi = count(tail);
        if (!dpi || *dpi == 0) throw ScriptLineFault(kBadDpi);
        anchor.dpi = *dpi;
        rest = head;
    }
    if (splitAtLast(rest, "，类：", head, tail)) {
        anchor.className = trimSpaces(tail);
        if (anchor.className.empty()) throw ScriptLineFault(kNoClass);
        rest = head;
    }
    // A window without a title is named by its class alone.
    anchor.title = trimSpaces(rest);
    if (anchor.title.empty() && anchor.className.empty()) throw ScriptLineFault(kNoTitle);
    return anchor;
}

}  // namespace tapmill::scripts
