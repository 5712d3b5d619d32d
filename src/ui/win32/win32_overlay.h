#pragma once
#include <windows.h>

#include <string>

#include "ui/window.h"

namespace tapmill::win32 {

// A layered popup that is topmost, transparent to the pointer (WS_EX_TRANSPARENT with
// WS_EX_LAYERED takes it out of every hit test, so clicks and WindowFromPoint find the window
// below), never activated (WS_EX_NOACTIVATE, shown with SWP_NOACTIVATE), and without a taskbar
// button (WS_EX_TOOLWINDOW). It draws its text in the program's 宋体 at the screen's DPI.
class Win32Overlay : public ui::Overlay {
public:
    explicit Win32Overlay(const std::string& className);
    ~Win32Overlay() override;
    Win32Overlay(const Win32Overlay&) = delete;
    Win32Overlay& operator=(const Win32Overlay&) = delete;

    void setContent(const std::string& text, uint32_t colour) override;
    ui::Rect size() const override { return size_; }
    ui::Rect workArea() const override;
    void showAt(int x, int y) override;
    void hide() override;
    bool visible() const override { return IsWindowVisible(hwnd_) != FALSE; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();
    void measure();

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    std::wstring text_;
    uint32_t colour_ = 0;
    ui::Rect size_;
};

}  // namespace tapmill::win32
