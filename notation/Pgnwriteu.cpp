// The PGN writer: the moves between the history's positions, found by matching each next
// position against the legal moves, written in SAN.
#include <cstdio>
#include <vector>

#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "notation/Pgn.h"
#include "notation/San.h"
#include "textfile/Safefileu.h"

namespace {

constexpr size_t LineLimit = 79;
constexpr const char* AcrossAttackComment = "{castled across an attacked square}";

bool SamePosition(const Board& a, const Board& b) {
    if (a.ToPlay != b.ToPlay) return false;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            if (a.Squares[x][y] != b.Squares[x][y]) return false;
    return true;
}

// Finds the legal move (with its choice when the pawn reaches the last row) that leads from
// `before` to `after`, or to `afterChoice` past the pending choice.
bool FindStep(const Board& before, const Board& after, const Board* afterChoice, ChessMove& found) {
    Board board = before;
    FindLegalMoves(board);
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move m = board.LegalMoves[i];
        // A move leaves its square empty and its target taken: only those are played to compare.
        if (after.Squares[m.X1][m.Y1] != Empty || after.Squares[m.X2][m.Y2] == Empty) continue;
        Board next = board;
        MakeMove(next, m.X1, m.Y1, m.X2, m.Y2);
        if (!SamePosition(next, after)) continue;
        if (next.ToPlay == White || next.ToPlay == Black) {
            found = ChessMove{m, 0};
            return true;
        }
        if (!afterChoice) return false;
        for (int piece : {Queen, Rook, Bishop, Knight}) {
            Board chosen = next;
            MakeMove(chosen, PromotionChoice, next.ToPlay == WhiteChooses ? piece : -piece, m.X2,
                     m.Y2);
            if (SamePosition(chosen, *afterChoice)) {
                found = ChessMove{m, piece};
                return true;
            }
        }
    }
    return false;
}

std::string Escaped(const std::string& value) {
    std::string text;
    for (char c : value) {
        if (c == '\\' || c == '"') text += '\\';
        if (static_cast<unsigned char>(c) >= ' ') text += c;
    }
    return text;
}

// Joins words into lines of at most LineLimit characters.
class Lines {
  public:
    void Add(const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > LineLimit) {
            text += line + "\n";
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
    }
    std::string Finish() { return line.empty() ? text : text + line + "\n"; }

  private:
    std::string text, line;
};

// Adds a comment a word at a time, so that a long one may break between lines.
void AddComment(Lines& lines, const std::string& comment) {
    size_t start = 0;
    for (size_t space; (space = comment.find(' ', start)) != std::string::npos; start = space + 1)
        lines.Add(comment.substr(start, space - start));
    lines.Add(comment.substr(start));
}

// A clock reading as "{[%clk h:mm:ss]}" writes it, whole seconds rounded down.
std::string ClockComment(int64_t ms) {
    const int64_t seconds = ms > 0 ? ms / 1000 : 0;
    char text[48];
    std::snprintf(text, sizeof text, "{[%%clk %lld:%02lld:%02lld]}",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

const char* ResultToken(int outcome) {
    switch (outcome) {
    case 1:
        return "1-0";
    case 2:
        return "0-1";
    case Drawn:
        return "1/2-1/2";
    default:
        return "*";
    }
}

} // namespace

bool FindMoves(const History& history, int first, int last, std::vector<HistoryMove>& moves) {
    const Board* shots = history.Snapshots;
    for (int i = first; i < last;) {
        ChessMove move{};
        const Board* afterChoice = i + 2 <= last ? &shots[i + 2] : nullptr;
        if (!FindStep(shots[i], shots[i + 1], afterChoice, move)) return false;
        const int end = i + (move.Promotion != 0 ? 2 : 1);
        moves.push_back({i, end, move});
        i = end;
    }
    return true;
}

std::string PgnDate(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%04d.%02d.%02d", (local.tm_year + 1900) % 10000,
                  (local.tm_mon + 1) % 100, local.tm_mday % 100);
    return text;
}

std::string PgnPlayer(bool computer, const std::string& level) {
    return computer ? "Brisko Chess (" + level + ")" : "Human";
}

PgnText WritePgn(const History& history, const PgnTags& tags) {
    const int count = history.Count < HistorySize ? history.Count : HistorySize;
    if (count < 1) return {false, "", "There is no game to export"};
    const Board* shots = history.Snapshots;
    // A choice cannot be written without its pawn's move, nor a pawn's move without its choice.
    const int first = shots[0].ToPlay > Black && count > 1 ? 1 : 0;
    int last = count - 1;
    if (last > first && shots[last].ToPlay > Black) --last;

    std::vector<HistoryMove> moves;
    if (!FindMoves(history, first, last, moves))
        return {false, "",
                "Position " + std::to_string((moves.empty() ? first : moves.back().End) + 2) +
                    " of the game does not follow from the one before by a legal move"};

    const std::string result = ResultToken(shots[last].Outcome);
    std::string text;
    const auto tag = [&](const char* name, const std::string& value) {
        text += std::string("[") + name + " \"" + Escaped(value) + "\"]\n";
    };
    tag("Event", tags.Event);
    tag("Site", tags.Site);
    tag("Date", tags.Date);
    tag("Round", tags.Round);
    tag("White", tags.White);
    tag("Black", tags.Black);
    tag("Result", result);
    const std::string fen = WriteFen(shots[first], FullMoveNumber(history, first));
    if (fen != StartFen) {
        tag("SetUp", "1");
        tag("FEN", fen);
    }
    if (!tags.TimeControl.empty()) tag("TimeControl", tags.TimeControl);
    if (!tags.Termination.empty()) tag("Termination", tags.Termination);
    text += "\n";

    Lines lines;
    bool numberBlack = true; // Black's move needs its number first, and after a comment
    int moveNumber = FullMoveNumber(history, first); // counted on: a long game costs no more
    for (const HistoryMove& move : moves) {
        const Board& before = shots[move.Start];
        const std::string number = std::to_string(moveNumber);
        moveNumber += before.ToPlay == Black ? 1 : 0;
        // A move number stays on the line of its move.
        const std::string san = SanText(before, move.Move);
        if (before.ToPlay == White)
            lines.Add(number + ". " + san);
        else
            lines.Add(numberBlack ? number + "... " + san : san);
        numberBlack = false;
        if (CastlesAcrossAttack(before, move.Move.Squares)) {
            AddComment(lines, AcrossAttackComment);
            numberBlack = true;
        }
        if (static_cast<size_t>(move.End) < tags.Clocks.size()) {
            AddComment(
                lines,
                ClockComment(
                    tags.Clocks[static_cast<size_t>(move.End)][before.ToPlay == White ? 0 : 1]));
            numberBlack = true;
        }
    }
    lines.Add(result);
    return {true, text + lines.Finish(), ""};
}

PgnText ExportPgn(const std::string& path, const History& history, const PgnTags& tags) {
    PgnText pgn = WritePgn(history, tags);
    if (pgn.Written && !ReplaceFile(path, pgn.Text)) {
        pgn.Written = false;
        pgn.Message = "The file '" + path + "' could not be written";
    }
    return pgn;
}
