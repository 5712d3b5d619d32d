#pragma once
#include <windows.h>

#include "platform/dialogs.h"

namespace tapmill::win32 {

// The program's window the user sees in front: the active one, else the visible window of this
// thread that takes input (a modal window, or the main window while none is open); none while
// the program sits in the tray. Message boxes belong to it, so they open over it and never
// behind another program's window.
HWND programFrontWindow();
// A message box owned by programFrontWindow() and brought to the foreground.
int showMessageBox(const std::wstring& text, const std::wstring& caption, UINT type, bool ownerless = false);

class Win32Dialogs : public platform::Dialogs {
public:
    platform::MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                       platform::MessageButtons buttons, bool ownerless) override;
    bool boxOpen() const override;
    void messageBeep(uint32_t type) override;
    bool writeToConsole(const std::string& text) override;
};

}  // namespace tapmill::win32
