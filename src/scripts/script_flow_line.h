#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/input.h"

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

// The end of a waiting line: optionally "，限时" s "秒" and then "，否则跳到：" label.
struct WaitEnd {
    std::optional<int32_t> limitSeconds;   // none: the line waits until what it waits for comes
    std::optional<std::string> otherwise;  // where the run goes on when the limit passes; none: it stops
};

// "等待窗口：" or "激活窗口：" title, then the wait's end.
struct WindowLine {
    std::string title;  // UTF-8, part of the title of the window looked for
    WaitEnd end;
};
WindowLine lineWindow(const std::string& line);

// "等待颜色：X=" x "y=" y "颜色=" RRGGBB (hexadecimal), then optionally "，容差" n (0 to 255, per
// channel), then the wait's end.
struct ColourLine {
    platform::Point point;
    uint32_t colour = 0;  // 0x00RRGGBB
    int tolerance = 0;
    WaitEnd end;
};
ColourLine lineColour(const std::string& line);

// "等待图片：" name, then optionally "，容差" n, then the wait's end. The name is that of a bitmap
// file beside the script (script_images.h), so it must be able to name a file.
struct ImageLine {
    std::string name;  // UTF-8
    int tolerance = 0;
    WaitEnd end;
};
ImageLine lineImage(const std::string& line);

// "移到找到的位置", optionally followed by "，偏移X=" dx "y=" dy: the offset from the place found.
platform::Point lineFoundOffset(const std::string& line);
// "窗口：" title, then optionally "，类：" class, "，DPI：" n (the DPI the positions after it were
// taken at), "，限时" s "秒" and "，否则跳到：" label. The "鼠标移至" lines after it are positions in
// that window's client area.
struct AnchorLine {
    std::string title;      // UTF-8; with a class the window's title, else a part of it
    std::string className;  // UTF-8; empty: any class
    int32_t dpi = 0;        // 0: the positions are not scaled
    WaitEnd end;
};
AnchorLine lineAnchor(const std::string& line);

}  // namespace tapmill::scripts
