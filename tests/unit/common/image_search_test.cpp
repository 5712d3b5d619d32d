#include "common/image_search.h"

#include <gtest/gtest.h>

#include <random>

namespace tapmill {
namespace {

using platform::PixelBuffer;

PixelBuffer noise(int width, int height, std::mt19937& random, uint32_t colours = 0x1000000) {
    PixelBuffer picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
    for (uint32_t& pixel : picture.pixels) pixel = random() % colours * (0xFFFFFF / (colours - 1));
    return picture;
}

PixelBuffer cut(const PixelBuffer& from, int left, int top, int width, int height) {
    PixelBuffer part{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) part.pixels.push_back(from.at(left + x, top + y));
    return part;
}

void paste(PixelBuffer& onto, int left, int top, const PixelBuffer& picture) {
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            onto.pixels[static_cast<size_t>(top + y) * static_cast<size_t>(onto.width) + static_cast<size_t>(left + x)] = picture.at(x, y);
}

bool foundAt(const std::optional<platform::Point>& at, int x, int y) { return at && at->x == x && at->y == y; }

TEST(ImageSearchTest, FindsTheImageAtEveryCornerAndEdge) {
    std::mt19937 random(7);
    const PixelBuffer screen = noise(40, 30, random);
    for (const auto& [x, y] : {std::pair{0, 0}, {35, 0}, {0, 26}, {35, 26}, {17, 0}, {0, 13}, {35, 13}, {17, 26}})
        EXPECT_TRUE(foundAt(findImage(screen, cut(screen, x, y, 5, 4), 0), x, y)) << x << "," << y;
}

TEST(ImageSearchTest, ATintedImageIsFoundOnlyWithinTheTolerance) {
    std::mt19937 random(11);
    PixelBuffer screen = noise(60, 40, random, 2);  // black and white, so the tint stays in range
    const PixelBuffer wanted = cut(screen, 20, 10, 8, 8);
    PixelBuffer tinted = wanted;
    for (uint32_t& pixel : tinted.pixels) pixel = pixel == 0 ? 0x0A0A0A : 0xF5F5F5;
    paste(screen, 20, 10, tinted);
    for (const auto& [tolerance, found] : {std::pair{16, true}, {10, true}, {9, false}, {0, false}})
        EXPECT_EQ(foundAt(findImage(screen, wanted, tolerance), 20, 10), found) << tolerance;
}

// Two colours only, so anchors and rows match often and only the full comparison tells; the image
// is also pasted with one pixel changed.
TEST(ImageSearchTest, NoFalseMatchOnAThousandRandomScreens) {
    std::mt19937 random(2026);
    for (int screenNumber = 0; screenNumber < 1000; ++screenNumber) {
        PixelBuffer screen = noise(64, 48, random, 2);
        const PixelBuffer image = noise(6, 6, random, 2);
        PixelBuffer nearMiss = image;
        nearMiss.pixels[random() % 36] ^= 0xFFFFFF;
        paste(screen, static_cast<int>(random() % 58), static_cast<int>(random() % 42), nearMiss);
        ASSERT_FALSE(findImage(screen, image, 0)) << "screen " << screenNumber;
    }
}

TEST(ImageSearchTest, SizesAtTheLimits) {
    std::mt19937 random(3);
    const PixelBuffer screen = noise(30, 20, random);
    EXPECT_FALSE(findImage(screen, noise(31, 5, random), 255));
    EXPECT_FALSE(findImage(screen, noise(5, 21, random), 255));
    EXPECT_TRUE(foundAt(findImage(screen, cut(screen, 29, 19, 1, 1), 0), 29, 19));
    const PixelBuffer single{1, 1, {0x123456}};
    EXPECT_TRUE(foundAt(findImage(single, PixelBuffer{1, 1, {0x123456}}, 0), 0, 0));
    EXPECT_TRUE(foundAt(findImage(single, PixelBuffer{1, 1, {0x143652}}, 4), 0, 0));
    EXPECT_FALSE(findImage(single, PixelBuffer{1, 1, {0x143652}}, 3));
    EXPECT_FALSE(findImage(single, PixelBuffer{}, 0));
}

}  // namespace
}  // namespace tapmill
