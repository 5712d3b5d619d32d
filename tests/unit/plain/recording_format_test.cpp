// A recording made by this program, read by a reader that knows only the documented plain
// recording format: sections "0".."N-1" with "x", "y" and the optional "kp", and "value" of
// section "all". Such a reader sees the frame count, the positions and, per frame, the last event
// as older programs wrote it; the further events are in keys it does not read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "capture/hook_messages.h"
#include "common/profile.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;

// The documented format and nothing else: INI lines, names without regard to case, the first of a
// repeated key counts, integers in decimal with the default for anything else.
class DocumentedRecordingReader {
public:
    explicit DocumentedRecordingReader(const std::string& text) {
        std::istringstream lines(text);
        std::string line, section;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                section = lower(line.substr(1, line.size() - 2));
            } else if (const size_t eq = line.find('='); eq != std::string::npos) {
                values_[section].emplace(lower(line.substr(0, eq)), line.substr(eq + 1));
            }
        }
    }
    int frameCount() const { return integer("all", "value"); }
    std::string position(int frame) const {
        return std::to_string(integer(std::to_string(frame), "x")) + "," + std::to_string(integer(std::to_string(frame), "y"));
    }
    std::string event(int frame) const { return text(std::to_string(frame), "kp", "0"); }

private:
    static std::string lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }
    std::string text(const std::string& section, const std::string& key, const std::string& fallback) const {
        const auto s = values_.find(section);
        if (s == values_.end()) return fallback;
        const auto k = s->second.find(key);
        return k == s->second.end() ? fallback : k->second;
    }
    int integer(const std::string& section, const std::string& key) const {
        const std::string value = text(section, key, "");
        char* end = nullptr;
        const long n = std::strtol(value.c_str(), &end, 10);
        return value.empty() || *end ? 0 : static_cast<int>(n);
    }
    std::map<std::string, std::multimap<std::string, std::string>> values_;
};

class RecordingFormatTest : public testing::FormFixture {};

TEST_F(RecordingFormatTest, AReaderOfTheDocumentedFormatSeesTheFramesAndTheLastEventOfEachAsBefore) {
    TForm_maintapmill& form = shownForm();
    const uint64_t start = fp.pump.now();
    fp.input.userPointer = [&] {
        const int t = static_cast<int>(fp.pump.now() - start);
        return platform::Point{100 + t, 50 - t};
    };
    auto at = [&](uint64_t ms, std::function<void()> fn) { fp.pump.at(start + ms, std::move(fn)); };
    auto mouse = [&](uint32_t offset, uintptr_t wParam = 0) { form.onMessage(kMouseMessageBase + offset, wParam, 0); };
    auto key = [&](int n, uint32_t modifiers = 0) { form.onMessage(form.keymsg[static_cast<size_t>(n)], 0, modifiers); };
    at(5, [&] { key(17); });  // Ctrl+S
    at(6, [&] { key('S', platform::kModControl); });
    at(25, [&] { mouse(kMouseMiddleDownOffset); });
    at(26, [&] { mouse(kMouseMiddleUpOffset); });
    at(45, [&] { mouse(kMouseLeftDownOffset); });
    at(46, [&] { mouse(kMouseWheelOffset, static_cast<uintptr_t>(-120)); });
    at(65, [&] { key(16); });  // Shift+2 for "@"
    at(66, [&] { key('2', platform::kModShift); });
    at(85, [&] { key(190); });  // "."
    at(90, [&] { form.SpeedButton_stopClick(); });

    form.SpeedButton_recClick();

    const DocumentedRecordingReader reader(read("jb_rec/jb_rec.ini"));
    ASSERT_EQ(reader.frameCount(), 5);
    std::vector<std::string> positions, events;
    for (int f = 0; f < reader.frameCount(); ++f) {
        positions.push_back(reader.position(f));
        events.push_back(reader.event(f));
    }
    EXPECT_THAT(positions, ElementsAre("120,30", "140,10", "160,-10", "180,-30", "200,-50"));
    EXPECT_THAT(events, ElementsAre("k83", "0", "WM_LBUTTONDOWN", "k50", "k190"));
}

TEST_F(RecordingFormatTest, HeldKeysAndModifierClicksAreKeptAsPerformedWhileTheDocumentedReaderSeesTheirPresses) {
    TForm_maintapmill& form = shownForm();
    const uint64_t start = fp.pump.now();
    auto at = [&](uint64_t ms, std::function<void()> fn) { fp.pump.at(start + ms, std::move(fn)); };
    auto mouse = [&](uint32_t offset, uint32_t modifiers) { form.onMessage(kMouseMessageBase + offset, 0, modifiers); };
    auto key = [&](int n) { form.onMessage(form.keymsg[static_cast<size_t>(n)], 0, 0); };
    const uint32_t transition = fp.hotkeys.registerWindowMessage("TapmillKeyTransition");
    auto release = [&](int n) { form.onMessage(transition, static_cast<uintptr_t>(n), 0x10000); };
    at(5, [&] { key(16); });  // Shift held over a click
    at(25, [&] { mouse(kMouseLeftDownOffset, platform::kModShift); });
    at(26, [&] { mouse(kMouseLeftUpOffset, platform::kModShift); });
    at(45, [&] { release(16); });
    at(46, [&] { key('A'); });  // a tap within one frame, as older programs wrote it
    at(47, [&] { release('A'); });
    at(65, [&] { key(39); });  // the right arrow held, repeating once
    at(85, [&] { form.onMessage(transition, 39, 0x20000); });
    at(105, [&] { release(39); });
    at(106, [&] { release(17); });  // a Ctrl pressed before the recording began
    at(110, [&] { form.SpeedButton_stopClick(); });

    form.SpeedButton_recClick();

    const std::string path = form.exedir + "jb_rec\\jb_rec.ini";
    const DocumentedRecordingReader reader(read("jb_rec/jb_rec.ini"));
    ASSERT_EQ(reader.frameCount(), 6);
    std::vector<std::string> events, performed;
    for (int f = 0; f < reader.frameCount(); ++f) {
        events.push_back(reader.event(f));
        performed.push_back(profile::readString(path, std::to_string(f), "ev2", ""));
    }
    EXPECT_THAT(events, ElementsAre("k16", "WM_LBUTTONUP", "k65", "k39", "k39", "0"));
    EXPECT_THAT(performed, ElementsAre("kd16", "WM_LBUTTONDOWN+4 WM_LBUTTONUP+4", "ku16 k65", "kd39", "kd39", "ku39"));
}

}  // namespace
}  // namespace tapmill
