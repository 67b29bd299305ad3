#include "notation/Pgnscanu.h"

#include <array>

namespace {

// What each byte is to the scanner, looked up rather than compared: the scanner visits every
// byte of files of tens of megabytes.
enum : uint8_t { BlankClass = 1, LineEndClass = 2, EndsWordClass = 4, NameClass = 8 };

constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> classes{};
    for (unsigned char c : {' ', '\t', '\v', '\f'}) classes[c] = BlankClass | EndsWordClass;
    for (unsigned char c : {'\n', '\r'}) classes[c] = LineEndClass | EndsWordClass;
    // The characters that open or close something else end a word too.
    for (unsigned char c : {'{', '}', '(', ')', ';', '[', ']', '$'}) classes[c] = EndsWordClass;
    for (int c = 0; c < 256; ++c)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
            classes[static_cast<size_t>(c)] = NameClass;
    return classes;
}

constexpr std::array<uint8_t, 256> Classes = MakeClasses();

bool Is(char c, uint8_t kind) {
    return (Classes[static_cast<unsigned char>(c)] & kind) != 0;
}

bool IsLineEnd(char c) {
    return Is(c, LineEndClass);
}

bool IsBlank(char c) {
    return Is(c, BlankClass);
}

bool EndsWord(char c) {
    return Is(c, EndsWordClass);
}

bool IsNameCharacter(char c) {
    return Is(c, NameClass);
}

bool IsResult(std::string_view word) {
    return word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*";
}

// The tags of which a game has one: a second one begins the next game.
int RosterIndex(std::string_view name) {
    static constexpr std::string_view roster[] = {"Event", "Site",   "Date", "Round", "White",
                                                  "Black", "Result", "FEN",  "SetUp"};
    // Most names are none of these: those of another length are let go at once.
    if (name.size() < 3 || name.size() > 6) return -1;
    for (int i = 0; i < static_cast<int>(std::size(roster)); ++i)
        if (name == roster[i]) return i;
    return -1;
}

} // namespace

PgnWordKind ClassifyPgnWord(std::string_view& word) {
    // NAGs, and evaluation glyphs some programs write as text ("+/=", "!?").
    if (word.empty() || word.front() == '$' || word == "e.p." ||
        (word != "--" && word.find_first_not_of("+-=/!?") == std::string_view::npos))
        return PgnWordKind::Skipped;
    // A move number, "12." or "12...", alone or before its move.
    size_t digits = 0;
    while (digits < word.size() && word[digits] >= '0' && word[digits] <= '9') ++digits;
    size_t dots = digits;
    while (dots < word.size() && word[dots] == '.') ++dots;
    if (digits == word.size() || dots > digits) word.remove_prefix(dots);
    return word.empty() ? PgnWordKind::Skipped : PgnWordKind::Move;
}

std::string UnescapePgnValue(std::string_view value, size_t most) {
    std::string text;
    for (size_t i = 0; i < value.size() && text.size() < most; ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) ++i;
        text += value[i];
    }
    return text;
}

int PgnLineNumber(std::string_view text, size_t at, size_t from, int fromLine) {
    int line = fromLine;
    for (size_t i = from; i < at && i < text.size(); ++i)
        line +=
            text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    return line;
}

PgnScanner::PgnScanner(std::string_view text, size_t offset)
    : text(text), pos(offset < text.size() ? offset : text.size()) {
    if (pos == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
}

bool PgnScanner::SkipSpace() {
    int lineEnds = 0; // since the last thing that was not white space
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsBlank(c)) {
            ++pos;
        } else if (IsLineEnd(c)) {
            // CR LF is one line end.
            if (c == '\r' || pos == 0 || text[pos - 1] != '\r') ++lineEnds;
            blank = blank || lineEnds >= 2;
            ++pos;
        } else if (c == '%' && AtLineStart()) {
            SkipToLineEnd();
            lineEnds = 0;
        } else {
            return true;
        }
    }
    return false;
}

bool PgnScanner::AtLineStart() const {
    return pos == 0 || IsLineEnd(text[pos - 1]) ||
           (pos == 3 && text.substr(0, 3) == "\xEF\xBB\xBF");
}

void PgnScanner::SkipToLineEnd() {
    while (pos < text.size() && !IsLineEnd(text[pos])) ++pos;
}

bool PgnScanner::SkipComment() {
    const size_t end = text.find('}', pos);
    pos = end == std::string_view::npos ? text.size() : end + 1;
    return end != std::string_view::npos;
}

bool PgnScanner::SkipVariation() {
    int depth = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '{') {
            if (!SkipComment()) return false;
            continue;
        }
        if (c == ';') {
            SkipToLineEnd();
            continue;
        }
        ++pos;
        if (c == '(') ++depth;
        if (c == ')' && --depth == 0) return true;
    }
    return false;
}

bool PgnScanner::ReadTag(PgnToken& token) {
    const size_t size = text.size();
    size_t p = pos + 1;
    while (p < size && IsBlank(text[p])) ++p;
    const size_t nameStart = p;
    while (p < size && IsNameCharacter(text[p])) ++p;
    const size_t nameEnd = p;
    while (p < size && IsBlank(text[p])) ++p;
    if (nameEnd == nameStart || p >= size || text[p] != '"') return false;
    const size_t valueStart = ++p;
    // The value ends at its closing quote, on the same line.
    while (p < size && text[p] != '"' && !IsLineEnd(text[p]))
        p += text[p] == '\\' && p + 1 < size && !IsLineEnd(text[p + 1]) ? 2 : 1;
    if (p >= size || text[p] != '"') return false;
    const size_t valueEnd = p++;
    while (p < size && IsBlank(text[p])) ++p;
    if (p >= size || text[p] != ']') return false;
    token.Kind = PgnTokenKind::Tag;
    token.Start = pos;
    token.Text = text.substr(pos, p + 1 - pos);
    token.Name = text.substr(nameStart, nameEnd - nameStart);
    token.Value = text.substr(valueStart, valueEnd - valueStart);
    pos = p + 1;
    return true;
}

bool PgnScanner::StartsNextGame(const PgnToken& tag) {
    if (inMoves || (blank && anyTag)) return true;
    const int roster = RosterIndex(tag.Name);
    if (roster < 0) return false;
    const uint32_t bit = uint32_t{1} << roster;
    if (rosterSeen & bit) return true;
    rosterSeen |= bit;
    return false;
}

bool PgnScanner::Next(PgnToken& token) {
    token = PgnToken{};
    while (!ended && SkipSpace()) {
        const size_t start = pos;
        const char c = text[pos];
        token.Start = start;
        if (c == ';') {
            SkipToLineEnd();
        } else if (c == '{' || c == '(') {
            if (c == '{' && SkipComment()) {
                token.Kind = PgnTokenKind::Comment;
                token.Text = text.substr(start + 1, pos - start - 2);
                return true;
            }
            if (c == '(' && SkipVariation()) continue;
            token.Kind = PgnTokenKind::Fault;
            token.Fault = c == '{' ? PgnFault::UnclosedComment : PgnFault::UnclosedVariation;
            return true;
        } else if (c == '}' || c == ')' || c == ']') {
            ++pos;
            token.Kind = PgnTokenKind::Fault;
            token.Fault = PgnFault::ClosesNothing;
            token.Text = text.substr(start, 1);
            return true;
        } else if (c == '[') {
            if (ReadTag(token)) {
                if (StartsNextGame(token)) {
                    pos = start;
                    ended = true;
                    return false;
                }
                blank = false;
                anyTag = true;
                return true;
            }
            ++pos;
            token.Kind = inMoves ? PgnTokenKind::Stray : PgnTokenKind::Fault;
            token.Fault = inMoves ? PgnFault::None : PgnFault::BadTag;
            // What a '[' in the moves opens ends at the ']' on its line, or is the '[' alone.
            size_t end = pos;
            while (end < text.size() && text[end] != ']' && !IsLineEnd(text[end])) ++end;
            if (inMoves && end < text.size() && text[end] == ']') pos = end + 1;
            token.Text = text.substr(start, pos - start);
            return true;
        } else {
            ++pos; // a word has at least one character; '$' only begins one
            while (pos < text.size() && !EndsWord(text[pos])) ++pos;
            token.Text = text.substr(start, pos - start);
            blank = false;
            if (IsResult(token.Text)) {
                ended = true;
                token.Kind = PgnTokenKind::Result;
                return true;
            }
            inMoves = true;
            token.Kind = PgnTokenKind::Word;
            return true;
        }
    }
    return false;
}
