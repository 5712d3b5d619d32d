#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tapmill::files {

namespace {

// Every write primitive refuses a read-only target first: on Windows the attribute stops even an
// administrator, and our CI runs as root, where the mode bits alone would stop nothing.
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

bool writeFully(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool pwriteFully(int fd, const char* data, size_t size, off_t offset) {
    while (size > 0) {
        ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

// Closes in every case and reports whether the close itself succeeded, since a delayed write
// error (a full disk on NFS, say) only shows up there.
bool closeChecked(int fd) { return ::close(fd) == 0; }

bool writeNewFile(const std::string& path, const std::string& bytes, mode_t mode, bool exclusive) {
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
    int fd = ::open(path.c_str(), flags, mode);
    if (fd < 0) return false;
    bool ok = writeFully(fd, bytes.data(), bytes.size());
    ok = closeChecked(fd) && ok;
    return ok;
}

// The program builds its data paths with Windows separators ("jb_rec\\name.ini"); here a
// backslash is a separator too.
std::string native(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

}  // namespace

Identity identity(const std::string& pathArgument) {
    const std::string path = native(pathArgument);
    Identity id;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return id;
    id.exists = true;
    id.size = static_cast<uint64_t>(st.st_size);
    id.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.fileId = static_cast<uint64_t>(st.st_ino);
    return id;
}

bool exists(const std::string& pathArgument) {
    const std::string path = native(pathArgument);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& pathArgument) {
    const std::string path = native(pathArgument);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isReadOnly(const std::string& pathArgument) {
    const std::string path = native(pathArgument);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & kAnyWrite) == 0;
}

bool readAll(const std::string& pathArgument, std::string& out) {
    const std::string path = native(pathArgument);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    std::string data;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (ok) out.swap(data);
    return ok;
}

bool append(const std::string& pathArgument, const std::string& bytes) {
    const std::string path = native(pathArgument);
    if (isReadOnly(path)) return false;
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeFully(fd, bytes.data(), bytes.size());
    ok = closeChecked(fd) && ok;
    return ok;
}

bool replaceAtomically(const std::string& pathArgument, const std::string& bytes) {
    const std::string path = native(pathArgument);
    if (isReadOnly(path)) return false;
    // The replacement keeps the permissions of the file it replaces.
    mode_t mode = 0666;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

    // The process id keeps two programs replacing the same file from sharing one temporary file.
    std::string temp = path + ".tmp~" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (!writeNewFile(temp, bytes, mode, true)) {
        ::unlink(temp.c_str());
        return false;
    }
    // open() applied the umask; the replacement must carry exactly the old mode.
    if (::chmod(temp.c_str(), mode) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool rewriteTail(const std::string& pathArgument, uint64_t offset, const std::string& bytes) {
    const std::string path = native(pathArgument);
    if (isReadOnly(path)) return false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    off_t at = static_cast<off_t>(offset);
    struct stat st;
    const std::string covered =
        ::fstat(fd, &st) == 0 ? coveringOldTail(bytes, static_cast<uint64_t>(st.st_size), offset) : bytes;
    bool ok = pwriteFully(fd, covered.data(), covered.size(), at) &&
              ::ftruncate(fd, at + static_cast<off_t>(bytes.size())) == 0;
    ok = closeChecked(fd) && ok;
    return ok;
}

bool copyFile(const std::string& fromArgument, const std::string& toArgument, bool failIfExists) {
    const std::string from = native(fromArgument);
    const std::string to = native(toArgument);
    if (isReadOnly(to)) return false;
    std::string bytes;
    struct stat st;
    if (::stat(from.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !readAll(from, bytes)) return false;
    // Like CopyFile, the copy carries the source's attributes, the read-only one included.
    mode_t mode = st.st_mode & 07777;
    if (!writeNewFile(to, bytes, mode, failIfExists)) return false;
    return ::chmod(to.c_str(), mode) == 0;
}

bool removeFile(const std::string& pathArgument) {
    const std::string path = native(pathArgument);
    if (isReadOnly(path)) return false;
    return ::unlink(path.c_str()) == 0;
}

bool renameFile(const std::string& fromArgument, const std::string& toArgument) {
    const std::string from = native(fromArgument);
    const std::string to = native(toArgument);
    // MoveFile never replaces an existing file; rename() would, so refuse it here.
    if (exists(to)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool createFolder(const std::string& pathArgument) {
    const std::string path = native(pathArgument);
    return ::mkdir(path.c_str(), 0777) == 0 || isDirectory(path);
}

bool removeEmptyFolder(const std::string& pathArgument) { return ::rmdir(native(pathArgument).c_str()) == 0; }

std::vector<std::string> listFolder(const std::string& folderArgument) {
    const std::string folder = native(folderArgument);
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (struct dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace tapmill::files
