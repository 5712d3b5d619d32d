#include "platform/win32/win32_dialogs.h"

#include "platform/win32/wide.h"

namespace tapmill::win32 {

namespace {

BOOL CALLBACK takeIfInView(HWND hwnd, LPARAM found) {
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// The system's dialog class, which message boxes are made of.
BOOL CALLBACK takeIfDialogInView(HWND hwnd, LPARAM found) {
    wchar_t className[8] = {};
    if (!IsWindowVisible(hwnd) || !GetClassNameW(hwnd, className, 8) || lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// Text for a console or a file, with the line ends both expect.
std::wstring withCrLf(const std::string& text) {
    std::wstring out;
    for (wchar_t c : widen(text + "\n")) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

// A console takes the text as UTF-16, so it shows whatever its code page.
bool writeTo(HANDLE out, const std::wstring& text) {
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode))
        return WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
    // A file or a pipe: UTF-8, which holds the Chinese text whatever the system's code page is (one
    // without Chinese would turn it into question marks).
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    return WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

}  // namespace

HWND programFrontWindow() {
    HWND active = GetActiveWindow();
    if (active && IsWindowVisible(active)) return active;
    HWND front = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takeIfInView, reinterpret_cast<LPARAM>(&front));
    return front;
}

int showMessageBox(const std::wstring& text, const std::wstring& caption, UINT type, bool ownerless) {
    HWND owner = ownerless ? nullptr : programFrontWindow();
    // Without a window of its own in view the box stays above the other programs' windows.
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type | MB_SETFOREGROUND | (owner ? 0 : MB_TOPMOST));
}

platform::MessageAnswer Win32Dialogs::messageBox(const std::string& text, const std::string& caption,
                                                 platform::MessageButtons buttons, bool ownerless) {
    UINT type = buttons == platform::MessageButtons::YesNo         ? MB_YESNO
                : buttons == platform::MessageButtons::YesNoCancel ? MB_YESNOCANCEL
                                                                   : MB_OK;
    int r = showMessageBox(widen(text), widen(caption), type, ownerless);
    switch (r) {
        case IDYES: return platform::MessageAnswer::Yes;
        case IDNO: return platform::MessageAnswer::No;
        case IDOK: return platform::MessageAnswer::Ok;
        default: return platform::MessageAnswer::Cancel;
    }
}

bool Win32Dialogs::boxOpen() const {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takeIfDialogInView, reinterpret_cast<LPARAM>(&box));
    return box != nullptr;
}

void Win32Dialogs::messageBeep(uint32_t type) { MessageBeep(type); }

bool Win32Dialogs::writeToConsole(const std::string& text) {
    // A program of the desktop has no console of its own: its error output is what the starter
    // redirected (a batch file's "2> log", a pipe), or else the console of the command prompt
    // that started it.
    const HANDLE redirected = GetStdHandle(STD_ERROR_HANDLE);
    if (redirected && redirected != INVALID_HANDLE_VALUE) return writeTo(redirected, withCrLf(text));
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = console != INVALID_HANDLE_VALUE && writeTo(console, withCrLf(text));
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    return written;
}

}  // namespace tapmill::win32
