#include "capture/control_hotkeys.h"

#include "common/profile.h"

namespace tapmill {

namespace {

const char* const kSection = "controlkeys";
const char* const kNone = "none";
// Beside each hot key's name, the key holding its key's code: "pause" and "pausecode".
const char* const kCodeSuffix = "code";

size_t indexOf(int id) {
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        if (kControlHotKeys[i].id == id) return i;
    return kControlHotKeyCount;
}

}  // namespace

const ControlHotKey* controlHotKey(int id) {
    const size_t i = indexOf(id);
    return i < kControlHotKeyCount ? &kControlHotKeys[i] : nullptr;
}

ControlKeys::ControlKeys() { restoreDefaults(); }

KeyChord ControlKeys::chord(int id) const {
    const size_t i = indexOf(id);
    return i < kControlHotKeyCount ? chords_[i] : KeyChord{};
}

void ControlKeys::set(int id, KeyChord chord) {
    const size_t i = indexOf(id);
    if (i < kControlHotKeyCount) chords_[i] = chord;
}

void ControlKeys::restoreDefaults() {
    for (size_t i = 0; i < kControlHotKeyCount; ++i) chords_[i] = kControlHotKeys[i].standard;
}

bool ControlKeys::allDefault() const {
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        if (chords_[i] != kControlHotKeys[i].standard) return false;
    return true;
}

const ControlHotKey* ControlKeys::holder(KeyChord chord) const {
    if (chord.none()) return nullptr;
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        if (chords_[i] == chord) return &kControlHotKeys[i];
    return nullptr;
}

bool ControlKeys::setsOff(int key, uint32_t modifiers) const {
    const ControlHotKey* hotKey = holder({modifiers, static_cast<uint32_t>(key)});
    return hotKey && hotKey->id != HK_CapturePoint;
}

std::vector<KeyChord> ControlKeys::journalChords() const {
    std::vector<KeyChord> chords;
    for (int id : {HK_JournalPause, HK_JournalRecord, HK_JournalStop, HK_JournalPlay})
        if (!chord(id).none()) chords.push_back(chord(id));
    return chords;
}

void ControlKeys::registerAll(platform::HotKeys& hotKeys, uintptr_t window) const {
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        if (kControlHotKeys[i].id != HK_CapturePoint && !chords_[i].none())
            hotKeys.registerHotKey(window, kControlHotKeys[i].id, chords_[i].modifiers, chords_[i].key);
}

bool ControlKeys::reregister(platform::HotKeys& hotKeys, uintptr_t window, int id, KeyChord chord) const {
    // The editor registers the point capture's key itself, for as long as it captures points.
    if (id == HK_CapturePoint) return true;
    const KeyChord old = this->chord(id);
    hotKeys.unregisterHotKey(window, id);
    if (chord.none() || hotKeys.registerHotKey(window, id, chord.modifiers, chord.key)) return true;
    if (!old.none()) hotKeys.registerHotKey(window, id, old.modifiers, old.key);
    return false;
}

std::string ControlKeys::read(const std::string& configPath, const std::function<bool(KeyChord)>& inTable) {
    // Whether each key has the combination the file chose for it, and kept.
    std::array<bool, kControlHotKeyCount> kept{};
    for (size_t i = 0; i < kControlHotKeyCount; ++i) {
        const std::string setting = kControlHotKeys[i].setting;
        const std::string text = profile::readString(configPath, kSection, setting, "");
        const std::optional<KeyChord> chosen =
            readStoredChord(text, profile::readString(configPath, kSection, setting + kCodeSuffix, ""));
        kept[i] = text == kNone || chosen;
        chords_[i] = text == kNone ? KeyChord{} : chosen ? *chosen : kControlHotKeys[i].standard;
    }
    // The holder of a combination among the others that keep theirs, or null.
    auto keptHolder = [&](KeyChord chord, size_t besides) -> const ControlHotKey* {
        for (size_t j = 0; j < kControlHotKeyCount; ++j)
            if (j != besides && kept[j] && chords_[j] == chord) return &kControlHotKeys[j];
        return nullptr;
    };
    auto heldText = [&](KeyChord chord, size_t besides) {
        const ControlHotKey* other = keptHolder(chord, besides);
        return other ? std::string("已用作控制热键“") + other->name + "”" : std::string("已在热键表中");
    };
    std::array<std::string, kControlHotKeyCount> refusal;
    for (size_t i = 0; i < kControlHotKeyCount; ++i) {
        if (!kept[i] || chords_[i].none()) continue;
        if (const ControlHotKey* other = keptHolder(chords_[i], i))
            refusal[i] = "“" + std::string(kControlHotKeys[i].name) + "”的 " + chordText(chords_[i]) + " 与控制热键“" +
                         other->name + "”相同，";
        else if (inTable(chords_[i]))
            refusal[i] = "“" + std::string(kControlHotKeys[i].name) + "”的 " + chordText(chords_[i]) + " 已在热键表中，";
    }
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        if (!refusal[i].empty()) kept[i] = false;

    std::string message;
    for (size_t i = 0; i < kControlHotKeyCount; ++i) {
        if (kept[i]) continue;
        const KeyChord standard = kControlHotKeys[i].standard;
        const bool taken = keptHolder(standard, i) || inTable(standard);
        chords_[i] = taken ? KeyChord{} : standard;
        if (refusal[i].empty() && !taken) continue;
        const std::string start = refusal[i].empty() ? "“" + std::string(kControlHotKeys[i].name) + "”" : refusal[i];
        message += (message.empty() ? "" : "；\n") + start +
                   (taken ? "默认的 " + chordText(standard) + " " + heldText(standard, i) + "，暂无热键"
                          : "改用默认的 " + chordText(standard));
    }
    return message.empty() ? message : "config.ini 中的控制热键有冲突：\n" + message + "。";
}

void ControlKeys::write(const std::string& configPath) const {
    for (size_t i = 0; i < kControlHotKeyCount; ++i) {
        const std::string setting = kControlHotKeys[i].setting;
        profile::writeString(configPath, kSection, setting, chords_[i].none() ? kNone : chordName(chords_[i]));
        profile::writeString(configPath, kSection, setting + kCodeSuffix, chordCodeText(chords_[i]));
    }
}

}  // namespace tapmill
