#include "journal/journal_file.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/intparse.h"
#include "common/profile.h"
#include "common/profile_index.h"
#include "platform/files.h"

namespace tapmill::journal {

namespace {

const char* const kEndSection = "end";
const char* const kCountKey = "all";

// The five replayed keys, in the order of JournalEvent's fields.
constexpr std::array<const char*, 5> kEventKeys = {"message", "paramL", "paramH", "time", "hwnd"};

int32_t bits(uint32_t value) { return static_cast<int32_t>(value); }

void setField(JournalEvent& event, size_t field, int32_t value) {
    switch (field) {
        case 0: event.message = static_cast<uint32_t>(value); break;
        case 1: event.paramL = value; break;
        case 2: event.paramH = value; break;
        case 3: event.time = static_cast<uint32_t>(value); break;
        default: event.hwnd = static_cast<uint32_t>(value); break;
    }
}

// The event number a section name stands for, as the profile layer would match "0", "1", ...:
// only the plain decimal spelling, below the table's room.
int32_t eventNumberOf(std::string_view name) {
    if (name.empty() || name.size() > 7 || (name.size() > 1 && name[0] == '0')) return -1;
    int32_t number = 0;
    for (char c : name) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number < kMaxJournalEvents ? number : -1;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool startsDoubleByte(std::string_view text, size_t i) {
    auto lead = static_cast<unsigned char>(text[i]);
    return lead >= 0x81 && lead <= 0xFE && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x40 &&
           static_cast<unsigned char>(text[i + 1]) <= 0xFE;
}

// One pass over a journal's text with the line rules of the profile layer (common/profile_index):
// of duplicate sections and keys the first one counts.
class JournalReader {
public:
    void line(std::string_view line) {
        size_t p = 0;
        while (p < line.size() && isBlank(line[p])) ++p;
        if (p < line.size() && line[p] == '[') {
            size_t q = p + 1;
            while (q < line.size() && line[q] != ']') q += startsDoubleByte(line, q) ? 2 : 1;
            if (q < line.size()) return header(profile::trimBlanks(line.substr(p + 1, q - p - 1)));
        }
        size_t eq = line.find('=', p);
        if (eq == std::string_view::npos) return;
        std::string_view value = profile::trimBlanks(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        key(profile::foldName(profile::trimBlanks(line.substr(p, eq - p))), value);
    }

    LoadedJournal finish() {
        LoadedJournal loaded;
        loaded.storedCount = count_;
        events_.resize(static_cast<size_t>(std::max(0, std::min(count_, kMaxJournalEvents))));
        loaded.events = std::move(events_);
        return loaded;
    }

private:
    enum class Current { None, Event, End };

    void header(std::string_view name) {
        current_ = Current::None;
        if (profile::foldName(name) == kEndSection) {
            if (!endSeen_) current_ = Current::End;
            endSeen_ = true;
            return;
        }
        int32_t number = eventNumberOf(name);
        if (number < 0) return;
        auto index = static_cast<size_t>(number);
        if (index >= events_.size()) {
            events_.resize(index + 1);
            keysSeen_.resize(index + 1);
        }
        if (keysSeen_[index] & kSectionSeen) return;
        keysSeen_[index] = kSectionSeen;
        current_ = Current::Event;
        event_ = index;
    }

    void key(const std::string& name, std::string_view value) {
        if (current_ == Current::End) {
            if (name == kCountKey && !countSeen_) count_ = parseInt32Or(std::string(value), 0);
            countSeen_ = countSeen_ || name == kCountKey;
            return;
        }
        if (current_ != Current::Event) return;
        static const std::array<std::string, kEventKeys.size()> folded = {
            profile::foldName(kEventKeys[0]), profile::foldName(kEventKeys[1]), profile::foldName(kEventKeys[2]),
            profile::foldName(kEventKeys[3]), profile::foldName(kEventKeys[4])};
        for (size_t field = 0; field < folded.size(); ++field) {
            if (name != folded[field]) continue;
            const auto bit = static_cast<uint8_t>(1u << field);
            if (keysSeen_[event_] & bit) return;
            keysSeen_[event_] |= bit;
            setField(events_[event_], field, parseInt32Or(std::string(value), 0));
            return;
        }
    }

    static constexpr uint8_t kSectionSeen = 0x80;
    Current current_ = Current::None;
    size_t event_ = 0;
    bool endSeen_ = false;
    bool countSeen_ = false;
    int32_t count_ = 0;
    JournalTable events_;
    std::vector<uint8_t> keysSeen_;  // per event: kSectionSeen and one bit per field read
};

}  // namespace

void writeJournalEvent(const std::string& path, int32_t number, int32_t code, int32_t wParam,
                       const JournalEvent& event) {
    const std::string section = std::to_string(number);
    profile::writeInteger(path, section, "iCode", code);
    profile::writeInteger(path, section, "wParam", wParam);
    profile::writeInteger(path, section, "message", bits(event.message));
    profile::writeInteger(path, section, "paramL", event.paramL);
    profile::writeInteger(path, section, "paramH", event.paramH);
    profile::writeInteger(path, section, "time", bits(event.time));
    profile::writeInteger(path, section, "hwnd", bits(event.hwnd));
}

void writeJournalEventCount(const std::string& path, int32_t count) {
    profile::writeInteger(path, kEndSection, kCountKey, count);
}

int32_t readJournalEventCount(const std::string& path) { return profile::readInteger(path, kEndSection, kCountKey, 0); }

JournalEvent readJournalEvent(const std::string& path, int32_t number) {
    const std::string section = std::to_string(number);
    JournalEvent event;
    for (size_t field = 0; field < kEventKeys.size(); ++field)
        setField(event, field, profile::readInteger(path, section, kEventKeys[field], 0));
    return event;
}

LoadedJournal loadJournal(const std::string& path) {
    std::string text;
    // A file larger than the profile layer reads has no events for it either, and would not fit
    // the program's memory beside its table.
    if (files::identity(path).size > profile::kMaxFileBytes || !files::readAll(path, text)) return {};
    JournalReader reader;
    std::string_view all(text);
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = all.size();
        reader.line(all.substr(pos, end - pos));
        pos = end;
        if (pos < all.size()) pos += (all[pos] == '\r' && pos + 1 < all.size() && all[pos + 1] == '\n') ? 2 : 1;
    }
    return reader.finish();
}

}  // namespace tapmill::journal
