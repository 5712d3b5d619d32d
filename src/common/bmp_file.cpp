#include "common/bmp_file.h"

#include <cstdint>

#include "platform/files.h"

namespace tapmill {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;

uint32_t readLe(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

constexpr uint32_t kBitFields = 3;

// One channel of a pixel as 0..255, from where its mask puts it and as many bits as the mask has.
uint32_t channel(uint32_t pixel, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    const uint32_t max = mask >> shift;
    return static_cast<uint32_t>(static_cast<uint64_t>((pixel & mask) >> shift) * 255u / max);
}

// Where red, green and blue lie in a pixel's bits.
struct ChannelMasks {
    uint32_t red, green, blue;
    uint32_t colourOf(uint32_t pixel) const {
        return channel(pixel, red) << 16 | channel(pixel, green) << 8 | channel(pixel, blue);
    }
};

void writeLe(std::string& bytes, uint32_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::optional<platform::PixelBuffer> readBmp(const std::string& path) {
    std::string bytes;
    if (!files::readAll(path, bytes) || bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || bytes[0] != 'B' ||
        bytes[1] != 'M')
        return std::nullopt;
    const uint32_t dataOffset = readLe(bytes, 10, 4);
    const uint32_t headerSize = readLe(bytes, 14, 4);
    const int32_t width = static_cast<int32_t>(readLe(bytes, 18, 4));
    const int32_t rawHeight = static_cast<int32_t>(readLe(bytes, 22, 4));
    const uint32_t bitCount = readLe(bytes, 28, 2);
    const uint32_t compression = readLe(bytes, 30, 4);
    // BI_RGB, or BI_BITFIELDS for 32 bits, whose masks follow the 40 bytes of the header (inside a
    // larger header, at the same place).
    const bool masked = compression == kBitFields && bitCount == 32;
    if (headerSize < kInfoHeaderBytes || (bitCount != 24 && bitCount != 32) || !(compression == 0 || masked) ||
        width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN ||
        (masked && bytes.size() < kFileHeaderBytes + kInfoHeaderBytes + 12))
        return std::nullopt;
    const ChannelMasks masks =
        masked ? ChannelMasks{readLe(bytes, kFileHeaderBytes + kInfoHeaderBytes, 4),
                              readLe(bytes, kFileHeaderBytes + kInfoHeaderBytes + 4, 4),
                              readLe(bytes, kFileHeaderBytes + kInfoHeaderBytes + 8, 4)}
               : ChannelMasks{0x00FF0000, 0x0000FF00, 0x000000FF};
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (static_cast<long long>(width) * height > kMaxBmpPixels) return std::nullopt;
    const size_t bytesPerPixel = bitCount / 8;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    if (dataOffset > bytes.size() || (bytes.size() - dataOffset) / stride < static_cast<size_t>(height))
        return std::nullopt;

    platform::PixelBuffer picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = dataOffset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
        for (int32_t x = 0; x < width; ++x)
            picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                masks.colourOf(readLe(bytes, row + static_cast<size_t>(x) * bytesPerPixel, bytesPerPixel));
    }
    return picture;
}

bool writeBmp(const std::string& path, const platform::PixelBuffer& picture) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t dataBytes = stride * static_cast<size_t>(picture.height);
    std::string bytes = "BM";
    writeLe(bytes, static_cast<uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + dataBytes), 4);
    writeLe(bytes, 0, 4);
    writeLe(bytes, kFileHeaderBytes + kInfoHeaderBytes, 4);
    writeLe(bytes, kInfoHeaderBytes, 4);
    writeLe(bytes, static_cast<uint32_t>(picture.width), 4);
    writeLe(bytes, static_cast<uint32_t>(picture.height), 4);  // bottom-up
    writeLe(bytes, 1, 2);
    writeLe(bytes, 24, 2);
    writeLe(bytes, 0, 4);  // BI_RGB
    writeLe(bytes, static_cast<uint32_t>(dataBytes), 4);
    writeLe(bytes, 3780, 4);  // 96 DPI in pixels per metre
    writeLe(bytes, 3780, 4);
    writeLe(bytes, 0, 4);
    writeLe(bytes, 0, 4);
    bytes.reserve(bytes.size() + dataBytes);
    for (int y = picture.height - 1; y >= 0; --y) {
        const size_t rowStart = bytes.size();
        for (int x = 0; x < picture.width; ++x) writeLe(bytes, picture.at(x, y), 3);
        bytes.append(stride - (bytes.size() - rowStart), '\0');
    }
    return files::replaceAtomically(path, bytes);
}

}  // namespace tapmill
