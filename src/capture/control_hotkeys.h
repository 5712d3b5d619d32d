#pragma once
#include <cstdint>

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

struct ControlHotKey {
    int id;
    uint32_t modifiers;  // platform::kModAlt, platform::kModControl
    uint32_t key;        // virtual-key code
};

// The control hot keys the main window registers at its creation, in that order.
inline constexpr ControlHotKey kControlHotKeys[] = {
    {HK_Record, platform::kModControl, 'W'},    {HK_Stop, platform::kModControl, 'Q'},
    {HK_Play, platform::kModControl, 'Z'},      {HK_Run, platform::kModControl, 'E'},
    {HK_Pause, 0, 120 /* F9 */},                {HK_JournalPause, 0, 121 /* F10 */},
    {HK_JournalRecord, platform::kModAlt, 'W'}, {HK_JournalStop, platform::kModAlt, 'Q'},
    {HK_JournalPlay, platform::kModAlt, 'Z'},
};

// The control hot key a key pressed with exactly these modifiers sets off, as the system matches
// hot keys; null for any other press.
const ControlHotKey* controlHotKeyPressed(int key, uint32_t modifiers);
// The control hot key of an identifier; null for another identifier.
const ControlHotKey* controlHotKey(int id);

}  // namespace tapmill
