#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tapmill::profile {

// Names compare without regard to ASCII case. They may be GBK, where the second byte of a
// double-byte character can be an ASCII letter: such a byte is part of the character and is
// never folded, or two different characters would match.
std::string foldName(std::string_view name);
// Spaces and tabs around names and values are not part of them.
std::string_view trimBlanks(std::string_view text);

// Where the sections and keys of one profile text lie. Lookups by name cost a hash or a short
// scan; after an edit at the end of the text only the changed tail is parsed again, so the
// recorder's appends never cost a pass over the whole file.
//
// Lines end in CR LF, LF or a lone CR. "[name]" starts a section; "key=value" lines inside a
// section are its keys; any other line, and everything before the first section, is ignored.
class Index {
public:
    struct Key {
        size_t lineStart;  // first byte of the line
        size_t lineEnd;    // end of the line's text, before its line break
        size_t next;       // first byte of the following line
        size_t nameStart, nameSize;
        size_t valueStart, valueSize;  // the value as read: trimmed, one pair of quotes stripped
    };
    struct Section {
        size_t headerStart;
        size_t nameStart, nameSize;
        size_t firstKey, keyCount;  // its key lines, a run of keys()
        size_t insertAt;            // where a new key line goes: after the last key line or the header
        // Only sections with many keys get a map from folded name to key; small ones are scanned.
        std::unique_ptr<std::unordered_map<std::string, size_t>> keyByName;
    };

    Index() = default;
    explicit Index(std::string text);

    const std::string& text() const { return text_; }
    const std::vector<Section>& sections() const { return sections_; }
    const std::vector<Key>& keys() const { return keys_; }

    // The first section, or the first key of a section, of that name (blanks around it and ASCII
    // case aside).
    std::optional<size_t> findSection(std::string_view name) const;
    std::optional<size_t> findKey(size_t section, std::string_view name) const;

    std::string_view sectionName(size_t section) const;
    std::string_view keyName(size_t key) const;
    std::string_view value(size_t key) const;
    // Where the section's last line ends: the next section's header or the end of the text.
    size_t sectionEnd(size_t section) const;
    bool endsWithLineBreak() const;

    // The text grew by bytes at its end.
    void append(std::string_view bytes);
    // The text from offset on was replaced by bytes.
    void replaceFrom(size_t offset, std::string_view bytes);

private:
    void parseFrom(size_t pos);
    void parseLine(size_t start, size_t end, size_t next);
    void addKey(const Key& key);
    // Forgets the section holding offset and every later one; returns where parsing resumes.
    size_t forgetFrom(size_t offset);

    std::string text_;
    std::vector<Section> sections_;
    std::vector<Key> keys_;
    std::unordered_map<std::string, size_t> sectionByName_;
};

}  // namespace tapmill::profile
