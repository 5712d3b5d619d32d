#include "ui/win32/win32_overlay.h"

#include "platform/win32/wide.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_window.h"

namespace tapmill::win32 {

namespace {

// The text's height and the margin around it, in pixels at 96 DPI.
constexpr int kTextHeight = 14;
constexpr int kMarginX = 10;
constexpr int kMarginY = 5;
// Nearly opaque: the text reads well, and what lies below still shows through a little.
constexpr BYTE kOpacity = 230;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT;

COLORREF colorOf(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

Win32Overlay::Win32Overlay(const std::string& className) : dpi_(dpiOf(nullptr)) {
    const std::wstring name = widen(className);
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    registerClassOnce(wc);
    hwnd_ = CreateWindowExW(kExStyle, name.c_str(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                            this);
    SetLayeredWindowAttributes(hwnd_, 0, kOpacity, LWA_ALPHA);
    font_ = CreateFontW(-scaleForDpi(kTextHeight, dpi_), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

Win32Overlay::~Win32Overlay() {
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (font_) DeleteObject(font_);
}

LRESULT CALLBACK Win32Overlay::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Win32Overlay*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_PAINT:
            if (!self) break;
            self->paint();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Win32Overlay::measure() {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text_.c_str(), static_cast<int>(text_.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    size_ = {0, 0, extent.cx + 2 * scaleForDpi(kMarginX, dpi_), extent.cy + 2 * scaleForDpi(kMarginY, dpi_)};
}

void Win32Overlay::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH ground = CreateSolidBrush(colorOf(colour_));
    FillRect(dc, &client, ground);
    DeleteObject(ground);
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(hwnd_, &ps);
}

void Win32Overlay::setContent(const std::string& text, uint32_t colour) {
    const std::wstring wide = widen(text);
    if (wide == text_ && colour == colour_) return;
    text_ = wide;
    colour_ = colour;
    // Its caption too, for what reads windows out (a screen reader, a test's driver).
    SetWindowTextW(hwnd_, text_.c_str());
    measure();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

ui::Rect Win32Overlay::workArea() const {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

void Win32Overlay::showAt(int x, int y) {
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, size_.w, size_.h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32Overlay::hide() {
    if (visible()) ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace tapmill::win32
