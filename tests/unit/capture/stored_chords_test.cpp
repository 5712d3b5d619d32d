// Every combination the key fields can take comes back from config.ini and hotkey.ini as it was
// saved: the keypad digits, the keys without a name and those above the first 123 included.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/control_hotkeys.h"
#include "capture/hook_messages.h"
#include "capture/key_chord.h"
#include "common/profile.h"
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

// What the files hold under the names a reader of earlier versions knows, and what such a reader
// (parseChordName, which reads the names alone as every version did) makes of them; and what the
// program makes of a name such a reader changed without the code beside it.
TEST_F(StoredChordsTest, TheNamesStayWhatEarlierVersionsReadAndANameChangedWithoutItsCodeWins) {
    const uint32_t ctrl = platform::kModControl;
    const struct {
        KeyChord chord;
        const char* name;
        std::optional<KeyChord> readByName;
    } cases[] = {
        {{ctrl, 118}, "Ctrl+F7", KeyChord{ctrl, 118}},
        {{0, 186}, "OEM_1", KeyChord{0, 186}},
        {{0, 96}, "0", KeyChord{0, 48}},  // the keypad's 0 reads as the main row's, as it always did
        {{ctrl, 12}, "Ctrl+", std::nullopt},  // no name: the documented key, or no entry
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ControlKeys keys;
        keys.set(HK_Pause, c.chord);
        keys.write(file("config.ini"));
        const std::string pause = profile::readString(file("config.ini"), "controlkeys", "pause", "");
        EXPECT_EQ(pause, c.name);
        EXPECT_EQ(parseChordName(pause), c.readByName);

        HotKeyTable table(fp.hotkeys);
        table.load(file("hotkey.ini"), 1);
        HotKeyEntry entry;
        entry.chord = c.chord;
        entry.script = "r1";
        ASSERT_TRUE(table.add(entry));
        const std::string section = table.entries().back().section;
        EXPECT_EQ(profile::readString(file("hotkey.ini"), section, "key", ""), c.name);
        table.unregisterAll();

        // An earlier version moved the key to F8 and left the code as it was.
        profile::writeString(file("config.ini"), "controlkeys", "pause", "F8");
        ControlKeys read;
        read.read(file("config.ini"), [](KeyChord) { return false; });
        EXPECT_EQ(read.chord(HK_Pause), (KeyChord{0, 119}));
    }
}

}  // namespace
}  // namespace tapmill
