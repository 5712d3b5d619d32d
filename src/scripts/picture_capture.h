#pragma once
#include <optional>
#include <string>

#include "platform/screen.h"
#include "ui/area_picker.h"
#include "ui/factory.h"

namespace tapmill::scripts {

// "截取图片": the whole screen grabbed once and shown still, a rectangle dragged on it, and that
// part kept as the next numbered bitmap of a script's picture folder.

// The rectangle between the corners of the drag, whichever way it went, cut to the screen. The
// pixel under the release is the first one outside it, so a click takes nothing. Nothing when it
// holds no pixel.
std::optional<platform::ScreenRect> draggedArea(const ui::Drag& drag, const platform::ScreenRect& screen);

// The pixels of `area`, which lies inside `screen`, from a grab of the whole `screen`.
platform::PixelBuffer cutOut(const platform::PixelBuffer& grab, const platform::ScreenRect& screen,
                             const platform::ScreenRect& area);

// The name of the folder's next picture: one above the largest number n of a "<n>.bmp" in it, so a
// name never comes back for a picture a line may still wait for. "1" in an empty or missing folder.
std::string nextPictureName(const std::string& folder);

// The line that waits for the picture, as the editor's fields show it.
std::string pictureWaitLine(const std::string& name);

class PictureCapture {
public:
    PictureCapture(platform::Screen& screen, ui::Factory& factory) : screen_(screen), factory_(factory) {}

    struct Outcome {
        std::optional<std::string> name;  // the picture kept
        std::string failure;              // why nothing was kept, for the user; empty when they took nothing
    };
    // Lets the user take a part of the screen and keeps it in `folder` (ending in a separator),
    // which is made, with its parent, when missing.
    Outcome take(const std::string& folder);

private:
    platform::Screen& screen_;
    ui::Factory& factory_;
};

}  // namespace tapmill::scripts
