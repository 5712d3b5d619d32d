#include "common/bmp_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"

namespace tapmill {
namespace {

std::string tempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// A width whose rows need padding, and colours whose channels differ, so a swapped channel, a
// flipped picture or a lost padding byte shows.
TEST(BmpFileTest, APictureWrittenReadsBackPixelForPixel) {
    platform::PixelBuffer picture{3, 2, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203}};
    const std::string path = tempPath("bmp_file_test.bmp");
    ASSERT_TRUE(writeBmp(path, picture));
    std::optional<platform::PixelBuffer> read = readBmp(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 3);
    EXPECT_EQ(read->height, 2);
    EXPECT_EQ(read->pixels, picture.pixels);
    std::filesystem::remove(path);
}

TEST(BmpFileTest, ATopDown32BitBitmapReadsAndDamagedOnesDoNot) {
    // 1 × 2, top-down, 32 bits: red over green.
    std::string top = "BM";
    const unsigned char header[] = {62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,
                                    1, 0, 32, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    top.append(reinterpret_cast<const char*>(header), sizeof header);
    top.append(std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00", 8));
    const std::string path = tempPath("bmp_file_test_top.bmp");
    ASSERT_TRUE(files::replaceAtomically(path, top));
    std::optional<platform::PixelBuffer> read = readBmp(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00}));

    ASSERT_TRUE(files::replaceAtomically(path, top.substr(0, top.size() - 4)));  // a row cut short
    EXPECT_FALSE(readBmp(path));
    ASSERT_TRUE(files::replaceAtomically(path, "not a picture at all, but long enough to hold a header of one"));
    EXPECT_FALSE(readBmp(path));
    std::filesystem::remove(path);
    EXPECT_FALSE(readBmp(path));
}

// 32 bits with colour masks (BI_BITFIELDS): each channel where its mask says, whatever the order.
TEST(BmpFileTest, A32BitBitmapWithColourMasksReadsEachChannelFromItsMask) {
    const struct {
        const char* what;
        uint32_t red, green, blue;
        uint32_t pixel;  // red D0, green 40, blue 20 as the masks place them
    } cases[] = {
        {"the usual masks", 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00D04020},
        {"blue, green, red from the top byte down", 0x0000FF00, 0x00FF0000, 0xFF000000, 0x2040D000},
        {"red in the top byte", 0xFF000000, 0x00FF0000, 0x0000FF00, 0xD0402000},
    };
    const std::string path = tempPath("bmp_file_test_masks.bmp");
    for (const auto& c : cases) {
        std::string bytes = "BM";
        const auto le = [&bytes](uint32_t value, int width) {
            for (int i = 0; i < width; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        };
        le(14 + 40 + 12 + 4, 4);
        le(0, 4);
        le(14 + 40 + 12, 4);
        le(40, 4);
        le(1, 4);   // 1 × 1
        le(1, 4);
        le(1, 2);
        le(32, 2);
        le(3, 4);   // BI_BITFIELDS
        le(4, 4);
        le(0, 4), le(0, 4), le(0, 4), le(0, 4);
        le(c.red, 4), le(c.green, 4), le(c.blue, 4);
        le(c.pixel, 4);
        ASSERT_TRUE(files::replaceAtomically(path, bytes));
        const std::optional<platform::PixelBuffer> read = readBmp(path);
        ASSERT_TRUE(read) << c.what;
        EXPECT_EQ(read->pixels, std::vector<uint32_t>{0xD04020}) << c.what;
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tapmill
