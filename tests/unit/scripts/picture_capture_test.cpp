// "截取图片" on a fake screen: the dragged part kept as the folder's next bitmap, and the failures.
#include "scripts/picture_capture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "common/bmp_file.h"
#include "platform/fake/fake_screen.h"
#include "ui/memory/memory_controls.h"

namespace tapmill::scripts {
namespace {

using ::testing::HasSubstr;

class PictureCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_picture_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        folder_ = dir_ + "/图片/脚本/";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    PictureCapture::Outcome dragAndTake(ui::Drag drag) {
        factory_.dragOnPicker = drag;
        return PictureCapture(screen_, factory_).take(folder_);
    }

    std::string dir_, folder_;
    fake::FakeScreen screen_;
    ui::memory::MemoryFactory factory_;
};

struct DragCase {
    const char* what;
    platform::ScreenRect screen;
    ui::Drag drag;
    platform::ScreenRect kept;
};

class PictureAreaTest : public PictureCaptureTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(PictureAreaTest, TheDraggedPartIsKeptAsTheFirstPicture) {
    screen_.resize(GetParam().screen);
    // Every pixel differs from every other, so a part cut from the wrong place shows.
    for (size_t i = 0; i < screen_.canvas.pixels.size(); ++i) screen_.canvas.pixels[i] = static_cast<uint32_t>(i);
    const PictureCapture::Outcome outcome = dragAndTake(GetParam().drag);
    ASSERT_EQ(outcome.name, "1") << outcome.failure;
    std::optional<platform::PixelBuffer> kept = readBmp(folder_ + "1.bmp");
    ASSERT_TRUE(kept);
    // What the screen shows there, as the fake's own grab gives it.
    platform::PixelBuffer expected;
    screen_.grab(GetParam().kept, expected);
    EXPECT_EQ(std::make_pair(kept->width, kept->height), std::make_pair(expected.width, expected.height));
    EXPECT_EQ(kept->pixels, expected.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, PictureAreaTest,
    ::testing::Values(DragCase{"down_right", {0, 0, 200, 100}, {{10, 20}, {60, 50}}, {10, 20, 50, 30}},
                      DragCase{"up_left", {0, 0, 200, 100}, {{60, 50}, {10, 20}}, {10, 20, 50, 30}},
                      DragCase{"past_the_edges", {0, 0, 200, 100}, {{-30, 90}, {250, 120}}, {0, 90, 200, 10}},
                      DragCase{"one_pixel", {0, 0, 200, 100}, {{199, 99}, {200, 100}}, {199, 99, 1, 1}},
                      // A monitor left of and above the primary one.
                      DragCase{"negative_origin", {-100, -50, 300, 150}, {{-90, -40}, {5, 6}}, {-90, -40, 95, 46}}),
    [](const auto& info) { return std::string(info.param.what); });

// Numbers are never reused: a line may still wait for a picture that was deleted by hand.
TEST_F(PictureCaptureTest, TheNextPictureTakesTheNumberAfterTheLargest) {
    std::filesystem::create_directories(folder_);
    for (const char* other : {"2.bmp", "7.BMP", "9.png", "12a.bmp", "按钮.bmp"}) std::ofstream(folder_ + other) << "x";
    EXPECT_EQ(dragAndTake({{0, 0}, {5, 5}}).name, "8");
    EXPECT_EQ(dragAndTake({{0, 0}, {5, 5}}).name, "9");
    EXPECT_TRUE(std::filesystem::exists(folder_ + "9.bmp"));
}

TEST_F(PictureCaptureTest, AScreenThatGivesNoPictureOrAFolderThatCannotBeMadeIsReported) {
    screen_.refuse = true;
    PictureCapture::Outcome outcome = dragAndTake({{0, 0}, {5, 5}});
    EXPECT_FALSE(outcome.name);
    EXPECT_THAT(outcome.failure, HasSubstr("无法截取屏幕画面"));
    EXPECT_EQ(factory_.pickerShown, 0);

    screen_.refuse = false;
    std::ofstream(dir_ + "/图片") << "a file where the folder goes";
    outcome = dragAndTake({{0, 0}, {5, 5}});
    EXPECT_FALSE(outcome.name);
    EXPECT_THAT(outcome.failure, HasSubstr("保存失败"));
}

}  // namespace
}  // namespace tapmill::scripts
