#include "common/profile_index.h"

#include <algorithm>

namespace tapmill::profile {

namespace {

// Up to this many keys a section is scanned; a hash map per frame section of a long recording
// would cost far more memory than the scan costs time.
constexpr size_t kScannedKeys = 16;

bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE; }

// Whether text[i] starts a GBK double-byte character.
bool startsDoubleByte(std::string_view text, size_t i) {
    return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
           isTrailByte(static_cast<unsigned char>(text[i + 1]));
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Compares a stored name with an already folded one without building the folded copy.
bool sameFoldedName(std::string_view stored, std::string_view folded) {
    if (stored.size() != folded.size()) return false;
    for (size_t i = 0; i < stored.size(); ++i) {
        if (startsDoubleByte(stored, i)) {
            if (stored[i] != folded[i] || stored[i + 1] != folded[i + 1]) return false;
            ++i;
        } else if (asciiLower(stored[i]) != folded[i]) {
            return false;
        }
    }
    return true;
}

bool isQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

std::string foldName(std::string_view name) {
    std::string folded(name);
    for (size_t i = 0; i < folded.size(); ++i) {
        if (startsDoubleByte(folded, i))
            ++i;
        else
            folded[i] = asciiLower(folded[i]);
    }
    return folded;
}

std::string_view trimBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

Index::Index(std::string text) : text_(std::move(text)) { parseFrom(0); }

std::optional<size_t> Index::findSection(std::string_view name) const {
    auto found = sectionByName_.find(foldName(trimBlanks(name)));
    if (found == sectionByName_.end()) return std::nullopt;
    return found->second;
}

std::optional<size_t> Index::findKey(size_t section, std::string_view name) const {
    const Section& s = sections_[section];
    std::string folded = foldName(trimBlanks(name));
    if (s.keyByName) {
        auto found = s.keyByName->find(folded);
        if (found == s.keyByName->end()) return std::nullopt;
        return found->second;
    }
    for (size_t k = s.firstKey; k < s.firstKey + s.keyCount; ++k)
        if (sameFoldedName(keyName(k), folded)) return k;
    return std::nullopt;
}

std::string_view Index::sectionName(size_t section) const {
    const Section& s = sections_[section];
    return std::string_view(text_).substr(s.nameStart, s.nameSize);
}

std::string_view Index::keyName(size_t key) const {
    const Key& k = keys_[key];
    return std::string_view(text_).substr(k.nameStart, k.nameSize);
}

std::string_view Index::value(size_t key) const {
    const Key& k = keys_[key];
    return std::string_view(text_).substr(k.valueStart, k.valueSize);
}

size_t Index::sectionEnd(size_t section) const {
    return section + 1 < sections_.size() ? sections_[section + 1].headerStart : text_.size();
}

bool Index::endsWithLineBreak() const {
    return !text_.empty() && (text_.back() == '\n' || text_.back() == '\r');
}

void Index::append(std::string_view bytes) {
    size_t old = text_.size();
    // Parsing can go on from the old end only if that end is a line's start in the new text too:
    // not after a last line without a break, nor between a CR and an LF that now pairs with it.
    bool atLineStart = old == 0 || text_[old - 1] == '\n' ||
                       (text_[old - 1] == '\r' && (bytes.empty() || bytes.front() != '\n'));
    size_t resume = atLineStart ? old : forgetFrom(old);
    text_.append(bytes);
    parseFrom(resume);
}

void Index::replaceFrom(size_t offset, std::string_view bytes) {
    size_t resume = forgetFrom(offset);
    text_.resize(offset);
    text_.append(bytes);
    parseFrom(resume);
}

size_t Index::forgetFrom(size_t offset) {
    // The section whose header starts before offset may have changed lines; its header itself is
    // unchanged and still starts a line, so parsing resumes there.
    size_t first = static_cast<size_t>(
        std::partition_point(sections_.begin(), sections_.end(),
                             [offset](const Section& s) { return s.headerStart < offset; }) -
        sections_.begin());
    // Lines before the first section carry no state, so with no section before offset parsing
    // starts over.
    size_t keep = first > 0 ? first - 1 : 0;
    size_t resume = first > 0 ? sections_[keep].headerStart : 0;
    for (size_t s = sections_.size(); s-- > keep;) {
        auto entry = sectionByName_.find(foldName(sectionName(s)));
        if (entry != sectionByName_.end() && entry->second == s) sectionByName_.erase(entry);
    }
    if (keep < sections_.size()) keys_.resize(sections_[keep].firstKey);
    sections_.resize(keep);
    return resume;
}

void Index::parseFrom(size_t pos) {
    const size_t size = text_.size();
    while (pos < size) {
        size_t end = pos;
        while (end < size && text_[end] != '\n' && text_[end] != '\r') ++end;
        size_t next = end;
        if (next < size) next += (text_[next] == '\r' && next + 1 < size && text_[next + 1] == '\n') ? 2 : 1;
        parseLine(pos, end, next);
        pos = next;
    }
}

void Index::parseLine(size_t start, size_t end, size_t next) {
    std::string_view line = std::string_view(text_).substr(start, end - start);
    size_t p = 0;
    while (p < line.size() && isBlank(line[p])) ++p;

    if (p < line.size() && line[p] == '[') {
        // A GBK trail byte may be ']' (0x5D): step over double-byte characters to find the bracket.
        size_t q = p + 1;
        while (q < line.size() && line[q] != ']') q += startsDoubleByte(line, q) ? 2 : 1;
        if (q < line.size()) {
            std::string_view name = trimBlanks(line.substr(p + 1, q - p - 1));
            size_t nameStart = start + static_cast<size_t>(name.data() - line.data());
            size_t index = sections_.size();
            sections_.push_back(Section{start, nameStart, name.size(), keys_.size(), 0, next, nullptr});
            sectionByName_.emplace(foldName(name), index);  // an earlier duplicate keeps its place
            return;
        }
        // No closing bracket: an ordinary line.
    }
    if (sections_.empty()) return;

    // '=' (0x3D) is below every GBK trail byte, so the first one found is a real one.
    size_t eq = line.find('=', p);
    if (eq == std::string_view::npos) return;
    std::string_view name = trimBlanks(line.substr(p, eq - p));
    std::string_view value = trimBlanks(line.substr(eq + 1));
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    addKey(Key{start, end, next, start + static_cast<size_t>(name.data() - line.data()), name.size(),
               start + static_cast<size_t>(value.data() - line.data()), value.size()});
}

void Index::addKey(const Key& key) {
    size_t index = keys_.size();
    keys_.push_back(key);
    Section& s = sections_.back();
    ++s.keyCount;
    s.insertAt = key.next;
    if (s.keyByName) {
        s.keyByName->emplace(foldName(keyName(index)), index);
    } else if (s.keyCount > kScannedKeys) {
        s.keyByName = std::make_unique<std::unordered_map<std::string, size_t>>();
        for (size_t k = s.firstKey; k <= index; ++k) s.keyByName->emplace(foldName(keyName(k)), k);
    }
}

}  // namespace tapmill::profile
