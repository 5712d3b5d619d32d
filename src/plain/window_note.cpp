#include "plain/window_note.h"

#include "common/gbk.h"
#include "common/intparse.h"
#include "common/profile.h"

namespace tapmill {

namespace {

// The longest start of the UTF-8 text that GBK holds on one line, cut between characters: a line
// break in another program's text would end the key's line and start lines of its own.
std::string gbkStart(const std::string& text, bool& cut) {
    const std::string utf8 = text.substr(0, text.find_first_of("\r\n"));
    cut = utf8.size() < text.size();
    if (std::optional<std::string> whole = utf8ToGbk(utf8)) return *whole;
    cut = true;
    std::string start;
    for (size_t at = 0; at < utf8.size();) {
        size_t next = at + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80) ++next;
        std::optional<std::string> character = utf8ToGbk(utf8.substr(at, next - at));
        if (!character) break;
        start += *character;
        at = next;
    }
    return start;
}

}  // namespace

void writeWindowNote(const std::string& path, const std::string& section, const WindowNote& note) {
    bool classCut = false, titleCut = false;
    profile::writeString(path, section, "wcls", gbkStart(note.className, classCut));
    profile::writeString(path, section, "wtitle", gbkStart(note.title, titleCut));
    if (note.titleIsStart || titleCut)
        profile::writeString(path, section, "wstart", "1");
    profile::writeString(path, section, "wpos", std::to_string(note.clientX) + "," + std::to_string(note.clientY));
    profile::writeInteger(path, section, "wdpi", note.dpi);
    if (note.keyboard) profile::writeString(path, section, "wkey", "1");
}

std::optional<WindowNote> readWindowNote(const std::string& path, const std::string& section) {
    const std::string className = profile::readString(path, section, "wcls", "");
    if (className.empty()) return std::nullopt;
    WindowNote note;
    note.className = gbkToUtf8Lossy(className);
    note.title = gbkToUtf8Lossy(profile::readString(path, section, "wtitle", ""));
    note.titleIsStart = profile::readInteger(path, section, "wstart", 0) == 1;
    const std::string position = profile::readString(path, section, "wpos", "");
    const size_t comma = position.find(',');
    if (comma == std::string::npos) return std::nullopt;
    std::optional<int32_t> x = parseInt32(position.substr(0, comma));
    std::optional<int32_t> y = parseInt32(position.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    note.clientX = *x;
    note.clientY = *y;
    note.dpi = profile::readInteger(path, section, "wdpi", 96);
    if (note.dpi <= 0) note.dpi = 96;
    note.keyboard = profile::readInteger(path, section, "wkey", 0) == 1;
    return note;
}

}  // namespace tapmill
