// idlewindow: a shown top-level window with nothing to do but one push button, in a plain GetMessage
// loop: the least a Windows program with a window can cost under Wine, beside which the idle
// benchmark puts the program's own share of a core. Its manifest asks for the same common controls
// as the program's, so that its button is the same themed button, hot tracking and all.

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"tapmill-idle-reference";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(windowClass.lpszClassName, L"idle reference", WS_OVERLAPPEDWINDOW, 40, 40, 400, 300,
                                nullptr, nullptr, instance, nullptr);
    CreateWindowW(L"BUTTON", L"idle button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 120, 30, window, nullptr,
                  instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
