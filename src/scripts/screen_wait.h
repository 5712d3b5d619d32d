#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "scripts/poll_wait.h"
#include "scripts/run_list.h"
#include "scripts/script_flow_line.h"
#include "scripts/window_anchor.h"

namespace tapmill::scripts {

// The waits of "等待颜色：" and "等待图片：", and the place the last of them found, where
// "移到找到的位置" goes. Each try of pollUntil grabs the screen once: the one point of a colour
// line, the whole virtual screen for an image, into a buffer kept from try to try. After a window
// line the colour's point is a position in the window's client area, as a move's is, and the
// image is looked for in that client area only.
class ScreenWait {
public:
    // The images are the bitmaps "<name>.bmp" in the folder (UTF-8, ending in a separator).
    ScreenWait(platform::Platform& platform, const bool& running, const bool& runpause, WindowAnchor& anchor,
               std::string imageFolder)
        : platform_(platform), running_(running), runpause_(runpause), anchor_(anchor),
          imageFolder_(std::move(imageFolder)) {}

    // Reads the image of every image line up to the end line before the run starts; throws
    // ScriptLineFault naming the first line whose image is missing or unreadable, or WindowTimeout
    // naming the first whose image is larger than the screen.
    void loadImages(const RunList& lines);

    // Waits until the point shows the colour, or the image is on the screen (an image not read yet,
    // as of a line the editor's run took in since it started, is read first). A find is where the
    // next move goes; a wait that does not find forgets the last one, so the move cannot go to a
    // place the screen no longer shows. The grab is let go of when the wait ends. Throws
    // WindowTimeout naming the line (lineIndex) when the image is larger than the window line's
    // client area, or the memory cannot hold a grab.
    WaitOutcome wait(const ColourLine& line, int lineIndex);
    WaitOutcome wait(const ImageLine& line, int lineIndex);

    // The point found last: the colour's point, or the centre of the image.
    std::optional<platform::Point> found() const { return found_; }

private:
    const platform::PixelBuffer& image(const std::string& name);
    // Runs the wait, then lets go of the grab and forgets a find the wait did not confirm.
    WaitOutcome settle(int lineIndex, const std::function<WaitOutcome()>& waitFor);
    void letGoOfGrab();
    static void refuseLargerThan(const platform::PixelBuffer& picture, const platform::ScreenRect& area, int line);

    platform::Platform& platform_;
    const bool& running_;
    const bool& runpause_;
    WindowAnchor& anchor_;
    std::string imageFolder_;
    std::map<std::string, platform::PixelBuffer> images_;
    platform::PixelBuffer grab_;
    std::optional<platform::Point> found_;
};

}  // namespace tapmill::scripts
