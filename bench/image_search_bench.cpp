// The search of an image wait over one grab of a 1920 × 1080 screen, for a 50 × 50 image: found,
// absent, and found only within a tolerance. A wait searches a few times a second, so each search
// must stay far below the interval between tries.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>

#include "common/image_search.h"

namespace {

// Every byte the program asks for while a search runs counts as the search's extra memory.
std::atomic<size_t> allocatedBytes{0};

using tapmill::platform::PixelBuffer;

constexpr int kImageSide = 50;
constexpr int kImageLeft = 1800, kImageTop = 950;

// A desktop: flat windows and panels of a few colours, with lines of "text" in some of them.
PixelBuffer desktop() {
    std::mt19937 random(42);
    PixelBuffer screen{1920, 1080, std::vector<uint32_t>(1920u * 1080u, 0x3A6EA5)};
    for (int window = 0; window < 40; ++window) {
        const int left = static_cast<int>(random() % 1800), top = static_cast<int>(random() % 1000);
        const int width = 100 + static_cast<int>(random() % 600), height = 60 + static_cast<int>(random() % 400);
        const uint32_t colour = window % 2 ? 0xFFFFFF : 0xF0F0F0;
        const bool text = random() % 2;
        for (int y = top; y < std::min(top + height, 1080); ++y)
            for (int x = left; x < std::min(left + width, 1920); ++x)
                screen.pixels[static_cast<size_t>(y) * 1920u + static_cast<size_t>(x)] =
                    text && y % 16 < 10 && random() % 3 == 0 ? 0x000000 : colour;
    }
    for (int y = 0; y < kImageSide; ++y)
        for (int x = 0; x < kImageSide; ++x)
            screen.pixels[static_cast<size_t>(kImageTop + y) * 1920u + static_cast<size_t>(kImageLeft + x)] =
                (x / 10 + y / 10) % 2 ? 0xFFFFFF : 0xD04020 + static_cast<uint32_t>(x + y);
    return screen;
}

PixelBuffer imageOf(const PixelBuffer& screen) {
    PixelBuffer image{kImageSide, kImageSide, {}};
    for (int y = 0; y < kImageSide; ++y)
        for (int x = 0; x < kImageSide; ++x) image.pixels.push_back(screen.at(kImageLeft + x, kImageTop + y));
    return image;
}

void search(benchmark::State& state, const char* name, const PixelBuffer& screen, const PixelBuffer& image,
            int tolerance, bool found) {
    allocatedBytes = 0;
    for (auto _ : state) {
        const auto at = tapmill::findImage(screen, image, tolerance);
        if (at.has_value() != found) state.SkipWithError("the search answered wrongly");
        benchmark::DoNotOptimize(at);
    }
    const double megabytes = static_cast<double>(allocatedBytes.load()) / static_cast<double>(state.iterations()) / 1e6;
    // Google Benchmark calls each function more than once; the figure of the last, longest run counts.
    std::printf("figure: %s_ExtraMemory %.3f MB at most 20\n", name, megabytes);
}

void BM_ImageSearchFoundExact(benchmark::State& state) {
    const PixelBuffer screen = desktop();
    search(state, "BM_ImageSearchFoundExact", screen, imageOf(screen), 16, true);
}

// The image with one pixel in its middle changed: every anchor matches where it nearly stands.
void BM_ImageSearchAbsentExact(benchmark::State& state) {
    const PixelBuffer screen = desktop();
    PixelBuffer image = imageOf(screen);
    image.pixels[25 * kImageSide + 25] ^= 0x808080;
    search(state, "BM_ImageSearchAbsentExact", screen, image, 0, false);
}

// Every pixel of the image off by up to 16 per channel, so the exact pass fails before the tolerant one finds it.
void BM_ImageSearchFoundWithTolerance(benchmark::State& state) {
    const PixelBuffer screen = desktop();
    PixelBuffer image = imageOf(screen);
    std::mt19937 random(5);
    for (uint32_t& pixel : image.pixels) {
        uint32_t tinted = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int channel = static_cast<int>((pixel >> shift) & 0xFF) + static_cast<int>(random() % 33) - 16;
            tinted |= static_cast<uint32_t>(std::clamp(channel, 0, 255)) << shift;
        }
        pixel = tinted;
    }
    search(state, "BM_ImageSearchFoundWithTolerance", screen, image, 16, true);
}

}  // namespace

void* operator new(size_t size) {
    allocatedBytes += size;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

BENCHMARK(BM_ImageSearchFoundExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageSearchAbsentExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageSearchFoundWithTolerance)->Unit(benchmark::kMillisecond);
