#include "scripts/script_signs.h"

#include <algorithm>
#include <vector>

#include "common/gbk.h"
#include "scripts/script_line.h"
#include "scripts/script_words.h"

namespace tapmill::scripts {

namespace {

// A clause of a line, known by its word and by what follows the word, so that text that merely
// begins like one ("类型", "限时的") stays text.
struct Clause {
    std::string word;
    enum Follower { Digit, Colon, LetterX } follower;
    // The kinds of line that take it.
    std::vector<LineKind> kinds;
};

struct Signs {
    std::string fullColon, fullComma;
    // The words that end in the full-width colon, without it.
    std::vector<std::string> colonWords;
    std::vector<Clause> clauses;
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
        const std::vector<LineKind> waits{LineKind::WaitWindow, LineKind::ActivateWindow, LineKind::WaitColour,
                                          LineKind::WaitImage, LineKind::AnchorWindow};
        made.clauses = {
            {gbkOf("限时"), Clause::Digit, waits},
            {gbkOf("否则跳到"), Clause::Colon, waits},
            {gbkOf("容差"), Clause::Digit, {LineKind::WaitColour, LineKind::WaitImage}},
            {gbkOf("偏移"), Clause::LetterX, {LineKind::MoveToFound}},
            {gbkOf("类"), Clause::Colon, {LineKind::AnchorWindow}},
            {"DPI", Clause::Colon, {LineKind::AnchorWindow}},
        };
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

bool follows(const std::string& line, size_t at, Clause::Follower follower) {
    size_t next = at;
    while (next < line.size() && line[next] == ' ') ++next;
    if (next >= line.size()) return false;
    switch (follower) {
        case Clause::Digit: return line[next] >= '0' && line[next] <= '9';
        case Clause::LetterX: return line[next] == 'X';
        case Clause::Colon: return line[next] == ':' || startsAt(line, next, signs().fullColon);
    }
    return false;
}

// The clause of a line of this kind that begins at `at`, or nothing.
const Clause* clauseAt(const std::string& line, size_t at, LineKind kind) {
    for (const Clause& clause : signs().clauses)
        if (std::find(clause.kinds.begin(), clause.kinds.end(), kind) != clause.kinds.end() &&
            startsAt(line, at, clause.word) && follows(line, at + clause.word.size(), clause.follower))
            return &clause;
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
            if (const Clause* clause = clauseAt(line, word, kind)) {
                out += s.fullComma + clause->word;
                size_t after = word + clause->word.size();
                if (clause->follower == Clause::Colon && startsAt(line, after, ":")) {
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
