#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Whole-file primitives on UTF-8 paths. The native build implements them with POSIX calls, the
// Windows build with the wide-character Win32 calls, so Chinese names work on any locale.
namespace tapmill::files {

// What identifies one version of a file's content: a change by any writer changes it.
struct Identity {
    bool exists = false;
    uint64_t size = 0;
    int64_t modified = 0;  // modification time in the file system's finest unit
    // Which file it is (the inode), where a cheap look gives it: a file replaced by renaming a
    // new one over it is another file even when its size and time match. 0 where unknown.
    uint64_t fileId = 0;
    bool operator==(const Identity& o) const {
        return exists == o.exists && size == o.size && modified == o.modified && fileId == o.fileId;
    }
    bool operator!=(const Identity& o) const { return !(*this == o); }
};

Identity identity(const std::string& path);
bool exists(const std::string& path);
bool isDirectory(const std::string& path);
// A file whose read-only attribute is set (on POSIX: no write permission bit). Writes refuse it
// even for an administrator, as Windows does.
bool isReadOnly(const std::string& path);
bool readAll(const std::string& path, std::string& out);
// Appends bytes, creating the file when missing.
bool append(const std::string& path, const std::string& bytes);
// Writes a new file beside path and renames it over path, so a crash leaves the old or the new
// content, never a torn file.
bool replaceAtomically(const std::string& path, const std::string& bytes);
// Overwrites the file from byte offset on with bytes and cuts it there.
bool rewriteTail(const std::string& path, uint64_t offset, const std::string& bytes);
// What rewriteTail writes before it cuts: a shorter tail goes down followed by blanks over the
// rest of the old one, so that a process killed between the write and the cut leaves after the new
// text only blanks, which an INI reader takes for nothing (a blank line, or blanks after a value),
// never the end of an old line.
inline std::string coveringOldTail(const std::string& bytes, uint64_t oldSize, uint64_t offset) {
    const uint64_t oldTail = oldSize > offset ? oldSize - offset : 0;
    return oldTail > bytes.size() ? bytes + std::string(static_cast<size_t>(oldTail - bytes.size()), ' ') : bytes;
}
bool copyFile(const std::string& from, const std::string& to, bool failIfExists);
bool removeFile(const std::string& path);
// Also a folder, with everything in it; never over an existing entry.
bool renameFile(const std::string& from, const std::string& to);
// Creates the folder (its parent must exist). True when it is there afterwards, also when it was
// there already.
bool createFolder(const std::string& path);
// Removes a folder that holds nothing.
bool removeEmptyFolder(const std::string& path);
// Names of the entries of a folder, in the file system's own order; "." and ".." are left out.
std::vector<std::string> listFolder(const std::string& folder);

}  // namespace tapmill::files
