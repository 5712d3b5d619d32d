#pragma once
#include <string>

namespace tapmill::scripts {

// The command words of script lines as GBK bytes, the encoding lines are stored and compared in.
struct ScriptWords {
    std::string start;            // 开始
    std::string end;              // 结束
    std::string delay;            // 延时
    std::string milliseconds;     // 毫秒
    std::string keyClick;         // 单击键盘的
    std::string keyDown;          // 按下键盘的
    std::string keyUp;            // 弹起键盘的
    std::string moveTo;           // 鼠标移至
    std::string leftClick;        // 单击鼠标左键
    std::string leftDoubleClick;  // 双击鼠标左键
    std::string rightClick;       // 单击鼠标右键
    std::string leftDown;         // 按下鼠标左键
    std::string leftUp;           // 弹起鼠标左键
    // The words of the lines that type text, wait at random, repeat blocks, jump and wait for
    // windows. None begins with the words of the lines above, so a reader that knows only those
    // takes each of these for a line that does nothing.
    std::string typeText;        // 输入文本：
    std::string randomDelay;     // 随机延时
    std::string loopEnd;         // 循环结束
    std::string loop;            // 循环
    std::string label;           // 标签：
    std::string jump;            // 跳到：
    std::string waitWindow;      // 等待窗口：
    std::string activateWindow;  // 激活窗口：
    // The lines that see the screen, on the same terms.
    std::string waitColour;   // 等待颜色：
    std::string waitImage;    // 等待图片：
    std::string moveToFound;  // 移到找到的位置
    // The lines that make the moves after them positions in a window's client area, and back.
    std::string anchorWindow;     // 窗口：
    std::string screenPositions;  // 屏幕坐标
};

const ScriptWords& scriptWords();

}  // namespace tapmill::scripts
