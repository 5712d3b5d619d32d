#include "scripts/screen_wait_trial.h"

#include <cstdio>

#include "common/image_closeness.h"
#include "common/window_match.h"
#include "scripts/window_anchor.h"

namespace tapmill::scripts {

namespace {

// A best place that differs by more than this is no near miss: the picture is simply not there.
constexpr int kNear = 96;

const char kNoScreen[] = "现在看不到屏幕（屏幕已锁定，或是安全桌面），无法测试。";
const char kNoWindow[] = "上面的“窗口：”一行所指的窗口现在找不到，无法测试。";

std::string hex(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
    return text;
}

std::string at(int x, int y) { return "X=" + std::to_string(x) + "y=" + std::to_string(y); }

// What the tolerance makes of a difference.
std::string verdict(int difference, int tolerance) {
    const std::string told = "，容差为" + std::to_string(tolerance);
    if (difference <= tolerance) return told + "：现在就能等到。";
    return told + "：现在等不到；容差至少要" + std::to_string(difference) + "才能等到。";
}

}  // namespace

std::optional<platform::WindowPlace> ScreenWaitTrial::anchorPlace(const std::optional<AnchorLine>& anchor) {
    const std::optional<AnchorTarget> window = findAnchorWindow(windows_, *anchor);
    if (!window) return std::nullopt;
    return window->place;
}

std::string ScreenWaitTrial::tryColour(const ColourLine& line, const std::optional<AnchorLine>& anchor) {
    platform::Point point = line.point;
    if (anchor) {
        const std::optional<platform::WindowPlace> place = anchorPlace(anchor);
        if (!place) return kNoWindow;
        point = mapIntoWindow(line.point.x, line.point.y, anchor->dpi, *place);
    }
    platform::PixelBuffer pixel;
    if (screen_.grab({point.x, point.y, 1, 1}, pixel) == platform::Grab::Nothing || pixel.pixels.empty())
        return kNoScreen;
    const uint32_t shown = pixel.at(0, 0);
    const int difference = colourDifference(shown, line.colour);
    return "屏幕上" + at(point.x, point.y) + "的颜色现在是" + hex(shown) + "，与要等的" + hex(line.colour) + "最多相差" +
           std::to_string(difference) + verdict(difference, line.tolerance);
}

std::string ScreenWaitTrial::tryImage(const ImageLine& line, const platform::PixelBuffer& image,
                                      const std::optional<AnchorLine>& anchor) {
    platform::ScreenRect area = screen_.virtualScreen();
    if (anchor) {
        const std::optional<platform::WindowPlace> place = anchorPlace(anchor);
        if (!place) return kNoWindow;
        area = place->client;
    }
    platform::PixelBuffer grab;
    if (screen_.grab(area, grab) == platform::Grab::Nothing || grab.pixels.empty()) return kNoScreen;
    if (image.width > grab.width || image.height > grab.height)
        return "这个图片比要找的范围还大，永远等不到。";
    const std::optional<ClosestPlace> best = closestImagePlace(grab, image);
    if (!best || (best->difference > kNear && best->difference > line.tolerance))
        return "现在等不到：屏幕上没有和这个图片相近的地方。";
    const int x = area.left + best->topLeft.x + image.width / 2, y = area.top + best->topLeft.y + image.height / 2;
    const std::string where = best->difference <= line.tolerance ? "找到了：图片的中心在" : "最接近的地方，中心在";
    return where + at(x, y) + "，最多相差" + std::to_string(best->difference) + verdict(best->difference, line.tolerance);
}

}  // namespace tapmill::scripts
