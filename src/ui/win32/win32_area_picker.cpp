#include "ui/win32/win32_area_picker.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/win32_pump.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_window.h"

namespace tapmill::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TapmillAreaPicker";
constexpr wchar_t kHint[] = L"按住鼠标左键拖出要截取的区域，松开即截取；按Esc或鼠标右键取消";
// The frame is drawn in a colour few screens show, so it stands out on any picture.
constexpr COLORREF kFrameColour = RGB(255, 0, 64);
constexpr int kFrameWidth = 2;
constexpr int kHintTextHeight = 14;
constexpr int kHintMargin = 6;

}  // namespace

Win32AreaPicker::~Win32AreaPicker() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
}

std::optional<ui::Drag> Win32AreaPicker::pick(const platform::ScreenRect& screen, const platform::PixelBuffer& picture) {
    screen_ = screen;
    picture_ = &picture;
    dragging_ = activated_ = done_ = false;
    result_.reset();
    dpi_ = dpiOf(nullptr);
    if (!font_)
        font_ = CreateFontW(-scaleForDpi(kHintTextHeight, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    wc.lpszClassName = kClassName;
    registerClassOnce(wc);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"截取图片", WS_POPUP, screen.left, screen.top,
                            screen.width, screen.height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return std::nullopt;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    runUntilDone();
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    picture_ = nullptr;
    return result_;
}

void Win32AreaPicker::runUntilDone() {
    MSG msg;
    while (!done_) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The program is ending: the outer loop takes the quit again.
            PostQuitMessage(static_cast<int>(msg.wParam));
            finish(std::nullopt);
            break;
        }
        if (forwardThreadMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK Win32AreaPicker::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Win32AreaPicker*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->handle(msg, wParam, lParam);
}

LRESULT Win32AreaPicker::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;  // the picture covers every pixel
        case WM_PAINT: onPaint(); return 0;
        case WM_LBUTTONDOWN: onLeftDown(lParam); return 0;
        case WM_MOUSEMOVE: onMove(lParam); return 0;
        case WM_LBUTTONUP: onLeftUp(lParam); return 0;
        case WM_RBUTTONDOWN: finish(std::nullopt); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) finish(std::nullopt);
            return 0;
        case WM_ACTIVATE: onActivate(wParam); break;
        case WM_CAPTURECHANGED:
            // Another window took the pointer in the middle of a drag.
            if (dragging_) finish(std::nullopt);
            return 0;
        case WM_CLOSE: finish(std::nullopt); return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

platform::Point Win32AreaPicker::screenPoint(LPARAM lParam) const {
    return {GET_X_LPARAM(lParam) + screen_.left, GET_Y_LPARAM(lParam) + screen_.top};
}

void Win32AreaPicker::onLeftDown(LPARAM lParam) {
    drag_.from = drag_.to = screenPoint(lParam);
    dragging_ = true;
    SetCapture(hwnd_);
    // The hint goes, so that it hides nothing of the picture while the user drags.
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32AreaPicker::onMove(LPARAM lParam) {
    if (!dragging_) return;
    RECT before = frameArea();
    drag_.to = screenPoint(lParam);
    RECT after = frameArea();
    InvalidateRect(hwnd_, &before, FALSE);
    InvalidateRect(hwnd_, &after, FALSE);
}

void Win32AreaPicker::onLeftUp(LPARAM lParam) {
    if (!dragging_) return;
    drag_.to = screenPoint(lParam);
    finish(drag_);
}

// Another window in front (Alt+Tab, a message box) ends the pick: a topmost window over every
// monitor must never stay behind, holding the screen.
void Win32AreaPicker::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE)
        activated_ = true;
    else if (activated_)
        finish(std::nullopt);
}

void Win32AreaPicker::finish(std::optional<ui::Drag> drag) {
    if (done_) return;
    done_ = true;
    dragging_ = false;
    result_ = drag;
    if (GetCapture() == hwnd_) ReleaseCapture();
    ShowWindow(hwnd_, SW_HIDE);
}

RECT Win32AreaPicker::frameArea() const {
    const int left = std::min(drag_.from.x, drag_.to.x) - screen_.left;
    const int top = std::min(drag_.from.y, drag_.to.y) - screen_.top;
    const int right = std::max(drag_.from.x, drag_.to.x) - screen_.left;
    const int bottom = std::max(drag_.from.y, drag_.to.y) - screen_.top;
    return {left - kFrameWidth, top - kFrameWidth, right + kFrameWidth, bottom + kFrameWidth};
}

void Win32AreaPicker::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    // 0x00RRGGBB words are the bytes B, G, R, 0 of a 32-bit DIB; a negative height is top-down.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture_->width;
    info.bmiHeader.biHeight = -picture_->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture_->width), static_cast<DWORD>(picture_->height), 0, 0, 0,
                      static_cast<UINT>(picture_->height), picture_->pixels.data(), &info, DIB_RGB_COLORS);
    if (dragging_)
        drawFrame(dc);
    else
        drawHint(dc);
    EndPaint(hwnd_, &ps);
}

// Just outside the rectangle, so that the frame covers none of the pixels taken.
void Win32AreaPicker::drawFrame(HDC dc) const {
    const RECT outer = frameArea();
    HBRUSH brush = CreateSolidBrush(kFrameColour);
    const RECT edges[] = {{outer.left, outer.top, outer.right, outer.top + kFrameWidth},
                          {outer.left, outer.bottom - kFrameWidth, outer.right, outer.bottom},
                          {outer.left, outer.top, outer.left + kFrameWidth, outer.bottom},
                          {outer.right - kFrameWidth, outer.top, outer.right, outer.bottom}};
    for (const RECT& edge : edges) FillRect(dc, &edge, brush);
    DeleteObject(brush);
}

// At the top left of the primary monitor, whose top left is the screen's point (0, 0).
void Win32AreaPicker::drawHint(HDC dc) const {
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, kHint, static_cast<int>(wcslen(kHint)), &extent);
    const int margin = scaleForDpi(kHintMargin, dpi_);
    const int left = -screen_.left + margin, top = -screen_.top + margin;
    RECT box{left, top, left + extent.cx + 2 * margin, top + extent.cy + 2 * margin};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, kHint, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

}  // namespace tapmill::win32
