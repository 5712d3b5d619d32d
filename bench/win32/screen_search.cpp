// Times what one try of an image wait costs on this system: a grab of the whole virtual screen and
// the search of a 50 x 50 image that is not on it (the full search, the try a wait repeats most).
// Prints "grab_ms N", "search_ms N" and "try_ms N", each the median of the tries.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/image_search.h"
#include "platform/win32/qpc_milliseconds.h"
#include "platform/win32/win32_screen.h"

namespace {

constexpr int kTries = 30;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    tapmill::win32::Win32Screen screen;
    tapmill::platform::PixelBuffer grab;
    // Colours no desktop shows in this arrangement.
    tapmill::platform::PixelBuffer image{50, 50, std::vector<uint32_t>(2500)};
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    std::vector<double> grabs, searches, tries;
    for (int n = 0; n < kTries; ++n) {
        const double start = tapmill::win32::qpcMilliseconds();
        if (screen.grab(screen.virtualScreen(), grab) == tapmill::platform::Grab::Nothing) {
            std::printf("the screen gave no picture\n");
            return 1;
        }
        const double grabbed = tapmill::win32::qpcMilliseconds();
        if (tapmill::findImage(grab, image, 16)) {
            std::printf("a picture no screen shows was found\n");
            return 1;
        }
        const double searched = tapmill::win32::qpcMilliseconds();
        grabs.push_back(grabbed - start);
        searches.push_back(searched - grabbed);
        tries.push_back(searched - start);
    }
    std::printf("screen %dx%d\ngrab_ms %.2f\nsearch_ms %.2f\ntry_ms %.2f\n", grab.width, grab.height, median(grabs),
                median(searches), median(tries));
    return 0;
}
