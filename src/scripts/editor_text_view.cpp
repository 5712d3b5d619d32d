#include "scripts/editor_text_view.h"

#include <algorithm>
#include <optional>

#include "common/gbk.h"
#include "scripts/script_file.h"
#include "scripts/script_signs.h"

namespace tapmill::scripts {

void EditorTextView::open(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += gbkToUtf8Lossy(line) + "\r\n";
    shown_ = text;
    text_.setText(text);
    list_.setVisible(false);
    text_.setVisible(true);
    text_.setFocus();
    open_ = true;
}

void EditorTextView::close() {
    open_ = false;
    text_.setVisible(false);
    list_.setVisible(true);
    list_.setFocus();
}

// The text splits into lines as a script file does (CR LF, a lone CR or LF), so a pasted text
// from any editor reads alike; a final line end adds no empty line. Half-width signs typed where
// the lines' full-width ones belong are taken as those.
EditorTextView::Reading EditorTextView::read() const {
    Reading reading;
    std::vector<LineFault> unsavable;
    const std::vector<std::string> typed = splitScriptLines(text_.text());
    for (size_t i = 0; i < typed.size(); ++i) {
        std::optional<std::string> bytes = utf8ToGbk(typed[i]);
        if (!bytes) unsavable.push_back({static_cast<int>(i) + 1, "含有脚本文件无法保存的字符"});
        reading.lines.push_back(bytes ? withFullWidthSigns(*bytes) : std::string());
    }
    reading.faults = scriptFaults(reading.lines);
    // A line that could not be converted reads as empty above: its own fault replaces any other.
    for (const LineFault& fault : unsavable) {
        auto same = std::find_if(reading.faults.begin(), reading.faults.end(),
                                 [&](const LineFault& f) { return f.number == fault.number; });
        if (same != reading.faults.end()) *same = fault;
        else reading.faults.push_back(fault);
    }
    std::sort(reading.faults.begin(), reading.faults.end(),
              [](const LineFault& a, const LineFault& b) { return a.number < b.number; });
    return reading;
}

}  // namespace tapmill::scripts
