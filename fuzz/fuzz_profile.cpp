// The profile layer against two references: a fresh parse of the file's bytes after every change
// (the cached, incrementally updated index must read exactly as a fresh read would), and a model of
// the values this run wrote (a write must read back, and must not disturb any other value).
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "common/error.h"
#include "common/profile.h"
#include "common/profile_index.h"
#include "platform/files.h"

namespace {

using tapmill::profile::foldName;

// Stops the run with what differed, so a crash report says which reference disagreed.
[[noreturn]] void fail(const char* what, const std::string& section, const std::string& key, const std::string& got,
                       const std::string& expected) {
    std::fprintf(stderr, "profile fuzzer: %s [%s] %s: got \"%s\", expected \"%s\"\n", what, section.c_str(),
                 key.c_str(), got.c_str(), expected.c_str());
    std::abort();
}

const char* const kNames[] = {"a", "A", "b", "all", "ALL", "0", "1", "x", "kp", "\xD6\xD0", "\xD6\xF0", "\xB0\x41",
                              "\xB0\x61"};

std::string pickName(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return kNames[in.ConsumeIntegralInRange<size_t>(0, sizeof kNames / sizeof *kNames - 1)];
    return in.ConsumeRandomLengthString(8);
}

// Whole GBK characters only: a lead byte left without its trail byte would pair with the "]" or
// "=" that follows the name in the file. The program's names always come converted from Unicode.
bool wholeGbk(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x81 || c == 0xFF) continue;
        if (i + 1 >= s.size()) return false;
        const unsigned char t = static_cast<unsigned char>(s[++i]);
        if (t < 0x40 || t == 0x7F || t == 0xFF) return false;
    }
    return true;
}

// Names and values that any writer can store and read back unchanged.
bool clean(const std::string& s, bool isName) {
    if (isName && (s.empty() || !wholeGbk(s))) return false;
    for (char c : s)
        if (c == '\r' || c == '\n' || c == '\0' || (isName && (c == '=' || c == '[' || c == ']'))) return false;
    if (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t')) return false;
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) return false;
    return true;
}

void checkAgainstFreshParse(const std::string& path) {
    std::string bytes;
    tapmill::files::readAll(path, bytes);
    tapmill::profile::Index fresh(bytes);
    std::vector<std::string> names = tapmill::profile::sectionNames(path);
    size_t distinct = 0;
    std::map<std::string, bool> seen;
    for (size_t s = 0; s < fresh.sections().size(); ++s) {
        const std::string name(fresh.sectionName(s));
        if (seen[foldName(name)]) continue;
        seen[foldName(name)] = true;
        if (distinct >= names.size() || names[distinct] != name)
            fail("section list", name, "", distinct < names.size() ? names[distinct] : "(none)", name);
        ++distinct;
        const auto& section = fresh.sections()[s];
        for (size_t k = section.firstKey; k < section.firstKey + section.keyCount; ++k) {
            const std::string key(fresh.keyName(k));
            auto first = fresh.findKey(s, key);
            if (!first || *first != k) continue;  // a later duplicate: the first one is read
            const std::string got = tapmill::profile::readString(path, name, key, "\x01");
            if (got != std::string(fresh.value(k))) fail("cached read vs fresh parse", name, key, got, std::string(fresh.value(k)));
        }
    }
    if (distinct != names.size()) fail("section count", "", "", std::to_string(names.size()), std::to_string(distinct));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    FuzzedDataProvider in(data, size);
    // A new file each run: two runs writing the same number of bytes within one tick of the file
    // system's clock would otherwise look like the same file to the cache.
    const std::string path = "/tmp/tapmill_fuzz_profile_" + std::to_string(getpid()) + "_" + std::to_string(runs++ % 64) + ".ini";
    tapmill::files::removeFile(path);
    const std::string initial = in.ConsumeRandomLengthString(2048);
    std::ofstream(path, std::ios::binary) << initial;

    std::map<std::pair<std::string, std::string>, std::string> written;  // by folded names
    bool modelValid = true;
    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        const std::string section = pickName(in);
        const std::string key = pickName(in);
        static const bool trace = std::getenv("TAPMILL_FUZZ_TRACE") != nullptr;
        if (trace) std::fprintf(stderr, "step %d [%s] %s\n", step, section.c_str(), key.c_str());
        try {
            switch (in.ConsumeIntegralInRange<int>(0, 4)) {
                case 0:
                case 1: {
                    const std::string value = in.ConsumeRandomLengthString(16);
                    tapmill::profile::writeString(path, section, key, value);
                    if (clean(section, true) && clean(key, true) && clean(value, false))
                        written[{foldName(section), foldName(key)}] = value;
                    else
                        modelValid = false;  // such a write may legitimately change other values
                    break;
                }
                case 2:
                    tapmill::profile::eraseSection(path, section);
                    for (auto it = written.begin(); it != written.end();)
                        it = it->first.first == foldName(section) ? written.erase(it) : std::next(it);
                    break;
                case 3:
                    tapmill::profile::deleteKey(path, section, key);
                    written.erase({foldName(section), foldName(key)});
                    break;
                default:
                    tapmill::profile::readInteger(path, section, key, 7);
                    break;
            }
        } catch (const tapmill::Error& e) {
            fail("write failed", section, key, e.what(), "");  // the folder is writable: no write may fail
        }
        checkAgainstFreshParse(path);
        if (!modelValid) continue;
        for (const auto& [names, value] : written) {
            const std::string got = tapmill::profile::readString(path, names.first, names.second, "\x01");
            if (got != value) fail("written value", names.first, names.second, got, value);
        }
    }
    tapmill::files::removeFile(path);
    return 0;
}
