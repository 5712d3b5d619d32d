#pragma once
#include <windows.h>

#include <vector>

#include "ui/win32/win32_controls.h"

namespace tapmill::win32 {

// A top-level window: translates the system's messages into its form's events, owns the DPI
// scale and the font of its controls, and reports a handler's failure to the user.
class Win32Window : public Win32TextControl<ui::Window> {
public:
    Win32Window(const ui::WindowSpec& windowSpec, ui::WindowEvents& events);
    ~Win32Window() override;

    void show() override { ShowWindow(hwnd_, SW_SHOW); }
    void hide() override { ShowWindow(hwnd_, SW_HIDE); }
    void close() override { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }
    void showModal() override;
    bool minimized() const override { return IsIconic(hwnd_) != FALSE; }
    void restore() override { ShowWindow(hwnd_, SW_RESTORE); }
    uintptr_t nativeHandle() const override { return reinterpret_cast<uintptr_t>(hwnd_); }
    void applyDpi(int, HFONT) override {}
    bool endsProgram() const { return endsProgram_; }

    int dpi() const { return dpi_; }
    HFONT font() const { return font_; }
    // Every control created in this window, so a DPI change can lay them out again.
    void adopt(NativeControl& control);

    static void registerClasses(HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK editSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

private:
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam, LPARAM lParam);
    bool defaultButtonEnabled() const;
    LRESULT onListViewNotify(const NMHDR& header);
    void onDpiChanged(int dpi, const RECT& suggested);
    LRESULT colorControl(HDC dc, HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
    void setFontForDpi();
    void createShortcuts(const std::vector<ui::Shortcut>& shortcuts);
    // Runs a handler; a failure it raises is shown to the user and ends only that handler.
    template <class F>
    void guarded(F&& handler);

    // A modal window's close hides it and hands its owner back; the window itself lives on until
    // its form frees it.
    void endModal();

    ui::WindowEvents& events_;
    bool endsProgram_;
    int defaultButtonId_;
    HWND owner_ = nullptr;
    bool modal_ = false;
    bool modalDone_ = false;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    std::vector<NativeControl*> controls_;
};

// The window's DPI; without a window (nullptr), or on a system before per-monitor DPI, the
// screen's.
int dpiOf(HWND hwnd);

}  // namespace tapmill::win32
