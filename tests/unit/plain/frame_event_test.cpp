#include "plain/frame_event.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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

}  // namespace
}  // namespace tapmill
