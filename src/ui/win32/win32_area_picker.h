#pragma once
#include <windows.h>

#include <optional>

#include "ui/area_picker.h"

namespace tapmill::win32 {

// A topmost popup over the virtual screen, without border or taskbar button, that paints the
// picture it was given and follows one drag of the left button. It runs its own message loop while
// shown, as a modal window does, and is destroyed before pick returns.
class Win32AreaPicker : public ui::AreaPicker {
public:
    Win32AreaPicker() = default;
    ~Win32AreaPicker() override;
    Win32AreaPicker(const Win32AreaPicker&) = delete;
    Win32AreaPicker& operator=(const Win32AreaPicker&) = delete;

    std::optional<ui::Drag> pick(const platform::ScreenRect& screen, const platform::PixelBuffer& picture) override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void runUntilDone();
    void onPaint();
    void onLeftDown(LPARAM lParam);
    void onMove(LPARAM lParam);
    void onLeftUp(LPARAM lParam);
    void onActivate(WPARAM wParam);
    void finish(std::optional<ui::Drag> drag);
    // The pixels the dragged rectangle's frame covers, in client coordinates.
    RECT frameArea() const;
    void drawFrame(HDC dc) const;
    void drawHint(HDC dc) const;
    platform::Point screenPoint(LPARAM lParam) const;

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    platform::ScreenRect screen_;
    const platform::PixelBuffer* picture_ = nullptr;
    bool dragging_ = false;
    bool activated_ = false;
    bool done_ = false;
    ui::Drag drag_;
    std::optional<ui::Drag> result_;
};

}  // namespace tapmill::win32
