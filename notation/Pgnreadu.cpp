// The PGN reader: the first game of a text, in the forgiving import format, played move by
// move into a new history.
#include <cctype>

#include "notation/Fen.h"
#include "notation/Pgn.h"
#include "notation/San.h"
#include "textfile/Safefileu.h"

namespace {

// Far more than any one game needs; a bigger file is a whole database.
constexpr size_t MaxPgnBytes = 64 << 20;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Ends a move token: white space and the characters that open or close something else.
bool EndsToken(char c) {
    return IsSpace(c) || c == '{' || c == '}' || c == '(' || c == ')' || c == ';' || c == '[' ||
           c == ']' || c == '$';
}

// A token as a message quotes it: cut short, and with no control characters.
std::string Shown(std::string_view token) {
    std::string text(token.substr(0, 40));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = '?';
    return token.size() > 40 ? text + "..." : text;
}

class Reader {
  public:
    explicit Reader(std::string_view text) : text(text) {
        if (this->text.substr(0, 3) == "\xEF\xBB\xBF") this->text.remove_prefix(3);
    }

    PgnGame Read() {
        game.Game = std::make_unique<History>();
        if (!Tags() || !Start() || !Moves()) {
            game.Game.reset();
            return std::move(game);
        }
        if (!sawTag && !sawMove) {
            Fail("No game was found in the text");
            game.Game.reset();
            return std::move(game);
        }
        if (game.Result.empty())
            for (const auto& [name, value] : game.Tags)
                if (name == "Result") game.Result = value;
        game.Imported = true;
        return std::move(game);
    }

  private:
    std::string_view text;
    size_t pos = 0;
    PgnGame game;
    Board board{};
    bool sawTag = false, sawMove = false;

    bool Fail(const std::string& message) {
        game.Message = message;
        return false;
    }

    int LineNumber(size_t at) const {
        int line = 1;
        for (size_t i = 0; i < at && i < text.size(); ++i) line += text[i] == '\n';
        return line;
    }

    // "Move 12 for White: " for the move about to be played.
    std::string MovePrefix() {
        const History& h = *game.Game;
        return "Move " + std::to_string(FullMoveNumber(h, h.Count - 1)) + " for " +
               (board.ToPlay == White ? "White" : "Black") + ": ";
    }

    // Skips white space and "%" escape lines; false at the end of the text.
    bool SkipSpace() {
        while (pos < text.size()) {
            if (IsSpace(text[pos])) {
                ++pos;
            } else if (text[pos] == '%' && (pos == 0 || text[pos - 1] == '\n')) {
                SkipLine();
            } else {
                return true;
            }
        }
        return false;
    }

    void SkipLine() {
        const size_t end = text.find('\n', pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
    }

    bool Tags() {
        while (SkipSpace() && text[pos] == '[') {
            const size_t tagStart = pos++;
            const size_t nameStart = pos;
            while (pos < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[pos])) || text[pos] == '_'))
                ++pos;
            const std::string name(text.substr(nameStart, pos - nameStart));
            while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
            std::string value;
            bool closed = false;
            if (!name.empty() && pos < text.size() && text[pos] == '"') {
                for (++pos; pos < text.size() && text[pos] != '\n'; ++pos) {
                    if (text[pos] == '\\' && pos + 1 < text.size() && text[pos + 1] != '\n') {
                        value += text[++pos];
                    } else if (text[pos] == '"') {
                        closed = true;
                        ++pos;
                        break;
                    } else {
                        value += text[pos];
                    }
                }
            }
            while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
            if (!closed || pos >= text.size() || text[pos] != ']')
                return Fail("Line " + std::to_string(LineNumber(tagStart)) +
                            ": a tag must be a name and a quoted text in brackets");
            ++pos;
            if (!value.empty() && value.back() == '\r') value.pop_back();
            game.Tags.emplace_back(name, value);
            sawTag = true;
        }
        return true;
    }

    // Sets up the first position: the FEN tag's, or the initial one.
    bool Start() {
        const std::string* fen = nullptr;
        for (const auto& [name, value] : game.Tags)
            if (name == "FEN") fen = &value;
        std::string error;
        if (!StartGame(fen ? *fen : StartFen, *game.Game, board, error))
            return Fail("The FEN tag is not a position: " + error);
        return true;
    }

    // Skips a comment, a variation or a ";" line starting at pos; false when it never ends.
    bool SkipAside() {
        const char open = text[pos];
        if (open == ';') {
            SkipLine();
            return true;
        }
        int depth = 0;
        while (pos < text.size()) {
            const char c = text[pos];
            if (c == '{') {
                const size_t end = text.find('}', pos);
                if (end == std::string_view::npos) return false;
                pos = end + 1;
                if (open == '{') return true;
                continue;
            }
            if (c == ';' && open == '(') {
                SkipLine();
                continue;
            }
            ++pos;
            if (c == '(') ++depth;
            if (c == ')' && --depth == 0) return true;
        }
        return false;
    }

    bool Moves() {
        while (SkipSpace()) {
            const char c = text[pos];
            if (c == '[') return true; // the next game's tags
            if (c == '{' || c == '(' || c == ';') {
                if (!SkipAside())
                    return Fail(
                        MovePrefix() +
                        (c == '{' ? "a comment opened with '{'" : "a variation opened with '('") +
                        " is never closed");
                continue;
            }
            if (c == '}' || c == ')' || c == ']') {
                return Fail(MovePrefix() + "'" + std::string(1, c) + "' closes nothing");
            }
            const size_t start = pos;
            ++pos; // a token has at least one character; '$' only starts one
            while (pos < text.size() && !EndsToken(text[pos])) ++pos;
            std::string_view token = text.substr(start, pos - start);
            if (token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*") {
                game.Result = token;
                return true;
            }
            // NAGs, and evaluation glyphs some programs write as text ("+/=", "!?").
            if (token.front() == '$' || token == "e.p." ||
                (token != "--" && token.find_first_not_of("+-=/!?") == std::string_view::npos))
                continue;
            // A move number, "12." or "12...", alone or before its move.
            size_t digits = 0;
            while (digits < token.size() && std::isdigit(static_cast<unsigned char>(token[digits])))
                ++digits;
            size_t dots = digits;
            while (dots < token.size() && token[dots] == '.') ++dots;
            if (digits == token.size() || dots > digits) token.remove_prefix(dots);
            if (token.empty()) continue;
            if (!PlayToken(token)) return false;
        }
        return true;
    }

    bool PlayToken(std::string_view token) {
        ChessMove move{};
        const MoveRead read = ReadSan(board, token, move);
        if (read != MoveRead::Legal)
            return Fail(MovePrefix() + "'" + Shown(token) + "' is " +
                        (read == MoveRead::Ambiguous ? "ambiguous" : "not a legal move"));
        if (!GameChessMove(board, *game.Game, move)) // changes nothing when it fails
            return Fail(MovePrefix() + "the game is longer than the " +
                        std::to_string(HistorySize) + " positions a game can hold");
        sawMove = true;
        return true;
    }
};

} // namespace

PgnGame ReadPgn(std::string_view text) {
    return Reader(text).Read();
}

PgnGame ImportPgn(const std::string& path) {
    std::string text;
    PgnGame refused;
    switch (ReadRegularFile(path, MaxPgnBytes, text)) {
    case FileRead::Read:
        return ReadPgn(text);
    case FileRead::NotRegular:
        refused.Message = "Cannot open \"" + path + "\": it is not a regular file";
        break;
    case FileRead::TooLarge:
        refused.Message = "Cannot open \"" + path + "\": it is larger than " +
                          std::to_string(MaxPgnBytes >> 20) + " MB";
        break;
    case FileRead::Failed:
        refused.Message = "Cannot read the file \"" + path + "\"";
        break;
    default:
        refused.Message = "Cannot open the file \"" + path + "\"";
        break;
    }
    return refused;
}
