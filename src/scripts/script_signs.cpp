#include "scripts/script_signs.h"

#include <vector>

#include "common/gbk.h"
#include "scripts/script_line.h"
#include "scripts/script_words.h"

namespace tapmill::scripts {

namespace {

struct Signs {
    std::string fullColon, fullComma;
    // The words that end in the full-width colon, without it.
    std::vector<std::string> colonWords;
    // The clause words, and whether a colon follows the word.
    std::vector<std::pair<std::string, bool>> clauses;
};

std::string gbkOf(const char* utf8) { return utf8ToGbk(utf8).value_or(std::string()); }

const Signs& signs() {
    static const Signs s = [] {
        Signs made;
        made.fullColon = gbkOf("：");
        made.fullComma = gbkOf("，");
        const ScriptWords& w = scriptWords();
        for (const std::string* word : {&w.typeText, &w.label, &w.jump, &w.waitWindow, &w.activateWindow,
                                        &w.waitColour, &w.waitImage, &w.anchorWindow})
            made.colonWords.push_back(word->substr(0, word->size() - made.fullColon.size()));
        made.clauses = {{gbkOf("限时"), false}, {gbkOf("否则跳到"), true}, {gbkOf("容差"), false},
                        {gbkOf("偏移"), false}, {gbkOf("类"), true},       {"DPI", true}};
        return made;
    }();
    return s;
}

bool startsAt(const std::string& text, size_t at, const std::string& word) {
    return text.compare(at, word.size(), word) == 0;
}

bool takesClauses(LineKind kind) {
    switch (kind) {
        case LineKind::WaitWindow:
        case LineKind::ActivateWindow:
        case LineKind::WaitColour:
        case LineKind::WaitImage:
        case LineKind::MoveToFound:
        case LineKind::AnchorWindow:
            return true;
        default:
            return false;
    }
}

// The clause that begins at `at`, or nothing.
const std::pair<std::string, bool>* clauseAt(const std::string& line, size_t at) {
    for (const auto& clause : signs().clauses)
        if (startsAt(line, at, clause.first)) return &clause;
    return nullptr;
}

// The line with its word's colon made full-width, and where what follows the word begins.
std::string withFullWidthWordColon(const std::string& line, size_t& operands) {
    operands = 0;
    for (const std::string& word : signs().colonWords) {
        if (startsAt(line, 0, word) && startsAt(line, word.size(), ":")) {
            operands = word.size() + signs().fullColon.size();
            return word + signs().fullColon + line.substr(word.size() + 1);
        }
        if (startsAt(line, 0, word + signs().fullColon)) operands = word.size() + signs().fullColon.size();
    }
    return line;
}

}  // namespace

std::string withFullWidthSigns(const std::string& typed) {
    size_t operands = 0;
    const std::string line = withFullWidthWordColon(typed, operands);
    const LineKind kind = classifyLine(line);
    if (!takesClauses(kind)) return line;
    if (kind == LineKind::MoveToFound) operands = scriptWords().moveToFound.size();
    const Signs& s = signs();
    std::string out = line.substr(0, operands);
    size_t i = operands;
    while (i < line.size()) {
        const bool halfComma = line[i] == ',';
        if (halfComma || startsAt(line, i, s.fullComma)) {
            size_t word = i + (halfComma ? 1 : s.fullComma.size());
            if (halfComma)
                while (word < line.size() && line[word] == ' ') ++word;
            if (const auto* clause = clauseAt(line, word)) {
                out += s.fullComma + clause->first;
                size_t after = word + clause->first.size();
                if (clause->second && startsAt(line, after, ":")) {
                    out += s.fullColon;
                    ++after;
                }
                i = after;
                continue;
            }
        }
        const size_t length = static_cast<unsigned char>(line[i]) >= 0x81 && i + 1 < line.size() ? 2 : 1;
        out.append(line, i, length);
        i += length;
    }
    return out;
}

std::string halfWidthSignFault(const std::string& line) {
    const std::string mended = withFullWidthSigns(line);
    if (mended == line) return "";
    size_t at = 0;
    while (at < line.size() && at < mended.size() && line[at] == mended[at]) ++at;
    return line[at] == ',' ? "用了半角的逗号“,”，应为全角的“，”" : "用了半角的冒号“:”，应为全角的“：”";
}

}  // namespace tapmill::scripts
