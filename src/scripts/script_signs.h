#pragma once
#include <string>

// The signs of script lines are the full-width "：" and "，". A half-width ":" or "," typed in
// their place would otherwise become part of a title or a name: "等待窗口：Notepad,限时5秒" would
// wait for a window titled "Notepad,限时5秒" for ever. Lines are GBK bytes; GBK's second bytes are
// never below 0x40, so the ASCII signs are found byte by byte.
namespace tapmill::scripts {

// The line with the half-width signs that stand in a sign's place made full-width: the colon right
// after a line's word ("等待窗口:" "标签:"), a comma before a clause the line takes (blanks after
// that comma dropped): "限时" and a number, "否则跳到" and a colon, for the colour and picture waits
// "容差" and a number, for the move to the found place "偏移X", for "窗口：" "类" and "DPI" and a
// colon; and the colon after "否则跳到", "类" and "DPI". Any other comma or colon is text: a title
// may hold "Hello, World" or "A,类型".
std::string withFullWidthSigns(const std::string& line);

// What is wrong with a line that holds a half-width sign in a sign's place, naming the sign; ""
// when it holds none.
std::string halfWidthSignFault(const std::string& line);

}  // namespace tapmill::scripts
