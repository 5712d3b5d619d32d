#include "platform/win32/win32_shell.h"

#include "platform/win32/wide.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace tapmill::win32 {

bool Win32Shell::setUserString(const std::string& keyPath, const std::string& valueName, const std::string& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, widen(keyPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring w = widen(data);
    LONG r = RegSetValueExW(key, widen(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                            static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

std::optional<std::string> Win32Shell::userString(const std::string& keyPath, const std::string& valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, widen(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    const std::wstring name = widen(valueName);
    std::optional<std::string> result;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS)
            result = narrow(buffer.data());
    }
    RegCloseKey(key);
    return result;
}

void Win32Shell::open(const std::string& fileOrAddress) {
    ShellExecuteW(nullptr, L"open", widen(fileOrAddress).c_str(), L"", L"", SW_SHOW);
}

std::string Win32Shell::desktopFolder() {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &pidl))) return std::string();
    wchar_t path[MAX_PATH + 1] = {0};
    BOOL ok = SHGetPathFromIDListW(pidl, path);
    CoTaskMemFree(pidl);
    return ok ? narrow(path) : std::string();
}

bool Win32Shell::createShortcut(const std::string& linkPath, const std::string& target, const std::string& workingFolder) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(widen(target).c_str());
    link->SetWorkingDirectory(widen(workingFolder).c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(widen(linkPath).c_str(), FALSE));
        file->Release();
    }
    link->Release();
    return saved;
}

}  // namespace tapmill::win32
