#include "platform/files.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar>

namespace tapmill::files {

namespace {

// Paths travel as UTF-8 and become UTF-16 here, so names outside the ANSI code page still open.
std::wstring wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string narrow(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

DWORD attributes(const std::string& path) { return GetFileAttributesW(wide(path).c_str()); }

// WriteFile takes a DWORD count; large buffers go in chunks.
bool writeFully(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

bool closeChecked(HANDLE file) { return CloseHandle(file) != 0; }

bool writeNewFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeFully(file, bytes.data(), bytes.size());
    ok = closeChecked(file) && ok;
    return ok;
}

}  // namespace

Identity identity(const std::string& path) {
    Identity id;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return id;
    id.exists = true;
    id.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    id.modified = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                       data.ftLastWriteTime.dwLowDateTime);
    return id;
}

bool exists(const std::string& path) { return attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool isDirectory(const std::string& path) {
    DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isReadOnly(const std::string& path) {
    DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) != 0;
}

bool readAll(const std::string& path, std::string& out) {
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string data;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) data.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        data.append(buffer, got);
    }
    CloseHandle(file);
    if (ok) out.swap(data);
    return ok;
}

bool append(const std::string& path, const std::string& bytes) {
    if (isReadOnly(path)) return false;
    HANDLE file = CreateFileW(wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeFully(file, bytes.data(), bytes.size());
    ok = closeChecked(file) && ok;
    return ok;
}

bool replaceAtomically(const std::string& path, const std::string& bytes) {
    if (isReadOnly(path)) return false;
    std::wstring target = wide(path);
    // The process id keeps two programs replacing the same file from sharing one temporary file.
    std::wstring temp = target + L".tmp~" + std::to_wstring(GetCurrentProcessId());
    if (!writeNewFile(temp, bytes) ||
        !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool rewriteTail(const std::string& path, uint64_t offset, const std::string& bytes) {
    if (isReadOnly(path)) return false;
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER at, size;
    at.QuadPart = static_cast<LONGLONG>(offset);
    const std::string covered =
        GetFileSizeEx(file, &size) ? coveringOldTail(bytes, static_cast<uint64_t>(size.QuadPart), offset) : bytes;
    LARGE_INTEGER end;
    end.QuadPart = at.QuadPart + static_cast<LONGLONG>(bytes.size());
    bool ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && writeFully(file, covered.data(), covered.size()) &&
              SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    ok = closeChecked(file) && ok;
    return ok;
}

bool copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    if (isReadOnly(to)) return false;
    return CopyFileW(wide(from).c_str(), wide(to).c_str(), failIfExists ? TRUE : FALSE) != 0;
}

bool removeFile(const std::string& path) {
    if (isReadOnly(path)) return false;
    return DeleteFileW(wide(path).c_str()) != 0;
}

bool renameFile(const std::string& from, const std::string& to) {
    return MoveFileW(wide(from).c_str(), wide(to).c_str()) != 0;
}

bool createFolder(const std::string& path) {
    return CreateDirectoryW(wide(path).c_str(), nullptr) != 0 || isDirectory(path);
}

bool removeEmptyFolder(const std::string& path) { return RemoveDirectoryW(wide(path).c_str()) != 0; }

std::vector<std::string> listFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::wstring pattern = wide(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0) continue;
        names.push_back(narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace tapmill::files
