#pragma once
// hotkey.ini: the user's hot keys, one section per entry in the order they were added, named by
// a number that no other entry has, holding GBK text:
//   key     = the combination as chordName spells it ("F7", "Ctrl+F7", "0" for Num0 as for 0)
//   keycode = the key's decimal code, which tells the keys "key" cannot ("96" for Num0); it counts
//             only while "key" is the name of that code (readStoredChord), and files without it
//             read by "key" alone
//   kind    = "运行" starts the script, "停止" stops whatever plays or runs
//   jbname  = the script's name followed by its type letter, "R" plain recording, "M" hand-written
//   times   = the play count, above 0, or "-359" for endless; a value that is no number reads as 1
//   enabled = 1 while the entry is to be registered as a hot key, 0 while it is not
// An entry is written key by key with "enabled" last; a section without a readable key or script
// (a write cut short) is no entry. An entry the window would never have written (an unknown kind
// or type letter, a name that leaves its folder, a count of none, a key an earlier entry holds)
// is listed with its faults marked and never registered.
#include <cstdint>
#include <string>
#include <vector>

#include "capture/key_chord.h"
#include "platform/hotkeys.h"

namespace tapmill {

struct HotKeyEntry {
    KeyChord chord;
    bool stops = false;  // "停止" rather than "运行"
    bool plainRecording = true;
    std::string script;  // UTF-8
    int32_t count = 1;   // kEndlessPlayCount for endless
    bool enabled = true;
    std::string section;  // where hotkey.ini keeps it
    enum Fault : unsigned { KeyFault = 1, ScriptFault = 2, CountFault = 4 };
    unsigned faults = 0;
    // Enabled, but another program held the combination when it was to be registered.
    bool taken = false;

    bool inForce() const { return enabled && !faults && !taken; }
};

// Whether the recording or script an entry starts is gone from its folder of the program folder.
bool userHotKeyScriptMissing(const std::string& exedir, const HotKeyEntry& entry);

// The entries of hotkey.ini and their registration as system-wide hot keys of one window: the
// entry at index i has the identifier kFirstId + i while it is registered.
class HotKeyTable {
public:
    static constexpr int kFirstId = 200610001;

    explicit HotKeyTable(platform::HotKeys& hotKeys) : hotKeys_(hotKeys) {}

    // Reads the entries of the file and registers the enabled ones for the window; an entry whose
    // combination another program holds stays unregistered and is marked taken.
    void load(const std::string& path, uintptr_t window);
    const std::vector<HotKeyEntry>& entries() const { return entries_; }
    // The entry holding the combination, or null: any entry, as no two entries share one.
    const HotKeyEntry* holder(KeyChord chord) const;
    // The entry that keeps the combination from the control hot keys: one enabled and valid, which
    // is registered (or tried again by "启用" while another program holds it). A disabled or
    // invalid entry is never registered, and holds nothing a control hot key could lose.
    const HotKeyEntry* claimer(KeyChord chord) const;
    // Whether a key pressed with exactly these modifiers sets off an entry in force.
    bool setsOff(int key, uint32_t modifiers) const;
    // The entry in force a hot-key identifier stands for, or null.
    const HotKeyEntry* entryOf(int id) const;

    // Registers the entry (false, and nothing kept, when another program holds its combination)
    // and writes it at the end of the file.
    bool add(HotKeyEntry entry);
    void remove(size_t index);
    // False when the entry was to be enabled, or is enabled but was taken, and another program
    // holds its combination. A faulty entry stays as it is.
    bool toggle(size_t index);
    // Unregisters every entry, as the program's end does.
    void unregisterAll();

private:
    void writeEnabled(const HotKeyEntry& entry);
    bool registerAt(size_t index);
    void reregisterFrom(size_t index, size_t oldCount);

    platform::HotKeys& hotKeys_;
    std::string path_;
    uintptr_t window_ = 0;
    std::vector<HotKeyEntry> entries_;
};

}  // namespace tapmill
