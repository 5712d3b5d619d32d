#include "capture/control_hotkeys.h"

#include "common/profile.h"

namespace tapmill {

namespace {

const char* const kSection = "controlkeys";
const char* const kNone = "none";

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

void ControlKeys::read(const std::string& configPath) {
    for (size_t i = 0; i < kControlHotKeyCount; ++i) {
        const std::string text = profile::readString(configPath, kSection, kControlHotKeys[i].setting, "");
        const std::optional<KeyChord> chosen = parseChord(text);
        chords_[i] = text == kNone ? KeyChord{} : chosen ? *chosen : kControlHotKeys[i].standard;
    }
}

void ControlKeys::write(const std::string& configPath) const {
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        profile::writeString(configPath, kSection, kControlHotKeys[i].setting,
                             chords_[i].none() ? kNone : chordText(chords_[i]));
}

}  // namespace tapmill
