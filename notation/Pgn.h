// Games as PGN text, the form every chess program exchanges them in: export from the history of
// positions, import into a new history by playing each move as a game move.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Historyu.h"
#include "engine/Rulesu.h"
#include "notation/San.h"

// The tag pairs of an exported game, the result apart (it comes from the game itself).
struct PgnTags {
    std::string Event = "Casual game";
    std::string Site = "?";
    std::string Date = "????.??.??";
    std::string Round = "-";
    std::string White = "?";
    std::string Black = "?";
    // Written only when not empty: the TimeControl tag ("300+2": seconds and increment) and
    // the Termination tag ("normal", "time forfeit", "unterminated").
    std::string TimeControl;
    std::string Termination;
    // The clock readings at each position of the history, White's and Black's in
    // milliseconds; when there are any, each move is followed by the mover's reading after it
    // as a "{[%clk h:mm:ss]}" comment.
    std::vector<std::array<int64_t, 2>> Clocks;
};

// A date as PGN writes it, "YYYY.MM.DD", in local time.
std::string PgnDate(std::time_t when);

// A player's name for the White and Black tags: "Human", or "Brisko Chess (<level>)" for the
// side the computer plays at that level.
std::string PgnPlayer(bool computer, const std::string& level);

// What an export gives: the text, or why there is none.
struct PgnText {
    bool Written;
    std::string Text;
    std::string Message;
};

// One move of a history: the index of the position it starts from, of the one it leads to (past
// the promotion choice of a pawn's move), and the move itself.
struct HistoryMove {
    int Start;
    int End;
    ChessMove Move;
};

// The moves from position `first` to position `last` of a history, each found by matching the
// next position against the legal moves. False when a position does not follow from the one
// before: `moves` then holds the moves before it.
bool FindMoves(const History& history, int first, int last, std::vector<HistoryMove>& moves);

// Writes positions 0 .. Count-1 of the history as a PGN game: the seven tags (Result from the
// last position's outcome: "1-0", "0-1", "1/2-1/2", or "*" in progress), SetUp and FEN when the
// first position is not the initial one, then the moves in SAN with move numbers, in lines of
// at most 79 characters, ending with the result. A pawn's move and its promotion choice make
// one move ("e8=Q"); a last position still waiting for the choice is left out. A castling whose
// king crossed an attacked square gets a comment saying so. Fails only for a history whose
// positions do not follow each other by legal moves (a hand-made saved game).
PgnText WritePgn(const History& history, const PgnTags& tags);

// WritePgn, then replaces the file at `path` only once the new text is safely on disk. Message
// says what went wrong when Written is false.
PgnText ExportPgn(const std::string& path, const History& history, const PgnTags& tags);

// What an import gives. When Imported is false the game is nil and Message says why, naming
// the move: "Move 12 for White: 'Nf3' is not a legal move".
struct PgnGame {
    bool Imported = false;
    std::string Message;
    // Every position of the game from the first, Count = Stored = their number; show
    // Snapshots[Count - 1] after FindLegalMoves, as a loaded game is shown.
    std::unique_ptr<History> Game;
    std::vector<std::pair<std::string, std::string>> Tags; // in the order read
    std::string Result; // the result token ("1-0", "0-1", "1/2-1/2", "*"); empty if none
    // What was read though not whole, each naming its line or move: text that is no PGN,
    // tags past the limits below, moves past the history's size.
    std::vector<std::string> Warnings;
    // The clock readings of each position (White's and Black's, in milliseconds) when the
    // game's comments hold "[%clk h:mm:ss]" readings: each mover's reading after its move, the
    // other side's carried on, both at first from the TimeControl tag ("300+2"), -1 where
    // nothing says. Empty when no move has a reading.
    std::vector<std::array<int64_t, 2>> Clocks;
};

// Reads a TimeControl tag's value of one period, "300+2" or "300" (seconds), into
// milliseconds; false for anything else ("?", "-", "40/7200:3600", a number out of range).
bool ReadPgnTimeControl(std::string_view value, int64_t& baseMs, int64_t& incrementMs);

// Reads the time of a comment's "[%clk h:mm:ss]" (seconds may have a fraction) into
// milliseconds; false when the comment holds none.
bool ReadPgnClock(std::string_view comment, int64_t& ms);

// A game keeps at most this many tags, each value cut to this many characters.
inline constexpr size_t MaxPgnTags = 256;
inline constexpr size_t MaxPgnTagValue = 4096;

// Reads the game of a PGN text that begins at `offset` (the first one by default): tag pairs
// (FEN and SetUp included; comments may stand before and between them), moves in SAN checked
// against the legal moves, move numbers ("12." and "12..."), comments ("{...}" and ";..."
// up to the line's end), variations (skipped), NAGs ("$1") and "!?"-style suffixes, "%"
// escape lines and the result. A UTF-8 byte-order mark and LF, CR LF or CR line ends are read
// as well. Each move is played as a game move, so every position is judged as one played in
// the window is. A game with tags and no moves is its first position. What is read though
// not whole is told in Warnings: a '[' in the moves that opens no tag (skipped to its ']' on
// the line), tags past the limits, and a game longer than a history holds, whose first
// positions are kept while the rest of its moves are still checked.
// Under standard rules a castling across an attacked square is refused as not legal.
PgnGame ReadPgn(std::string_view text, size_t offset = 0, Rules rules = Rules::Brisko);

// Reads a regular file of at most 64 MB whole into `text`; false, with `message` saying why,
// when it cannot.
bool ReadPgnFile(const std::string& path, std::string& text, std::string& message);

// ReadPgn on the first game of a file read by ReadPgnFile.
PgnGame ImportPgn(const std::string& path, Rules rules = Rules::Brisko);

// One game of a PGN text as a list of games shows it, read without playing its moves.
struct PgnListing {
    size_t Offset;                                 // where ReadPgn reads it
    int Number;                                    // 1 for the first game of the text
    std::string White, Black, Result, Date, Event; // from the tags (Result from the game's end
                                                   // when it has no tag), cut to 200 characters
    int Plies;                                     // the moves of the main line, counted
};

// The longest list of games ListPgnGames gives; a text of more games lists its first ones.
inline constexpr size_t MaxListedGames = 100000;

// Lists the games of a PGN text, cut into games as ReadPgn cuts them: a game ends at its
// result, at a tag after its moves, at a tag after a blank line that ends its tags, or at a
// second tag of the seven-tag roster, FEN or SetUp. Text that holds no tag and no move is no
// game. Looks only at the tags and counts the moves, so a large file lists quickly.
std::vector<PgnListing> ListPgnGames(std::string_view text);
