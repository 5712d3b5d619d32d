#include "scripts/script_words.h"

#include "common/error.h"
#include "common/gbk.h"

namespace tapmill::scripts {

namespace {

std::string gbk(const char* utf8) {
    std::optional<std::string> bytes = utf8ToGbk(utf8);
    if (!bytes) throw Error(std::string("GBK cannot hold the command word ") + utf8);
    return *bytes;
}

}  // namespace

const ScriptWords& scriptWords() {
    static const ScriptWords words{
        gbk("开始"),         gbk("结束"),         gbk("延时"),         gbk("毫秒"),         gbk("单击键盘的"),
        gbk("按下键盘的"),   gbk("弹起键盘的"),   gbk("鼠标移至"),     gbk("单击鼠标左键"), gbk("双击鼠标左键"),
        gbk("单击鼠标右键"), gbk("按下鼠标左键"), gbk("弹起鼠标左键"),
        gbk("输入文本："),   gbk("随机延时"),     gbk("循环结束"),     gbk("循环"),         gbk("标签："),
        gbk("跳到："),       gbk("等待窗口："),   gbk("激活窗口："),
        gbk("等待颜色："),   gbk("等待图片："),   gbk("移到找到的位置"),
        gbk("窗口："),       gbk("屏幕坐标"),
    };
    return words;
}

}  // namespace tapmill::scripts
