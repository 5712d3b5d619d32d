#include "platform/win32/win32_injector.h"

#include <vector>

namespace tapmill::win32 {

namespace {

// The integrity level (SECURITY_MANDATORY_..._RID) of a process; none where it cannot be read.
std::optional<DWORD> integrityLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    std::optional<DWORD> level;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size && GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
        const UCHAR count = *GetSidSubAuthorityCount(sid);
        if (count > 0) level = *GetSidSubAuthority(sid, count - 1);
    }
    CloseHandle(token);
    return level;
}

bool inputDesktopOpens() {
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (!desktop) return false;
    CloseDesktop(desktop);
    return true;
}

}  // namespace

platform::InputRefusal Win32Injector::send(INPUT& input) {
    const platform::InputRefusal before = refusalBefore();
    if (before != platform::InputRefusal::None) return before;
    if (SendInput(1, &input, sizeof input) == 1) return platform::InputRefusal::None;
    // Input refused with no window in front went to no desktop of ours.
    return GetForegroundWindow() ? platform::InputRefusal::Refused : platform::InputRefusal::SecureDesktop;
}

platform::InputRefusal Win32Injector::refusalBefore() {
    if (!inputDesktopOpens()) return platform::InputRefusal::SecureDesktop;
    // No window in front (one losing activation) is no reason to refuse: SendInput tells.
    const HWND foreground = GetForegroundWindow();
    return foreground && foregroundHasHigherRights(foreground) ? platform::InputRefusal::HigherRights
                                                                : platform::InputRefusal::None;
}

bool Win32Injector::foregroundHasHigherRights(HWND foreground) {
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (foreground == foreground_ && process == foregroundProcess_) return foregroundHigher_;
    if (!ownLevel_) ownLevel_ = integrityLevel(GetCurrentProcess()).value_or(SECURITY_MANDATORY_MEDIUM_RID);
    std::optional<DWORD> level;
    if (HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process)) {
        level = integrityLevel(handle);
        CloseHandle(handle);
    }
    foreground_ = foreground;
    foregroundProcess_ = process;
    // A level that cannot be read stops nothing: SendInput's answer still tells a refusal.
    foregroundHigher_ = level && *level > *ownLevel_;
    return foregroundHigher_;
}

}  // namespace tapmill::win32
