#include "common/profile.h"

#include <list>
#include <map>
#include <mutex>
#include <new>
#include <stdexcept>

#include "common/error.h"
#include "common/intparse.h"
#include "common/profile_index.h"
#include "platform/files.h"

namespace tapmill::profile {

namespace {

// Enough for the settings file, the open recording and a few scripts, while a long recording
// (an index of tens of megabytes) is not kept around once nobody uses it.
constexpr size_t kCachedFiles = 6;
// A file's index costs about seven times its size: beyond this many bytes of text in all, older
// entries go, so that two long recordings never share the 32-bit program's memory.
constexpr uint64_t kCachedBytes = 160ull << 20;

// One file however its path is spelt: the program writes "jb_rec\\x.ini" where a test or another
// part may read "jb_rec/x.ini", and Windows ignores case in names. Two spellings of one file must
// share one entry, or a same-size change made through one could go unseen through the other
// within one tick of the file system's clock.
std::string cacheKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c == '\\') c = '/';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

struct CachedFile {
    std::string key;
    std::string path;
    // The file's identity when its text was read; a different one means another writer changed it.
    files::Identity identity;
    // False when the text read may not match identity (the file changed during the read, or it
    // could not be read): the next use reads it again.
    bool trusted = false;
    // False when the text cannot be held: larger than kMaxFileBytes, or the memory ran out while
    // reading it. Until the file changes, its reads give their fallbacks and writes are refused,
    // for a write needs to know what the file holds.
    bool readable = true;
    // Checked against the disk inside a steady-reads scope: later reads of the scope trust it.
    bool steadyChecked = false;
    Index index;
};

// The index of every recently used file, each checked against the file on disk before use.
class Cache {
public:
    CachedFile& current(const std::string& path) {
        const std::string key = cacheKey(path);
        auto found = files_.begin();
        while (found != files_.end() && found->key != key) ++found;
        if (found != files_.end() && found->steadyChecked && found->trusted) {
            files_.splice(files_.begin(), files_, found);
            files_.front().path = path;
            return files_.front();
        }
        files::Identity now = files::identity(path);
        if (found == files_.end()) {
            files_.emplace_front();
            files_.front().key = key;
            if (files_.size() > kCachedFiles) files_.pop_back();
        } else {
            files_.splice(files_.begin(), files_, found);
        }
        CachedFile& file = files_.front();
        file.path = path;
        if (!file.trusted || file.identity != now) {
            keepWithin(kCachedBytes > now.size ? kCachedBytes - now.size : 0);
            load(file, now);
        }
        file.steadyChecked = steadyScopes_.count(key) > 0;
        return file;
    }

    void beginSteady(const std::string& path) {
        const std::string key = cacheKey(path);
        ++steadyScopes_[key];
        recheck(key);
    }
    void endSteady(const std::string& path) {
        const std::string key = cacheKey(path);
        if (--steadyScopes_[key] == 0) steadyScopes_.erase(key);
        recheck(key);
    }
    // The next read of the file asks the disk again.
    void recheck(const std::string& key) {
        for (CachedFile& file : files_)
            if (file.key == key) file.steadyChecked = false;
    }

    void forget(const std::string& path) {
        const std::string key = cacheKey(path);
        files_.remove_if([&](const CachedFile& f) { return f.key == key; });
    }

private:
    static void load(CachedFile& file, const files::Identity& now) {
        file.identity = now;
        file.index = Index();
        file.readable = now.size <= kMaxFileBytes;
        file.trusted = !now.exists || !file.readable;
        if (file.trusted) return;
        try {
            std::string text;
            const bool read = files::readAll(file.path, text);
            const bool whole = read && text.size() == now.size;
            // Only an index that stands is trusted: were building it to fail, the entry must not
            // go on answering from an older text.
            file.index = Index(read ? std::move(text) : std::string());
            file.trusted = whole;
        } catch (const std::bad_alloc&) {
            holdNothing(file);
        } catch (const std::length_error&) {  // a text longer than a string can be
            holdNothing(file);
        }
    }

    static void holdNothing(CachedFile& file) {
        file.index = Index();
        file.readable = false;
        file.trusted = true;
    }

    // Drops the least recently used entries, never the one in front, until the others hold no
    // more than `bytes` of text.
    void keepWithin(uint64_t bytes) {
        uint64_t held = 0;
        for (auto it = std::next(files_.begin()); it != files_.end();) {
            held += it->index.text().size();
            it = held > bytes ? files_.erase(it) : std::next(it);
        }
    }

    std::list<CachedFile> files_;  // most recently used first
    // The files read in steady-reads scopes, with the number of scopes open on each.
    std::map<std::string, int> steadyScopes_;
};

std::mutex cacheMutex;
Cache cache;

// One change to a file's text: `removed` bytes at `offset` give way to `inserted`.
struct Edit {
    size_t offset;
    size_t removed;
    std::string inserted;
};

enum class Rewrite { Cheapest, Whole };

// Takes the path by value: the cache entry holding the caller's copy goes here.
[[noreturn]] void failWrite(std::string path) {
    cache.forget(path);
    throw Error("Unable to write to " + path);
}

// Puts the edit on disk with the cheapest primitive that is safe for it and brings the cached
// index along. Appends and changes inside the last section touch only the file's tail; a change
// further up writes a whole new file, never rewriting a large file in place.
void apply(CachedFile& file, const Edit& edit, Rewrite rewrite) {
    if (!file.readable) failWrite(file.path);
    Index& index = file.index;
    const std::string& text = index.text();
    const auto& sections = index.sections();
    bool inLastSection = !sections.empty() && edit.offset > sections.back().headerStart;

    bool onDisk = false;
    try {
        if (rewrite == Rewrite::Cheapest && edit.offset == text.size() && edit.removed == 0) {
            if (!files::append(file.path, edit.inserted)) failWrite(file.path);
            onDisk = true;
            index.append(edit.inserted);
        } else if (rewrite == Rewrite::Cheapest && inLastSection) {
            std::string tail = edit.inserted + text.substr(edit.offset + edit.removed);
            if (!files::rewriteTail(file.path, edit.offset, tail)) failWrite(file.path);
            onDisk = true;
            index.replaceFrom(edit.offset, tail);
        } else {
            std::string whole = text.substr(0, edit.offset) + edit.inserted +
                                text.substr(edit.offset + edit.removed);
            if (!files::replaceAtomically(file.path, whole)) failWrite(file.path);
            onDisk = true;
            index = Index(std::move(whole));
        }
    } catch (const std::bad_alloc&) {
        // Out of memory before the write: nothing was written. After it: the file holds the
        // change and only the index could not follow; it goes, and the next use reads the file.
        if (!onDisk) failWrite(file.path);
        cache.forget(std::string(file.path));
        return;
    }
    file.identity = files::identity(file.path);
    // Another writer slipping in between our write and this look would leave a size we did not
    // write: read the file again next time rather than trust the index.
    file.trusted = file.identity.exists && file.identity.size == index.text().size();
}

Edit planWrite(const Index& index, std::string_view section, std::string_view key,
               const std::string& value) {
    const std::string& text = index.text();
    std::string line = std::string(key) + "=" + value;
    std::optional<size_t> s = index.findSection(section);
    if (!s) {
        std::string bytes = text.empty() || index.endsWithLineBreak() ? "" : "\r\n";
        bytes += "[" + std::string(section) + "]\r\n" + line + "\r\n";
        return Edit{text.size(), 0, std::move(bytes)};
    }
    if (std::optional<size_t> k = index.findKey(*s, key)) {
        const Index::Key& found = index.keys()[*k];
        // The line keeps its key's spelling and its own line break.
        return Edit{found.lineStart, found.lineEnd - found.lineStart,
                    std::string(index.keyName(*k)) + "=" + value};
    }
    size_t at = index.sections()[*s].insertAt;
    // Only the file's last line can lack a line break.
    bool afterBrokenLine = at == text.size() && !text.empty() && !index.endsWithLineBreak();
    return Edit{at, 0, (afterBrokenLine ? "\r\n" : "") + line + "\r\n"};
}

}  // namespace

SteadyReads::SteadyReads(std::string path) : path_(std::move(path)) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    cache.beginSteady(path_);
}

SteadyReads::~SteadyReads() {
    std::lock_guard<std::mutex> lock(cacheMutex);
    cache.endSteady(path_);
}

void SteadyReads::recheck() {
    std::lock_guard<std::mutex> lock(cacheMutex);
    cache.recheck(cacheKey(path_));
}

std::string readString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    const Index& index = cache.current(path).index;
    std::optional<size_t> s = index.findSection(section);
    if (!s) return fallback;
    std::optional<size_t> k = index.findKey(*s, key);
    if (!k) return fallback;
    return std::string(index.value(*k));
}

int32_t readInteger(const std::string& path, const std::string& section, const std::string& key,
                    int32_t fallback) {
    return parseInt32Or(readString(path, section, key, ""), fallback);
}

void writeString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    CachedFile& file = cache.current(path);
    apply(file, planWrite(file.index, trimBlanks(section), trimBlanks(key), value), Rewrite::Cheapest);
}

void writeInteger(const std::string& path, const std::string& section, const std::string& key,
                  int32_t value) {
    writeString(path, section, key, std::to_string(value));
}

void writeStrings(const std::string& path, const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& keys) {
    {
        std::lock_guard<std::mutex> lock(cacheMutex);
        CachedFile& file = cache.current(path);
        const std::string_view name = trimBlanks(section);
        if (!keys.empty() && !file.index.findSection(name)) {
            // The new section with its first key, and the other keys after it, as the writes of
            // one key after another would leave them.
            Edit edit = planWrite(file.index, name, trimBlanks(keys.front().first), keys.front().second);
            for (auto key = std::next(keys.begin()); key != keys.end(); ++key)
                edit.inserted += std::string(trimBlanks(key->first)) + "=" + key->second + "\r\n";
            apply(file, edit, Rewrite::Cheapest);
            return;
        }
    }
    for (const auto& [key, value] : keys) writeString(path, section, key, value);
}

std::vector<std::string> sectionNames(const std::string& path) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    const Index& index = cache.current(path).index;
    std::vector<std::string> names;
    for (size_t s = 0; s < index.sections().size(); ++s) {
        std::string_view name = index.sectionName(s);
        if (index.findSection(name) == s) names.emplace_back(name);
    }
    return names;
}

std::vector<std::string> keyNames(const std::string& path, const std::string& section) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    const Index& index = cache.current(path).index;
    std::vector<std::string> names;
    std::optional<size_t> s = index.findSection(section);
    if (!s) return names;
    const Index::Section& found = index.sections()[*s];
    for (size_t k = found.firstKey; k < found.firstKey + found.keyCount; ++k) {
        std::string_view name = index.keyName(k);
        if (index.findKey(*s, name) == k) names.emplace_back(name);
    }
    return names;
}

bool sectionExists(const std::string& path, const std::string& section) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    return cache.current(path).index.findSection(section).has_value();
}

void eraseSection(const std::string& path, const std::string& section) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    CachedFile& file = cache.current(path);
    std::optional<size_t> s = file.index.findSection(section);
    if (!s) return;
    size_t start = file.index.sections()[*s].headerStart;
    apply(file, Edit{start, file.index.sectionEnd(*s) - start, ""}, Rewrite::Whole);
}

void deleteKey(const std::string& path, const std::string& section, const std::string& key) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    CachedFile& file = cache.current(path);
    std::optional<size_t> s = file.index.findSection(section);
    if (!s) return;
    std::optional<size_t> k = file.index.findKey(*s, key);
    if (!k) return;
    const Index::Key& found = file.index.keys()[*k];
    apply(file, Edit{found.lineStart, found.next - found.lineStart, ""}, Rewrite::Whole);
}

}  // namespace tapmill::profile
