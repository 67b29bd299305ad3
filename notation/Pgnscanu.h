// The tokens of a PGN text, game by game: one scanner for the reader, which plays a game's
// moves, and the lister, which only looks at its tags, so that both cut a file into the same
// games. Variations, ";" comments and "%" lines are skipped here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What the scanner found.
enum class PgnTokenKind {
    Tag,     // a tag pair: Name and the quoted Value (still escaped)
    Word,    // a move, a move number, a NAG or a glyph: Text
    Result,  // "1-0", "0-1", "1/2-1/2" or "*": Text
    Stray,   // a '[' that opens no tag, in the moves: Text is what was skipped
    Comment, // a "{...}" comment: Text is what stands between the braces
    Fault,   // the text cannot be read on: Fault says why
};

enum class PgnFault {
    None,
    BadTag,            // a '[' before the moves that opens no tag
    UnclosedComment,   // '{' without '}'
    UnclosedVariation, // '(' without its ')'
    ClosesNothing,     // '}', ')' or ']' out of place: Text is the character
};

struct PgnToken {
    PgnTokenKind Kind;
    size_t Start; // where it begins in the text
    std::string_view Text, Name, Value;
    PgnFault Fault = PgnFault::None;
};

// What a word of the moves is.
enum class PgnWordKind {
    Skipped, // a move number alone, a NAG ("$1"), a glyph ("!?", "+/=") or "e.p."
    Move,    // a move, its move number cut off ("12.e4" is "e4")
};

// Classifies a word, cutting a leading move number off `word`.
PgnWordKind ClassifyPgnWord(std::string_view& word);

// Undoes the escapes of a tag value, keeping at most `most` characters.
std::string UnescapePgnValue(std::string_view value, size_t most);

// The line a position of the text is on, counting LF, CR LF and a lone CR as line ends; from
// `from` on, when the line at `from` is known to be `fromLine`.
int PgnLineNumber(std::string_view text, size_t at, size_t from = 0, int fromLine = 1);

class PgnScanner {
  public:
    // Scans the game that begins at `offset` (a UTF-8 byte-order mark at 0 is skipped).
    PgnScanner(std::string_view text, size_t offset);

    // Gives the next token of the current game; false at its end, which is the end of the
    // text, the token after its result, or a tag that begins the next game: a tag after the
    // moves, a tag after a blank line that ends the tags, or a second tag of the seven-tag
    // roster, FEN or SetUp. The scanner moves past a Fault: the reader stops there, the lister
    // reads on.
    bool Next(PgnToken& token);

    // Where the next game begins once Next has returned false; the text's size at its end.
    size_t Position() const { return pos; }
    bool AtEnd() const { return pos >= text.size(); }

  private:
    std::string_view text;
    size_t pos;
    bool inMoves = false;    // a word has been read: a tag now begins the next game
    bool ended = false;      // the result or a fault has been read
    bool blank = false;      // a blank line lies between the last token and pos
    bool anyTag = false;     // the game has a tag
    uint32_t rosterSeen = 0; // which of the roster's tags the game has

    bool SkipSpace();
    bool AtLineStart() const;
    void SkipToLineEnd();
    bool SkipComment();
    bool SkipVariation();
    bool ReadTag(PgnToken& token);
    bool StartsNextGame(const PgnToken& tag);
};
