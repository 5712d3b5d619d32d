#include "app/global_keys_notice.h"

#include "app/control_key_text.h"
#include "common/profile.h"

namespace tapmill {

namespace {

const char* const kSection = "notice";
const char* const kKey = "globalkeys";
// Positions are pixels at 96 DPI.
constexpr int kClientWidth = 420;
constexpr int kLineHeight = 18;
constexpr int kMargin = 12;
// What a line of the notice holds, in half-width characters: a Chinese character counts two.
constexpr size_t kLineColumns = 64;

size_t columnsOf(const std::string& utf8) {
    size_t columns = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) columns += c < 0x80 ? 1 : 2;
    return columns;
}

// The lines of a text, each broken after a "，" where it would be too long for the notice.
std::vector<std::string> wrapped(const std::string& text) {
    static const std::string kComma = "，";
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line;
        for (size_t piece = start; piece < end;) {
            size_t comma = text.find(kComma, piece);
            const size_t next = comma == std::string::npos || comma >= end ? end : comma + kComma.size();
            const std::string part = text.substr(piece, next - piece);
            if (!line.empty() && columnsOf(line) + columnsOf(part) > kLineColumns) {
                lines.push_back(line);
                line.clear();
            }
            line += part;
            piece = next;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool GlobalKeysNotice::wanted(const std::string& configPath) {
    return profile::readInteger(configPath, kSection, kKey, 0) != 1;
}

std::vector<std::string> GlobalKeysNotice::textLines(const ControlKeys& keys, const std::string& conflicts) {
    const auto key = [&keys](int id) { return controlKeyText(keys, id); };
    std::vector<std::string> lines = conflicts.empty() ? std::vector<std::string>() : wrapped(conflicts);
    if (!lines.empty()) lines.push_back("");
    const std::vector<std::string> keysInForce = {
        "Tapmill运行时，下列热键在所有程序中都归它使用，",
        "其他程序里相同的快捷键（例如Ctrl+Z撤销、Ctrl+W关闭标签、",
        "F10打开菜单）在这期间不起作用：",
        "",
        "录制 " + key(HK_Record) + "　停止 " + key(HK_Stop) + "　播放 " + key(HK_Play) + "　暂停 " + key(HK_Pause),
        "运行脚本 " + key(HK_Run) + "　抓点 " + key(HK_CapturePoint),
        "录制（强化） " + key(HK_JournalRecord) + "　停止 " + key(HK_JournalStop) + "　播放 " + key(HK_JournalPlay) +
            "　暂停 " + key(HK_JournalPause),
        "强化播放随时可按 Ctrl+Esc 停止（系统的按键，不能更改）。",
        "",
        "在“按键选项”中可以更改或清除这些热键。",
    };
    lines.insert(lines.end(), keysInForce.begin(), keysInForce.end());
    return lines;
}

std::vector<std::string> GlobalKeysNotice::lines() const {
    std::vector<std::string> shown;
    for (const std::unique_ptr<ui::Label>& caption : captions_) shown.push_back(caption->text());
    return shown;
}

GlobalKeysNotice::GlobalKeysNotice(Context context) : context_(std::move(context)) {
    const std::vector<std::string> lines = textLines(context_.keys, context_.conflicts);
    const int textHeight = static_cast<int>(lines.size()) * kLineHeight;
    const int buttonsTop = kMargin + textHeight + kMargin;

    ui::WindowSpec spec;
    spec.className = "TForm_keysnotice";
    spec.caption = "全局热键";
    spec.clientWidth = kClientWidth;
    spec.clientHeight = buttonsTop + 26 + kMargin;
    spec.minimizeBox = false;
    spec.owner = context_.owner;
    spec.defaultButtonId = ID_Button_ok;
    window = context_.factory.window(spec, *this);

    int top = kMargin;
    for (const std::string& line : lines) {
        captions_.push_back(context_.factory.label(*window, ID_Caption, {kMargin, top, kClientWidth - 2 * kMargin, 16}, line));
        top += kLineHeight;
    }
    CheckBox_never = context_.factory.checkBox(*window, ID_CheckBox_never, {kMargin, buttonsTop + 4, 120, 18}, "不再提示");
    Button_options = context_.factory.button(*window, ID_Button_options, {kClientWidth - 2 * 96 - kMargin - 8, buttonsTop, 96, 26},
                                             "按键选项");
    Button_ok = context_.factory.button(*window, ID_Button_ok, {kClientWidth - 96 - kMargin, buttonsTop, 96, 26}, "知道了");
}

void GlobalKeysNotice::Button_optionsClick() {
    context_.showKeyOptions();
    window->close();
}

void GlobalKeysNotice::Button_okClick() { window->close(); }

// Closed by a button or by its close box alike: the choice of the box is kept.
void GlobalKeysNotice::onClose() {
    if (CheckBox_never->checked()) profile::writeInteger(context_.configPath, kSection, kKey, 1);
}

void GlobalKeysNotice::onControlEvent(int controlId, ui::Event event, ui::EventArgs&) {
    if (event != ui::Event::Click) return;
    switch (controlId) {
        case ID_Button_options: Button_optionsClick(); break;
        case ID_Button_ok: Button_okClick(); break;
        default: break;
    }
}

}  // namespace tapmill
