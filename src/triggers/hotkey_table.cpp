#include "triggers/hotkey_table.h"

#include "common/counts.h"
#include "common/error.h"
#include "common/gbk.h"
#include "common/intparse.h"
#include "common/profile.h"
#include "common/script_names.h"
#include "platform/files.h"

namespace tapmill {

namespace {

std::string gbk(const std::string& utf8) {
    std::optional<std::string> text = utf8ToGbk(utf8);
    if (!text) throw Error("GBK cannot hold the script name '" + utf8 + "'");
    return *text;
}

const std::string& stopKindText() {
    static const std::string text = *utf8ToGbk("停止");
    return text;
}

const std::string& runKindText() {
    static const std::string text = *utf8ToGbk("运行");
    return text;
}

// The first number above every numbered section, so a new entry never lands in an old one.
std::string freeSection(const std::string& path) {
    int32_t highest = 0;
    for (const std::string& section : profile::sectionNames(path)) {
        const std::optional<int32_t> number = parseInt32(section);
        if (number && *number > highest) highest = *number;
    }
    return std::to_string(highest + 1);
}

}  // namespace

bool userHotKeyScriptMissing(const std::string& exedir, const HotKeyEntry& entry) {
    const std::string path = exedir + (entry.plainRecording ? "jb_rec\\" : "jb_homa\\") + entry.script + ".ini";
    return !files::exists(path) || files::isDirectory(path);
}

void HotKeyTable::load(const std::string& path, uintptr_t window) {
    path_ = path;
    window_ = window;
    entries_.clear();
    for (const std::string& section : profile::sectionNames(path)) {
        const std::optional<KeyChord> chord = readStoredChord(profile::readString(path, section, "key", ""),
                                                              profile::readString(path, section, "keycode", ""));
        const std::string jbname = profile::readString(path, section, "jbname", "");
        const std::string enabled = profile::readString(path, section, "enabled", "");
        if (!chord || jbname.size() < 2 || enabled.empty()) continue;
        HotKeyEntry entry;
        entry.chord = *chord;
        const std::string kind = profile::readString(path, section, "kind", "");
        entry.stops = kind == stopKindText();
        const char type = jbname.back();
        entry.plainRecording = type == 'R';
        // A type letter the program does not know is part of what is shown as wrong.
        const bool knownType = type == 'R' || type == 'M';
        entry.script = gbkToUtf8Lossy(knownType ? jbname.substr(0, jbname.size() - 1) : jbname);
        entry.count = profile::readInteger(path, section, "times", 1);
        entry.enabled = enabled == "1";
        entry.section = section;
        if ((!entry.stops && kind != runKindText()) || holder(entry.chord)) entry.faults |= HotKeyEntry::KeyFault;
        if (!knownType || !isAcceptableScriptName(entry.script)) entry.faults |= HotKeyEntry::ScriptFault;
        if (entry.count <= 0 && entry.count != kEndlessPlayCount) entry.faults |= HotKeyEntry::CountFault;
        entries_.push_back(entry);
    }
    for (size_t i = 0; i < entries_.size(); ++i) registerAt(i);
}

const HotKeyEntry* HotKeyTable::holder(KeyChord chord) const {
    for (const HotKeyEntry& entry : entries_)
        if (entry.chord == chord) return &entry;
    return nullptr;
}

const HotKeyEntry* HotKeyTable::claimer(KeyChord chord) const {
    for (const HotKeyEntry& entry : entries_)
        if (entry.chord == chord && entry.enabled && !entry.faults) return &entry;
    return nullptr;
}

bool HotKeyTable::setsOff(int key, uint32_t modifiers) const {
    const HotKeyEntry* entry = holder({modifiers, static_cast<uint32_t>(key)});
    return entry && entry->inForce();
}

const HotKeyEntry* HotKeyTable::entryOf(int id) const {
    const int64_t index = static_cast<int64_t>(id) - kFirstId;
    if (index < 0 || index >= static_cast<int64_t>(entries_.size())) return nullptr;
    const HotKeyEntry& entry = entries_[static_cast<size_t>(index)];
    return entry.inForce() ? &entry : nullptr;
}

bool HotKeyTable::registerAt(size_t index) {
    HotKeyEntry& entry = entries_[index];
    if (!entry.enabled || entry.faults) return true;
    entry.taken = !hotKeys_.registerHotKey(window_, kFirstId + static_cast<int>(index), entry.chord.modifiers,
                                           entry.chord.key);
    return !entry.taken;
}

bool HotKeyTable::add(HotKeyEntry entry) {
    const std::string jbname = gbk(entry.script) + (entry.plainRecording ? "R" : "M");
    entries_.push_back(entry);
    if (!registerAt(entries_.size() - 1)) {
        entries_.pop_back();
        return false;
    }
    HotKeyEntry& added = entries_.back();
    added.section = freeSection(path_);
    try {
        profile::writeString(path_, added.section, "key", chordName(added.chord));
        profile::writeString(path_, added.section, "keycode", chordCodeText(added.chord));
        profile::writeString(path_, added.section, "kind", added.stops ? stopKindText() : runKindText());
        profile::writeString(path_, added.section, "jbname", jbname);
        profile::writeInteger(path_, added.section, "times", added.count);
        writeEnabled(added);
    } catch (const Error&) {
        // What is not in the file is no entry: it is not kept as a hot key either.
        hotKeys_.unregisterHotKey(window_, kFirstId + static_cast<int>(entries_.size() - 1));
        entries_.pop_back();
        throw;
    }
    return true;
}

void HotKeyTable::remove(size_t index) {
    if (index >= entries_.size()) return;
    profile::eraseSection(path_, entries_[index].section);
    const size_t oldCount = entries_.size();
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    reregisterFrom(index, oldCount);
}

// The entries after a removed one move up, and with them their identifiers.
void HotKeyTable::reregisterFrom(size_t index, size_t oldCount) {
    for (size_t i = index; i < oldCount; ++i) hotKeys_.unregisterHotKey(window_, kFirstId + static_cast<int>(i));
    for (size_t i = index; i < entries_.size(); ++i) registerAt(i);
}

bool HotKeyTable::toggle(size_t index) {
    if (index >= entries_.size()) return true;
    HotKeyEntry& entry = entries_[index];
    if (entry.faults) return true;
    // One another program held at start is tried again, as the user asks to put it in force.
    if (entry.taken) return registerAt(index);
    entry.enabled = !entry.enabled;
    if (entry.enabled && !registerAt(index)) {
        entry.enabled = false;
        entry.taken = false;
        return false;
    }
    if (!entry.enabled) hotKeys_.unregisterHotKey(window_, kFirstId + static_cast<int>(index));
    writeEnabled(entry);
    return true;
}

void HotKeyTable::writeEnabled(const HotKeyEntry& entry) {
    profile::writeInteger(path_, entry.section, "enabled", entry.enabled ? 1 : 0);
}

void HotKeyTable::unregisterAll() {
    for (size_t i = 0; i < entries_.size(); ++i) hotKeys_.unregisterHotKey(window_, kFirstId + static_cast<int>(i));
}

}  // namespace tapmill
