#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "capture/key_chord.h"
#include "platform/hotkeys.h"

namespace tapmill {

// Control hot keys of the main window.
enum HotKeyId : int {
    HK_Record = 200410101,
    HK_Stop = 200410102,
    HK_Play = 200410103,
    HK_Pause = 200410104,
    HK_Run = 200410108,
    HK_JournalPause = 200510101,
    HK_JournalRecord = 200510102,
    HK_JournalStop = 200510103,
    HK_JournalPlay = 200510104,
    HK_CapturePoint = 200411111,
};

// One control hot key: its identifier, what the user calls it, its key in config.ini and the
// combination it has by default.
struct ControlHotKey {
    int id;
    const char* name;
    const char* setting;
    KeyChord standard;
};

// The ten control hot keys with their documented combinations. All but the point capture are
// registered at the main window's creation, in this order; the editor registers Ctrl+1 itself.
inline constexpr ControlHotKey kControlHotKeys[] = {
    {HK_Record, "录制", "record", {platform::kModControl, 'W'}},
    {HK_Stop, "停止", "stop", {platform::kModControl, 'Q'}},
    {HK_Play, "播放", "play", {platform::kModControl, 'Z'}},
    {HK_Run, "运行", "run", {platform::kModControl, 'E'}},
    {HK_Pause, "暂停", "pause", {0, 120 /* F9 */}},
    {HK_JournalPause, "强化暂停", "stpause", {0, 121 /* F10 */}},
    {HK_JournalRecord, "强化录制", "strec", {platform::kModAlt, 'W'}},
    {HK_JournalStop, "强化结束", "ststop", {platform::kModAlt, 'Q'}},
    {HK_JournalPlay, "强化播放", "stplay", {platform::kModAlt, 'Z'}},
    {HK_CapturePoint, "抓点", "point", {platform::kModControl, '1'}},
};
inline constexpr size_t kControlHotKeyCount = sizeof(kControlHotKeys) / sizeof(kControlHotKeys[0]);

// The combinations the control hot keys have now: the documented ones unless the user chose
// others (or none) on the options panel. They are kept in config.ini, section "controlkeys", one
// key per hot key holding chordName or "none", and beside it the same key followed by "code"
// holding the key's code (chordCodeText, "0" for none): "pause=0" and "pausecode=96" for Num0. A
// missing or unreadable value is the documented combination, so a settings file without the
// section means the documented set.
class ControlKeys {
public:
    ControlKeys();

    KeyChord chord(int id) const;
    void set(int id, KeyChord chord);
    void restoreDefaults();
    bool allDefault() const;
    // The control hot key that holds a combination, or null.
    const ControlHotKey* holder(KeyChord chord) const;
    // Whether a key pressed with exactly these modifiers sets off a hot key registered at the
    // main window's creation, as the system matches hot keys.
    bool setsOff(int key, uint32_t modifiers) const;
    // The combinations of the journal's pause, record, stop and play keys that have a key.
    std::vector<KeyChord> journalChords() const;

    // Registers the hot keys of the main window's creation with their combinations, for that
    // window; one another program holds is simply absent, and so is one without a key.
    void registerAll(platform::HotKeys& hotKeys, uintptr_t window) const;
    // Whether the hot key may have the combination: it is registered at once when it is one of
    // those of the creation (the old combination goes), and false, with the old one kept, when
    // another program holds the new one.
    bool reregister(platform::HotKeys& hotKeys, uintptr_t window, int id, KeyChord chord) const;

    // Reads the combinations of config.ini. A combination two control hot keys were given, or one
    // an entry of the user's table holds (inTable), is refused like a value that names none: the
    // documented combination, or none where a key kept or the table holds that. Gives the message
    // naming each such refusal (and each documented key that could not be had), empty for none.
    std::string read(const std::string& configPath, const std::function<bool(KeyChord)>& inTable);
    void write(const std::string& configPath) const;

private:
    std::array<KeyChord, kControlHotKeyCount> chords_;
};

// The control hot key of an identifier; null for another identifier.
const ControlHotKey* controlHotKey(int id);

}  // namespace tapmill
