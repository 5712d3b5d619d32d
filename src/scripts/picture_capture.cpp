#include "scripts/picture_capture.h"

#include <algorithm>
#include <cctype>

#include "common/bmp_file.h"
#include "common/library_messages.h"
#include "platform/files.h"

namespace tapmill::scripts {

namespace {

const char kNoScreenPicture[] = "无法截取屏幕画面：屏幕可能已锁定，或正显示安全桌面。";
// Nine digits stay below the largest int, so the next number fits as well.
constexpr size_t kMaxNumberDigits = 9;

// The number of a "<n>.bmp" (the extension in any case), or 0 for any other name.
long pictureNumber(const std::string& entry) {
    const size_t digits = entry.size() < 4 ? 0 : entry.size() - 4;
    if (digits == 0 || digits > kMaxNumberDigits) return 0;
    std::string extension = entry.substr(digits);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".bmp" ||
        !std::all_of(entry.begin(), entry.begin() + static_cast<long>(digits),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return 0;
    return std::stol(entry.substr(0, digits));
}

// The folder and its parent, made when missing; false when either is not there afterwards.
bool makeFolder(const std::string& folder) {
    const std::string withoutEnd = folder.substr(0, folder.size() - 1);
    const size_t parentEnd = withoutEnd.find_last_of("\\/");
    return (parentEnd == std::string::npos || files::createFolder(withoutEnd.substr(0, parentEnd + 1))) &&
           files::createFolder(folder);
}

}  // namespace

std::optional<platform::ScreenRect> draggedArea(const ui::Drag& drag, const platform::ScreenRect& screen) {
    const int left = std::max(std::min(drag.from.x, drag.to.x), screen.left);
    const int top = std::max(std::min(drag.from.y, drag.to.y), screen.top);
    const int right = std::min(std::max(drag.from.x, drag.to.x), screen.left + screen.width);
    const int bottom = std::min(std::max(drag.from.y, drag.to.y), screen.top + screen.height);
    if (right <= left || bottom <= top) return std::nullopt;
    return platform::ScreenRect{left, top, right - left, bottom - top};
}

platform::PixelBuffer cutOut(const platform::PixelBuffer& grab, const platform::ScreenRect& screen,
                             const platform::ScreenRect& area) {
    platform::PixelBuffer part;
    part.width = area.width;
    part.height = area.height;
    part.pixels.reserve(static_cast<size_t>(area.width) * static_cast<size_t>(area.height));
    for (int y = area.top - screen.top; y < area.top - screen.top + area.height; ++y) {
        const auto row = grab.pixels.begin() + static_cast<long>(y) * grab.width + (area.left - screen.left);
        part.pixels.insert(part.pixels.end(), row, row + area.width);
    }
    return part;
}

std::string nextPictureName(const std::string& folder) {
    long largest = 0;
    for (const std::string& entry : files::listFolder(folder)) largest = std::max(largest, pictureNumber(entry));
    return std::to_string(largest + 1);
}

std::string pictureWaitLine(const std::string& name) { return "等待图片：" + name; }

PictureCapture::Outcome PictureCapture::take(const std::string& folder) {
    const platform::ScreenRect screen = screen_.virtualScreen();
    platform::PixelBuffer grab;
    if (screen_.grab(screen, grab) == platform::Grab::Nothing) return {std::nullopt, kNoScreenPicture};
    const std::optional<ui::Drag> drag = factory_.areaPicker()->pick(screen, grab);
    if (!drag) return {};
    const std::optional<platform::ScreenRect> area = draggedArea(*drag, screen);
    if (!area) return {};
    if (!makeFolder(folder)) return {std::nullopt, cannotWriteMessage(folder)};
    const std::string name = nextPictureName(folder);
    const std::string path = folder + name + ".bmp";
    if (!writeBmp(path, cutOut(grab, screen, *area))) return {std::nullopt, cannotWriteMessage(path)};
    return {name, ""};
}

}  // namespace tapmill::scripts
