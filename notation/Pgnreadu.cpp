// The PGN reader: one game of a text, in the forgiving import format, played move by move into
// a new history.
#include <algorithm>

#include "notation/Fen.h"
#include "notation/Pgn.h"
#include "notation/Pgnscanu.h"
#include "notation/San.h"
#include "textfile/Safefileu.h"

namespace {

// Far more than any one game needs; a bigger file is a whole database.
constexpr size_t MaxPgnBytes = 64 << 20;
// Remarks beyond these are counted, not listed.
constexpr size_t MaxWarnings = 10;

// A token as a message quotes it: cut short, and with no control characters.
std::string Shown(std::string_view token) {
    std::string text(token.substr(0, 40));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = '?';
    return token.size() > 40 ? text + "..." : text;
}

class Reader {
  public:
    Reader(std::string_view text, size_t offset, History& scratch, Rules rules)
        : text(text), offset(offset), played(scratch), rules(rules) {
        ResetHistory(played);
    }

    PgnGame Read() {
        if (!ReadFirstGame()) {
            game.Warnings.clear();
            return std::move(game);
        }
        // Only a game read whole gets a history of its own, and only its positions are copied.
        game.Game.reset(new History);
        ResetHistory(*game.Game);
        std::copy(played.Snapshots, played.Snapshots + played.Count, game.Game->Snapshots);
        game.Game->Count = game.Game->Stored = played.Count;
        if (game.Result.empty())
            for (const auto& [name, value] : game.Tags)
                if (name == "Result") game.Result = value;
        if (anyClock) {
            const std::array<int64_t, 2> carried = clocks.back();
            clocks.resize(static_cast<size_t>(played.Count), carried);
            game.Clocks = std::move(clocks);
        }
        if (dropped > 0)
            game.Warnings.push_back("... and " + std::to_string(dropped) + " more remarks");
        game.Imported = true;
        return std::move(game);
    }

  private:
    std::string_view text;
    size_t offset;
    History& played; // the positions so far
    Rules rules;
    PgnGame game;
    // The clock readings of the positions so far, once a reading has been seen.
    std::vector<std::array<int64_t, 2>> clocks;
    bool anyClock = false;
    Board board{};
    std::string fen; // the FEN tag's value
    bool sawFen = false, started = false, truncated = false, tagsCut = false;
    int firstPly = 0; // the ply count of the first position, as move numbers count
    int plies = 0;    // plies played since
    size_t dropped = 0;
    size_t countedTo = 0; // Line has counted the lines up to here
    int countedLine = 1;

    bool Fail(const std::string& message) {
        game.Message = message;
        return false;
    }

    // Adds a remark, unless there are enough already: then it is only counted.
    template <typename Text> void Warn(const Text& message) {
        if (game.Warnings.size() < MaxWarnings)
            game.Warnings.push_back(message());
        else
            ++dropped;
    }

    // "Line 12", counted on from the line asked for before: a text of many remarks is read
    // once, not once for each.
    std::string Line(size_t at) {
        if (at < countedTo) countedTo = 0, countedLine = 1;
        countedLine = PgnLineNumber(text, at, countedTo, countedLine);
        countedTo = at;
        return "Line " + std::to_string(countedLine);
    }

    // "Move 12 for White: " for the move about to be played.
    std::string MovePrefix() const {
        return "Move " + std::to_string((firstPly + plies) / 2 + 1) + " for " +
               (board.ToPlay == White || board.ToPlay == WhiteChooses ? "White" : "Black") + ": ";
    }

    // Reads games from `offset` until one holds a tag or a move: text of comments alone, or
    // a lone result, is no game.
    bool ReadFirstGame() {
        for (size_t at = offset;;) {
            PgnScanner scanner(text, at);
            bool any = false;
            if (!ReadGame(scanner, any)) return false;
            if (any) return true;
            if (scanner.AtEnd() || scanner.Position() <= at)
                return Fail("No game was found in the text");
            at = scanner.Position();
        }
    }

    bool ReadGame(PgnScanner& scanner, bool& any) {
        PgnToken token;
        while (scanner.Next(token)) {
            switch (token.Kind) {
            case PgnTokenKind::Tag:
                any = true;
                AddTag(token);
                break;
            case PgnTokenKind::Word:
                any = true;
                if (!Start() || !PlayWord(token.Text)) return false;
                break;
            case PgnTokenKind::Result:
                game.Result = token.Text;
                break;
            case PgnTokenKind::Comment:
                if (started && plies > 0 && !truncated) ReadClock(token.Text);
                break;
            case PgnTokenKind::Stray:
                Warn([&] {
                    return Line(token.Start) + ": '" + Shown(token.Text) +
                           "' is not PGN and was skipped";
                });
                break;
            case PgnTokenKind::Fault:
                return Fail(FaultMessage(token));
            }
        }
        return !any || Start();
    }

    std::string FaultMessage(const PgnToken& token) {
        const std::string where = started ? MovePrefix() : Line(token.Start) + ": ";
        switch (token.Fault) {
        case PgnFault::BadTag:
            return Line(token.Start) + ": a tag must be a name and a quoted text in brackets";
        case PgnFault::UnclosedComment:
            return where + "a comment opened with '{' is never closed";
        case PgnFault::UnclosedVariation:
            return where + "a variation opened with '(' is never closed";
        default:
            return where + "'" + std::string(token.Text) + "' closes nothing";
        }
    }

    void AddTag(const PgnToken& token) {
        // The position is kept whatever the limits: without it the moves would not fit.
        if (token.Name == "FEN") {
            fen = UnescapePgnValue(token.Value, MaxPgnTagValue);
            sawFen = true;
        }
        if (game.Tags.size() < MaxPgnTags) {
            std::string value = UnescapePgnValue(token.Value, MaxPgnTagValue + 1);
            const bool whole = value.size() <= MaxPgnTagValue;
            if (!whole) value.resize(MaxPgnTagValue);
            game.Tags.emplace_back(token.Name, std::move(value));
            if (whole) return;
        }
        if (tagsCut) return;
        tagsCut = true;
        Warn([&] {
            return Line(token.Start) + ": a game keeps " + std::to_string(MaxPgnTags) +
                   " tags of at most " + std::to_string(MaxPgnTagValue) +
                   " characters; the rest was skipped";
        });
    }

    // Both clocks at the start: the TimeControl tag's time, else unknown.
    std::array<int64_t, 2> StartClocks() const {
        int64_t base = -1, increment = 0;
        for (const auto& [name, value] : game.Tags)
            if (name == "TimeControl" && !ReadPgnTimeControl(value, base, increment)) base = -1;
        return {base, base};
    }

    // A "[%clk]" reading after a move: the mover's time on the position it led to.
    void ReadClock(std::string_view comment) {
        int64_t ms = 0;
        if (!ReadPgnClock(comment, ms)) return;
        if (!anyClock) clocks.push_back(StartClocks());
        anyClock = true;
        const size_t last = static_cast<size_t>(played.Count);
        const std::array<int64_t, 2> carried = clocks.back();
        clocks.resize(last, carried);
        const int mover = board.ToPlay == White || board.ToPlay == WhiteChooses ? 1 : 0;
        clocks[last - 1][static_cast<size_t>(mover)] = ms;
    }

    // Sets up the first position, the FEN tag's or the initial one, before the first move.
    bool Start() {
        if (started) return true;
        std::string error;
        if (!StartGame(sawFen ? fen : std::string(StartFen), played, board, error))
            return Fail("The FEN tag is not a position: " + error);
        started = true;
        const bool whiteFirst = board.ToPlay == White || board.ToPlay == WhiteChooses;
        firstPly = 2 * (FullMoveNumber(played, 0) - 1) + (whiteFirst ? 0 : 1);
        return true;
    }

    bool PlayWord(std::string_view word) {
        if (ClassifyPgnWord(word) == PgnWordKind::Skipped) return true;
        ChessMove move{};
        const MoveRead read = ReadSan(board, word, move);
        if (read != MoveRead::Legal)
            return Fail(MovePrefix() + "'" + Shown(word) + "' is " +
                        (read == MoveRead::Ambiguous ? "ambiguous" : "not a legal move"));
        if (rules == Rules::Standard && CastlesAcrossAttack(board, move.Squares))
            return Fail(MovePrefix() + "'" + Shown(word) +
                        "' castles across an attacked square, not legal under standard rules");
        if (!truncated && !GameChessMove(board, played, move)) { // changes nothing then
            truncated = true;
            Warn([&] {
                return MovePrefix() + "a game holds at most " + std::to_string(HistorySize) +
                       " positions; the moves from here on were left out";
            });
        }
        // Past the history's end the moves are still checked, on the board alone.
        if (truncated) PlayChessMove(board, move);
        ++plies;
        return true;
    }
};

} // namespace

PgnGame ReadPgn(std::string_view text, size_t offset, Rules rules) {
    // Megabytes that every call would otherwise allocate, and a refused game never needs.
    thread_local const std::unique_ptr<History> scratch(new History);
    return Reader(text, offset, *scratch, rules).Read();
}

namespace {

// Reads digits into `value` up to `most`; false when there are none or too many.
bool ReadDigits(std::string_view& text, int64_t most, int64_t& value) {
    size_t i = 0;
    value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > most) return false;
    }
    text.remove_prefix(i);
    return i > 0;
}

} // namespace

bool ReadPgnTimeControl(std::string_view value, int64_t& baseMs, int64_t& incrementMs) {
    // A day of base time and an hour of increment are more than any game is played at.
    int64_t base = 0, increment = 0;
    if (!ReadDigits(value, 86400, base) || base == 0) return false;
    if (!value.empty()) {
        if (value.front() != '+') return false;
        value.remove_prefix(1);
        if (!ReadDigits(value, 3600, increment) || !value.empty()) return false;
    }
    baseMs = base * 1000;
    incrementMs = increment * 1000;
    return true;
}

bool ReadPgnClock(std::string_view comment, int64_t& ms) {
    const size_t at = comment.find("[%clk");
    if (at == std::string_view::npos) return false;
    std::string_view text = comment.substr(at + 5);
    const auto skipSpace = [&text] {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                 text.front() == '\r' || text.front() == '\n'))
            text.remove_prefix(1);
    };
    skipSpace();
    int64_t hours = 0, minutes = 0, seconds = 0, fractionMs = 0;
    if (!ReadDigits(text, 999, hours) || text.empty() || text.front() != ':') return false;
    text.remove_prefix(1);
    if (!ReadDigits(text, 59, minutes) || text.empty() || text.front() != ':') return false;
    text.remove_prefix(1);
    if (!ReadDigits(text, 59, seconds)) return false;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        int64_t fraction = 0;
        const size_t before = text.size();
        if (!ReadDigits(text, 999, fraction)) return false;
        const size_t digits = before - text.size();
        fractionMs = fraction * 1000 / (digits == 1 ? 10 : digits == 2 ? 100 : 1000);
    }
    skipSpace();
    if (text.empty() || text.front() != ']') return false;
    ms = ((hours * 60 + minutes) * 60 + seconds) * 1000 + fractionMs;
    return true;
}

bool ReadPgnFile(const std::string& path, std::string& text, std::string& message) {
    switch (ReadRegularFile(path, MaxPgnBytes, text)) {
    case FileRead::Read:
        return true;
    case FileRead::NotRegular:
        message = "Cannot open \"" + path + "\": it is not a regular file";
        break;
    case FileRead::TooLarge:
        message = "Cannot open \"" + path + "\": it is larger than " +
                  std::to_string(MaxPgnBytes >> 20) + " MB";
        break;
    case FileRead::Failed:
        message = "Cannot read the file \"" + path + "\"";
        break;
    default:
        message = "Cannot open the file \"" + path + "\"";
        break;
    }
    return false;
}

PgnGame ImportPgn(const std::string& path, Rules rules) {
    std::string text;
    PgnGame refused;
    if (!ReadPgnFile(path, text, refused.Message)) return refused;
    return ReadPgn(text, 0, rules);
}
