#include "plain/frame_event.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tapmill {
namespace {

struct DecodeCase {
    std::string text;
    FrameEvent::Kind kind;
    int32_t key;  // checked for Key only
};

std::ostream& operator<<(std::ostream& os, const DecodeCase& c) { return os << '"' << c.text << '"'; }

class DecodeFrameEventTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeFrameEventTest, DecodesTheStoredText) {
    const DecodeCase& c = GetParam();
    FrameEvent event = decodeFrameEvent(c.text);
    EXPECT_EQ(event.kind, c.kind);
    if (c.kind == FrameEvent::Key) {
        EXPECT_EQ(event.key, c.key);
    }
}

INSTANTIATE_TEST_SUITE_P(MouseTexts, DecodeFrameEventTest,
                         ::testing::Values(DecodeCase{"WM_LBUTTONDOWN", FrameEvent::LeftDown, 0},
                                           DecodeCase{"WM_LBUTTONUP", FrameEvent::LeftUp, 0},
                                           DecodeCase{"WM_RBUTTONDOWN", FrameEvent::RightDown, 0},
                                           DecodeCase{"WM_RBUTTONUP", FrameEvent::RightUp, 0},
                                           DecodeCase{"WM_LBUTTONDBLCLK", FrameEvent::LeftDoubleClick, 0}));

INSTANTIATE_TEST_SUITE_P(KeyTexts, DecodeFrameEventTest,
                         ::testing::Values(DecodeCase{"k65", FrameEvent::Key, 65},
                                           DecodeCase{"k1", FrameEvent::Key, 1},
                                           DecodeCase{"k123", FrameEvent::Key, 123},
                                           // The integer reader takes a sign and hexadecimal.
                                           DecodeCase{"k-5", FrameEvent::Key, -5},
                                           DecodeCase{"k0x41", FrameEvent::Key, 65}));

INSTANTIATE_TEST_SUITE_P(BrokenKeyTexts, DecodeFrameEventTest,
                         ::testing::Values(DecodeCase{"k", FrameEvent::BadKey, 0},
                                           DecodeCase{"kAB", FrameEvent::BadKey, 0},
                                           DecodeCase{"k12x", FrameEvent::BadKey, 0},
                                           DecodeCase{"k99999999999", FrameEvent::BadKey, 0}));

INSTANTIATE_TEST_SUITE_P(NoEvent, DecodeFrameEventTest,
                         ::testing::Values(DecodeCase{"K65", FrameEvent::None, 0},
                                           DecodeCase{"0", FrameEvent::None, 0},
                                           DecodeCase{"", FrameEvent::None, 0},
                                           DecodeCase{"WM_LBUTTONDOWN ", FrameEvent::None, 0},
                                           DecodeCase{"wm_lbuttondown", FrameEvent::None, 0},
                                           DecodeCase{"WM_MBUTTONDOWN", FrameEvent::None, 0}));

// ---- the frame's list of events, "ev" ----

std::string describe(const std::vector<FrameEvent>& events) {
    std::string out;
    for (const FrameEvent& e : events)
        out += (out.empty() ? "" : " ") + std::to_string(e.kind) + ":" + std::to_string(e.key) + ":" + std::to_string(e.modifiers);
    return out;
}

TEST(DecodeFrameEventsTest, EveryTokenInOrderWithModifiersMiddleButtonAndWheel) {
    const std::vector<FrameEvent> events =
        decodeFrameEvents("k17 k83+2 WM_LBUTTONDBLCLK WM_MBUTTONDOWN WM_MBUTTONUP WM_MOUSEWHEEL:-240 k190");
    EXPECT_EQ(describe(events), describe({{FrameEvent::Key, 17},
                                          {FrameEvent::Key, 83, 2},
                                          {FrameEvent::LeftDoubleClick},
                                          {FrameEvent::MiddleDown},
                                          {FrameEvent::MiddleUp},
                                          {FrameEvent::Wheel, -240},
                                          {FrameEvent::Key, 190}}));
    // What is written is what is read back; "kp" keeps only what older readers know.
    std::string tokens;
    for (const FrameEvent& e : events) tokens += (tokens.empty() ? "" : " ") + eventToken(e);
    EXPECT_EQ(tokens, "k17 k83+2 WM_LBUTTONDBLCLK WM_MBUTTONDOWN WM_MBUTTONUP WM_MOUSEWHEEL:-240 k190");
    EXPECT_EQ(kpText(events[1]), "k83");
    EXPECT_EQ(kpText(events[3]), "");
    EXPECT_EQ(kpText(events[5]), "");
}

TEST(DecodeFrameEventsTest, FaultyAndUnknownTokens) {
    EXPECT_EQ(describe(decodeFrameEvents("kX+2")), describe({{FrameEvent::BadKey}}));
    EXPECT_EQ(describe(decodeFrameEvents("k65+x")), describe({{FrameEvent::BadKey}}));
    EXPECT_EQ(describe(decodeFrameEvents("k")), describe({{FrameEvent::BadKey}}));
    // A held key's token without a number is faulty as a key's; a button's modifiers that are no
    // number make no event.
    EXPECT_EQ(describe(decodeFrameEvents("kdX ku WM_LBUTTONDOWN+x")), describe({{FrameEvent::BadKey}, {FrameEvent::BadKey}, {}}));
    // Unknown tokens (a later version's, a wheel without a number) are no events; blanks separate.
    EXPECT_EQ(describe(decodeFrameEvents("WM_XBUTTONDOWN  WM_MOUSEWHEEL: K65 k66")),
              describe({{}, {}, {}, {FrameEvent::Key, 66}}));
    // The middle button and the wheel are no "kp" texts: older programs never wrote them there.
    EXPECT_EQ(decodeFrameEvent("WM_MBUTTONDOWN").kind, FrameEvent::None);
    EXPECT_EQ(decodeFrameEvent("k65+4").kind, FrameEvent::BadKey);
}

}  // namespace
}  // namespace tapmill
