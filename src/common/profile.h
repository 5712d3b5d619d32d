#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Settings and recordings kept in INI-style profile files, read and written as the Windows
// private-profile routines do, but through a parsed index of each file so that a read costs a
// lookup and the recorder's writes (a new last section, new keys or a new value in it) cost the
// same on a file of a million lines as on an empty one.
//
// Paths are UTF-8. Section names, keys and values are bytes as the caller has them (ASCII or
// GBK); names match without regard to ASCII case and without the blanks around them. Of
// duplicate sections or keys the first one counts. Anything missing reads as the fallback.
// A write is on disk when the call returns; a failed write throws tapmill::Error
// "Unable to write to <path>" and leaves the file as it was.
namespace tapmill::profile {

// The largest file read. A larger one, or one the program's memory cannot hold, reads as a file
// that cannot be read: every read gives its fallback and every write fails ("Unable to write to"),
// so nothing in it is ever lost. The recorders stay well below it.
inline constexpr uint64_t kMaxFileBytes = 128ull << 20;

std::string readString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback);
// The stored text read as an integer (decimal or 0x hexadecimal); no number gives the fallback.
int32_t readInteger(const std::string& path, const std::string& section, const std::string& key,
                    int32_t fallback);

// Replaces the value of an existing key in place; a new key goes after the last key of its
// section, a new section at the end of the file.
void writeString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);
void writeInteger(const std::string& path, const std::string& section, const std::string& key,
                  int32_t value);
// Writes the keys (each named once) as writeString would one after the other; where the section
// is new, as a recorder's frame is, all of it goes to the disk in one write.
void writeStrings(const std::string& path, const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& keys);

// While one lives, reads of its file ask the disk whether another program changed the file only
// once, at the first read (and again after recheck), instead of at every read: a file-system call
// that costs far more than the lookup itself. For a run of many reads of one file that nothing but
// this program can change meanwhile; this program's own writes are seen at once as always.
class SteadyReads {
public:
    explicit SteadyReads(std::string path);
    ~SteadyReads();
    SteadyReads(const SteadyReads&) = delete;
    SteadyReads& operator=(const SteadyReads&) = delete;
    // Time has passed (messages were dispatched): the next read asks the disk again.
    void recheck();

private:
    std::string path_;
};

// Section names in file order, each spelt as it first appears.
std::vector<std::string> sectionNames(const std::string& path);
// The keys of a section in file order, each once.
std::vector<std::string> keyNames(const std::string& path, const std::string& section);
bool sectionExists(const std::string& path, const std::string& section);

// Removes the section's header and all its lines (of duplicates, the first, the one that was
// read; a later duplicate then counts). Nothing to remove leaves the file untouched.
void eraseSection(const std::string& path, const std::string& section);
// Removes the key's line. Nothing to remove leaves the file untouched.
void deleteKey(const std::string& path, const std::string& section, const std::string& key);

}  // namespace tapmill::profile
