#pragma once
#include <optional>
#include <string>

#include "platform/screen.h"

namespace tapmill {

// Pictures kept as Windows bitmap files (.bmp), which every image program opens.

// Reads an uncompressed 24- or 32-bit bitmap, bottom-up or top-down. Nothing when the file is
// missing, is no such bitmap, or is larger than kMaxBmpPixels.
std::optional<platform::PixelBuffer> readBmp(const std::string& path);
// Writes the picture as a 24-bit bottom-up bitmap, atomically. False when it cannot be written.
bool writeBmp(const std::string& path, const platform::PixelBuffer& picture);

// The largest picture read: more than any screen holds, little enough for a 32-bit program.
inline constexpr long long kMaxBmpPixels = 16384LL * 16384LL;

}  // namespace tapmill
