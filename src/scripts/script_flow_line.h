#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The operands of the building-block lines: typing a text, a random delay, loops, labels and jumps,
// and the window lines (script_line.h recognises them by their word). The words are compared as
// GBK bytes from the first byte; what follows a word is read as characters, so a title or a label
// may hold any character GBK has. A line that does not read throws ScriptLineFault saying, in the
// user's words, what is wrong with it.
namespace tapmill::scripts {

// "输入文本：" text: the UTF-16 units of the text, in the order they are typed.
std::u16string lineText(const std::string& line);

// "随机延时" a "到" b "毫秒", with 0 <= a <= b.
struct DelayRange {
    int32_t from = 0;
    int32_t to = 0;
};
DelayRange lineDelayRange(const std::string& line);

// "循环" n "次", with n >= 0.
int32_t lineLoopCount(const std::string& line);

// The name of a "标签：" line or the label a "跳到：" line goes to, blanks around it dropped.
std::string lineLabel(const std::string& line);
std::string lineJumpTarget(const std::string& line);

// "等待窗口：" or "激活窗口：" title, then optionally "，限时" s "秒" and "，否则跳到：" label.
struct WindowLine {
    std::string title;                     // UTF-8, part of the title of the window looked for
    std::optional<int32_t> limitSeconds;   // none: the line waits until the window comes
    std::optional<std::string> otherwise;  // where the run goes on when the limit passes; none: it stops
};
WindowLine lineWindow(const std::string& line);

// "窗口：" title, then optionally "，类：" class, "，DPI：" n (the DPI the positions after it were
// taken at), "，限时" s "秒" and "，否则跳到：" label. The "鼠标移至" lines after it are positions in
// that window's client area.
struct AnchorLine {
    std::string title;      // UTF-8; with a class the window's title, else a part of it
    std::string className;  // UTF-8; empty: any class
    int32_t dpi = 0;        // 0: the positions are not scaled
    std::optional<int32_t> limitSeconds;
    std::optional<std::string> otherwise;
};
AnchorLine lineAnchor(const std::string& line);

}  // namespace tapmill::scripts
