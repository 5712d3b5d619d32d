// Every combination the key fields can take comes back from config.ini and hotkey.ini as it was
// saved: the keypad digits, the keys without a name and those above the first 123 included.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/control_hotkeys.h"
#include "capture/hook_messages.h"
#include "support/form_fixture.h"
#include "triggers/hotkey_table.h"

namespace tapmill {
namespace {

using ::testing::IsEmpty;

// Every key 1 to 254 with each set of Ctrl, Alt and Shift.
std::vector<KeyChord> everyChord() {
    std::vector<KeyChord> chords;
    for (uint32_t modifiers = 0; modifiers < 8; ++modifiers)
        for (int key = 1; key <= kHighestKeyNumber; ++key) chords.push_back({modifiers, static_cast<uint32_t>(key)});
    return chords;
}

std::string describe(KeyChord chord) {
    return "modifiers " + std::to_string(chord.modifiers) + " key " + std::to_string(chord.key);
}

class StoredChordsTest : public testing::FormFixture {};

TEST_F(StoredChordsTest, EveryControlKeyCombinationReadsBackAsSaved) {
    const std::string config = file("config.ini");
    std::vector<std::string> lost;
    for (const KeyChord chord : everyChord()) {
        ControlKeys saved;
        for (const ControlHotKey& k : kControlHotKeys) saved.set(k.id, KeyChord{});
        saved.set(HK_Pause, chord);
        saved.write(config);
        ControlKeys read;
        const std::string conflicts = read.read(config, [](KeyChord) { return false; });
        if (read.chord(HK_Pause) != chord || !conflicts.empty())
            lost.push_back(describe(chord) + " came back as " + describe(read.chord(HK_Pause)));
    }
    EXPECT_THAT(lost, IsEmpty());
}

TEST_F(StoredChordsTest, EveryHotKeyEntryCombinationReadsBackAsSaved) {
    const std::string path = file("hotkey.ini");
    const std::vector<KeyChord> chords = everyChord();
    HotKeyTable saved(fp.hotkeys);
    saved.load(path, 1);
    for (const KeyChord chord : chords) {
        HotKeyEntry entry;
        entry.chord = chord;
        entry.script = "r1";
        ASSERT_TRUE(saved.add(entry)) << describe(chord);
    }
    saved.unregisterAll();

    HotKeyTable read(fp.hotkeys);
    read.load(path, 1);
    ASSERT_EQ(read.entries().size(), chords.size());
    std::vector<std::string> lost;
    for (size_t i = 0; i < chords.size(); ++i) {
        const HotKeyEntry& entry = read.entries()[i];
        if (entry.chord != chords[i] || entry.faults)
            lost.push_back(describe(chords[i]) + " came back as " + describe(entry.chord) +
                           (entry.faults ? " marked invalid" : ""));
    }
    EXPECT_THAT(lost, IsEmpty());
}

}  // namespace
}  // namespace tapmill
