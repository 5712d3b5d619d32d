#include "plain/window_noting.h"

namespace tapmill {

std::optional<WindowNote> WindowNoting::noteFor(platform::Point pointer, bool frameHasInput) {
    // Most frames stay in the window of the last note, or in one of the program's own, and carry
    // no input: the handle alone tells so.
    const uintptr_t under = windows_.windowHandleAt(pointer.x, pointer.y);
    if (!under || under == ownWindow_) {
        lastWindow_ = 0;
        return std::nullopt;
    }
    if (under == lastWindow_ && !frameHasInput) return std::nullopt;
    const std::optional<platform::TopWindow> window = windows_.windowAt(pointer.x, pointer.y);
    if (!window || windows_.isOwnWindow(window->handle)) {
        if (window) ownWindow_ = window->handle;
        lastWindow_ = 0;
        return std::nullopt;
    }
    if (window->handle == lastWindow_ && !frameHasInput) return std::nullopt;
    const std::optional<platform::WindowPlace> place = windows_.placeOf(window->handle);
    if (!place) return std::nullopt;
    lastWindow_ = window->handle;
    WindowNote note;
    note.className = window->className;
    note.title = window->title;
    note.clientX = pointer.x - place->client.left;
    note.clientY = pointer.y - place->client.top;
    note.dpi = place->dpi;
    return note;
}

}  // namespace tapmill
