#include "platform/win32/win32_recycle_bin.h"

#include "platform/win32/wide.h"

#include <shellapi.h>

namespace tapmill::win32 {

bool Win32RecycleBin::moveToRecycleBin(const std::string& path) {
    // The shell takes a list of paths, each ended by a NUL, the list by a second one.
    std::wstring from = widen(path);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // The program's own delete asks nothing and shows nothing: it reports a failure itself.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace tapmill::win32
