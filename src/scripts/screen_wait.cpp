#include "scripts/screen_wait.h"

#include <new>

#include "common/bmp_file.h"
#include "common/image_search.h"
#include "scripts/script_fault.h"
#include "scripts/script_line.h"
#include "scripts/script_pictures.h"

namespace tapmill::scripts {

namespace {

const char kImageTooLarge[] = "图片比要找的范围还大，永远找不到";
const char kNoMemoryForGrab[] = "内存不足，无法截取屏幕";

}  // namespace

void ScreenWait::loadImages(const RunList& lines) {
    const platform::ScreenRect screen = platform_.screen.virtualScreen();
    // Nothing after the end line runs.
    for (int i = 0; i < lines.count() && classifyLine(lines.line(i)) != LineKind::End; ++i) {
        const std::string line = lines.line(i);
        if (classifyLine(line) != LineKind::WaitImage) continue;
        try {
            refuseLargerThan(image(lineImage(line).name), screen, i);
        } catch (const WindowTimeout&) {
            throw;
        } catch (const ScriptLineFault& fault) {
            throw ScriptLineFault(fault.reason(), i);
        }
    }
}

void ScreenWait::refuseLargerThan(const platform::PixelBuffer& picture, const platform::ScreenRect& area, int line) {
    if (picture.width > area.width || picture.height > area.height) throw WindowTimeout(kImageTooLarge, line);
}

const platform::PixelBuffer& ScreenWait::image(const std::string& name) {
    auto known = images_.find(name);
    if (known != images_.end()) return known->second;
    const std::string path = imageFolder_ + name + ".bmp";
    std::optional<platform::PixelBuffer> read = readBmp(path);
    if (!read) throw ScriptLineFault(unreadablePictureMessage(path));
    return images_.emplace(name, std::move(*read)).first->second;
}

WaitOutcome ScreenWait::wait(const ColourLine& line, int lineIndex) {
    return settle(lineIndex, [&] {
        return pollUntil(platform_.pump, running_, runpause_, line.end.limitSeconds, [&] {
            const std::optional<platform::Point> point = anchor_.pointNow(line.point);
            if (!point || platform_.screen.grab({point->x, point->y, 1, 1}, grab_) == platform::Grab::Nothing ||
                !coloursMatch(grab_.pixels[0], line.colour, line.tolerance))
                return false;
            found_ = point;
            return true;
        });
    });
}

WaitOutcome ScreenWait::wait(const ImageLine& line, int lineIndex) {
    const platform::PixelBuffer& wanted = image(line.name);
    // A window line's window smaller than the image: the wait could never find it.
    if (const std::optional<platform::ScreenRect> area = anchor_.searchArea())
        refuseLargerThan(wanted, platform::intersection(*area, platform_.screen.virtualScreen()), lineIndex);
    bool searchedInVain = false;
    return settle(lineIndex, [&] { return pollUntil(platform_.pump, running_, runpause_, line.end.limitSeconds, [&] {
        const std::optional<platform::ScreenRect> wantedArea = anchor_.searchArea();
        if (!wantedArea) return false;
        // The grab is clipped to the screen; so is the origin of what it holds.
        const platform::ScreenRect area = platform::intersection(*wantedArea, platform_.screen.virtualScreen());
        if (area.empty()) return false;
        const platform::Grab grabbed = platform_.screen.grab(area, grab_);
        // Pixels that are still what this wait searched in vain cannot show the image now, wherever
        // the area stands, and a still screen is the common case of a wait.
        if (grabbed == platform::Grab::Nothing || (grabbed == platform::Grab::Same && searchedInVain)) return false;
        const std::optional<platform::Point> at = findImage(grab_, wanted, line.tolerance);
        searchedInVain = !at;
        if (!at) return false;
        found_ = platform::Point{area.left + at->x + wanted.width / 2, area.top + at->y + wanted.height / 2};
        return true;
    }); });
}

WaitOutcome ScreenWait::settle(int lineIndex, const std::function<WaitOutcome()>& waitFor) {
    WaitOutcome outcome = WaitOutcome::Stopped;
    try {
        outcome = waitFor();
    } catch (const std::bad_alloc&) {
        letGoOfGrab();
        throw WindowTimeout(kNoMemoryForGrab, lineIndex);
    }
    letGoOfGrab();
    if (outcome != WaitOutcome::Found) found_.reset();
    return outcome;
}

void ScreenWait::letGoOfGrab() {
    // A grab of the whole screen is megabytes; a wait needs it only from try to try.
    grab_ = platform::PixelBuffer();
    platform_.screen.release();
}

}  // namespace tapmill::scripts
