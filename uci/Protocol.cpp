#include "uci/Protocol.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "notation/Fen.h"
#include "notation/San.h"
#include "openings/Openingu.h"
#include "textfile/Safefileu.h"
#include "uci/Strongthink.h"
#include "uci/Think.h"

namespace {

// The Level option's items: the game's own levels, then the strong player's, the strongest
// (a GUI's engine plays at full strength unless told otherwise) by default.
constexpr int LevelItems = LevelCount + strong::StrongLevelCount;
constexpr int StrongestLevel = LevelItems - 1;

const char* LevelName(int item) {
    return item < LevelCount ? Levels[item].Label : strong::StrongLevels[item - LevelCount].Name;
}

// A line's words with where each begins, so that a value can be taken with its spacing.
struct Words {
    std::vector<std::string> Text;
    std::vector<size_t> Start;
};

Words Split(const std::string& line) {
    Words words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        const size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) {
            words.Text.push_back(line.substr(start, i - start));
            words.Start.push_back(start);
        }
    }
    return words;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Quotes a word of the GUI's in an answer, cut short if it is long.
std::string Quoted(const std::string& word) {
    return "'" + (word.size() > 40 ? word.substr(0, 40) + "..." : word) + "'";
}

// Reads a whole number; one too large for 64 bits reads as the largest of its sign.
bool ParseNumber(const std::string& text, int64_t& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ptr != end) return false;
    if (ec == std::errc::result_out_of_range)
        value = text[0] == '-' ? std::numeric_limits<int64_t>::min()
                               : std::numeric_limits<int64_t>::max();
    return ec == std::errc() || ec == std::errc::result_out_of_range;
}

bool IsCommand(const std::string& word) {
    static const char* const commands[] = {"uci",      "debug",      "isready",  "setoption",
                                           "register", "ucinewgame", "position", "go",
                                           "stop",     "ponderhit",  "quit"};
    return std::any_of(std::begin(commands), std::end(commands),
                       [&](const char* c) { return word == c; });
}

bool IsGoWord(const std::string& word) {
    static const char* const words[] = {"searchmoves", "ponder", "wtime",     "btime",
                                        "winc",        "binc",   "movestogo", "depth",
                                        "nodes",       "mate",   "movetime",  "infinite"};
    return std::any_of(std::begin(words), std::end(words),
                       [&](const char* w) { return word == w; });
}

} // namespace

UciEngine::UciEngine(std::ostream& out, std::string bookFile)
    : out(out), opponent(std::make_unique<Opponent>()), levelItem(StrongestLevel),
      overheadMs(DefaultOverheadMs), bookFile(std::move(bookFile)) {
    int levelBar = 0; // the Depth option keeps its own
    ApplyLevel(*opponent, LevelCount - 1, levelBar);
    ReadyOpponent(*opponent);
    SetUpBoard(position);
}

UciEngine::~UciEngine() {
    StopThinking();
}

void UciEngine::Say(std::string line) {
    // Words of the GUI's are echoed: no terminal or log gets a control byte of theirs.
    for (char& c : line)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = '?';
    const std::lock_guard<std::mutex> lock(outLock);
    out << line << '\n' << std::flush;
}

void UciEngine::Inform(const std::string& text) {
    Say("info string " + text);
}

bool UciEngine::Handle(const std::string& line) {
    const Words all = Split(line);
    size_t first = 0;
    while (first < all.Text.size() && !IsCommand(all.Text[first])) ++first;
    if (first == all.Text.size()) {
        if (!all.Text.empty()) Say("info string unknown command " + Quoted(all.Text[0]));
        return true;
    }
    const std::string& command = all.Text[first];
    const std::vector<std::string> words(all.Text.begin() + static_cast<long>(first),
                                         all.Text.end());
    if (command == "uci") {
        Identify();
    } else if (command == "isready") {
        if (!thinker.joinable()) ReadBook();
        Say("readyok");
    } else if (command == "setoption") {
        StopThinking();
        SetOption(line.substr(all.Start[first]));
    } else if (command == "ucinewgame") {
        StopThinking();
        bookRead = false; // the window, too, reads the book at every new game
        if (strongPlayer) strongPlayer->NewGame();
    } else if (command == "position") {
        StopThinking();
        SetPosition(words);
    } else if (command == "go") {
        StopThinking();
        Go(words);
    } else if (command == "stop" || command == "ponderhit") {
        StopThinking();
    } else if (command == "quit") {
        StopThinking();
        return false;
    } // "debug" and "register" need no answer
    return true;
}

void UciEngine::Identify() {
    Say("id name Brisko Chess");
    Say("id author the Brisko Chess developers");
    std::string levels;
    for (int item = 0; item < LevelItems; ++item) levels += std::string(" var ") + LevelName(item);
    Say(std::string("option name Level type combo default ") + LevelName(StrongestLevel) + levels);
    Say("option name Depth type spin default 0 min 0 max " + std::to_string(DepthBarMax));
    Say("option name Move Overhead type spin default " + std::to_string(DefaultOverheadMs) +
        " min 0 max " + std::to_string(MaxOverheadMs));
    Say("option name OwnBook type check default true");
    Say("option name BookFile type string default " + (bookFile.empty() ? "<empty>" : bookFile));
    Say("option name Hash type spin default " + std::to_string(DefaultHashMegabytes) +
        " min 1 max " + std::to_string(MaxHashMegabytes));
    Say("option name UCI_LimitStrength type check default false");
    Say("option name UCI_Elo type spin default " + std::to_string(DefaultElo) + " min " +
        std::to_string(strong::MinimumElo()) + " max " + std::to_string(strong::MaximumElo()));
    Say("uciok");
}

void UciEngine::SetOption(const std::string& text) {
    const Words words = Split(text);
    const std::vector<std::string>& w = words.Text;
    if (w.size() < 3 || w[1] != "name") {
        Say("info string setoption ignored: 'name' and the option's name must follow it");
        return;
    }
    size_t valueAt = 2;
    while (valueAt < w.size() && w[valueAt] != "value") ++valueAt;
    std::string name;
    for (size_t i = 2; i < valueAt; ++i) name += (i > 2 ? " " : "") + w[i];
    // The value keeps its spacing: a book's path may hold spaces.
    std::string value;
    if (valueAt + 1 < w.size()) {
        value = text.substr(words.Start[valueAt + 1]);
        while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
            value.pop_back();
    }
    const std::string option = Lower(name);
    if (option == "level") {
        std::string names;
        for (int item = 0; item < LevelItems; ++item) {
            if (Lower(value) == Lower(LevelName(item))) {
                int levelBar = 0; // Depth 0 means the level's own: no order of options matters
                if (item < LevelCount) ApplyLevel(*opponent, item, levelBar);
                levelItem = item;
                return;
            }
            names += std::string(item == 0               ? ""
                                 : item + 1 < LevelItems ? ", "
                                                         : " or ") +
                     LevelName(item);
        }
        Say("info string setoption ignored: Level is " + names + ", not " + Quoted(value));
    } else if (option == "hash") {
        int64_t megabytes = 0;
        if (ParseNumber(value, megabytes) && megabytes >= 1 &&
            megabytes <= static_cast<int64_t>(MaxHashMegabytes)) {
            hashMegabytes = static_cast<size_t>(megabytes);
            if (strongPlayer) strongPlayer->SetHashMegabytes(hashMegabytes);
        } else {
            Say("info string setoption ignored: Hash is a whole number of megabytes from 1 to " +
                std::to_string(MaxHashMegabytes) + ", not " + Quoted(value));
        }
    } else if (option == "uci_limitstrength") {
        if (Lower(value) == "true" || Lower(value) == "false")
            limitStrength = Lower(value) == "true";
        else
            Say("info string setoption ignored: UCI_LimitStrength is true or false, not " +
                Quoted(value));
    } else if (option == "uci_elo") {
        int64_t elo = 0;
        if (ParseNumber(value, elo) && elo >= strong::MinimumElo() && elo <= strong::MaximumElo())
            eloTarget = static_cast<int>(elo);
        else
            Say("info string setoption ignored: UCI_Elo is a whole number from " +
                std::to_string(strong::MinimumElo()) + " to " +
                std::to_string(strong::MaximumElo()) + ", not " + Quoted(value));
    } else if (option == "depth") {
        int64_t bar = 0;
        if (ParseNumber(value, bar) && bar >= 0 && bar <= DepthBarMax)
            depthBar = static_cast<int>(bar);
        else
            Say("info string setoption ignored: Depth is a whole number from 0 to " +
                std::to_string(DepthBarMax) + ", not " + Quoted(value));
    } else if (option == "move overhead") {
        int64_t ms = 0;
        if (ParseNumber(value, ms) && ms >= 0 && ms <= MaxOverheadMs)
            overheadMs = ms;
        else
            Say("info string setoption ignored: Move Overhead is a whole number from 0 to " +
                std::to_string(MaxOverheadMs) + ", not " + Quoted(value));
    } else if (option == "ownbook") {
        if (Lower(value) == "true" || Lower(value) == "false") {
            ownBook = Lower(value) == "true";
            bookRead = false;
        } else {
            Say("info string setoption ignored: OwnBook is true or false, not " + Quoted(value));
        }
    } else if (option == "bookfile") {
        bookFile = value;
        bookRead = false;
    } else {
        Say("info string setoption ignored: no option is called " + Quoted(name));
    }
}

void UciEngine::SetPosition(const std::vector<std::string>& words) {
    size_t i = 2;
    std::string base = "startpos";
    if (words.size() > 1 && words[1] == "fen") {
        base.clear();
        for (; i < words.size() && words[i] != "moves"; ++i)
            base += (base.empty() ? "" : " ") + words[i];
    } else if (words.size() < 2 || words[1] != "startpos") {
        Say("info string position ignored: 'startpos' or 'fen' must follow 'position'");
        return;
    }
    if (i < words.size() && words[i] != "moves") {
        Say("info string position ignored: " + Quoted(words[i]) + " where 'moves' should be");
        return;
    }
    const std::vector<std::string> moves(
        words.begin() + static_cast<long>(std::min(i + 1, words.size())), words.end());
    // A GUI sends the whole game before every move: only the moves added since are played.
    Board board{};
    size_t played = 0;
    if (base == positionBase && moves.size() >= positionMoves.size() &&
        std::equal(positionMoves.begin(), positionMoves.end(), moves.begin())) {
        board = position;
        played = positionMoves.size();
    } else if (base == "startpos") {
        SetUpBoard(board);
    } else {
        std::string error;
        if (!ReadFen(base, board, error)) {
            Say("info string position ignored: the FEN is not a position: " + error);
            return;
        }
    }
    std::vector<uint64_t> keys(positionKeys.begin(),
                               positionKeys.begin() + static_cast<long>(played));
    for (; played < moves.size(); ++played) {
        ChessMove move{};
        keys.push_back(strong::PositionKey(board));
        if (ReadLong(board, moves[played], move) != MoveRead::Legal ||
            !PlayChessMove(board, move)) {
            Say("info string position ignored: move " + Quoted(moves[played]) +
                " is not legal there");
            return;
        }
    }
    position = board;
    positionBase = base;
    positionMoves = moves;
    positionKeys = std::move(keys);
}

void UciEngine::Go(const std::vector<std::string>& words) {
    GoLimits limits;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "infinite" || word == "ponder") {
            limits.Infinite = true;
            continue;
        }
        if (word == "searchmoves") {
            while (i + 1 < words.size() && !IsGoWord(words[i + 1]))
                limits.SearchMoves.push_back(words[++i]);
            continue;
        }
        int64_t value = 0;
        if (!IsGoWord(word) || i + 1 >= words.size() || !ParseNumber(words[i + 1], value)) {
            Say("info string go: ignored " + Quoted(word));
            continue;
        }
        ++i;
        // A clock already fallen reads 0; no number grows past what any sum can hold.
        const int64_t time = std::clamp<int64_t>(value, 0, MaxGoNumber);
        const int count = static_cast<int>(std::clamp<int64_t>(value, 0, 1000));
        if (word == "wtime") limits.TimeMs[0] = time;
        if (word == "btime") limits.TimeMs[1] = time;
        if (word == "winc") limits.IncMs[0] = time;
        if (word == "binc") limits.IncMs[1] = time;
        if (word == "movetime") limits.MoveTimeMs = time;
        if (word == "movestogo") limits.MovesToGo = count;
        if (word == "depth") limits.Depth = std::max(1, count);
        if (word == "nodes") limits.Nodes = static_cast<uint64_t>(time);
        if (word == "mate") Say("info string go: 'mate' is searched as an ordinary move");
    }
    limits.OverheadMs = overheadMs;
    ReadBook();
    stop = false;
    if (limitStrength || levelItem >= LevelCount) {
        if (!strongPlayer) strongPlayer = std::make_unique<strong::StrongPlayer>(hashMegabytes);
        strongPlayer->SetLevel(limitStrength ? strong::LevelForElo(eloTarget)
                                             : strong::StrongLevels[levelItem - LevelCount]);
        thinker = std::thread([this, board = position, keys = positionKeys, limits] {
            const ChessMove move = ThinkStrong(*strongPlayer, board, keys, limits, stop,
                                               [this](const std::string& l) { Say(l); });
            Say("bestmove " + (move.Squares.X1 == NoMove ? std::string("0000") : LongText(move)));
        });
        return;
    }
    const int bar = depthBar > 0 ? depthBar : Levels[levelItem].DepthBarPosition;
    thinker = std::thread([this, board = position, limits, bar] {
        const ChessMove move =
            Think(*opponent, board, limits, bar, stop, [this](const std::string& l) { Say(l); });
        Say("bestmove " + (move.Squares.X1 == NoMove ? std::string("0000") : LongText(move)));
    });
}

void UciEngine::ReadBook() {
    if (bookRead) return;
    bookRead = true;
    ClearOpenings(opponent->Book);
    if (!ownBook || bookFile.empty() || bookFile == "<empty>") return;
    // Never blocks: a FIFO or a device is refused before anything is read.
    std::string text;
    const char* why = nullptr;
    switch (ReadRegularFile(bookFile, MaxOpeningsFileSize, text)) {
    case FileRead::Read:
        ReadOpenings(opponent->Book, text);
        return;
    case FileRead::NotRegular:
        why = " is not a regular file";
        break;
    case FileRead::TooLarge:
        why = " is larger than 1 MB";
        break;
    case FileRead::Failed:
        why = " cannot be read";
        break;
    default:
        why = " cannot be opened";
        break;
    }
    Say("info string no opening book: " + Quoted(bookFile) + why + "; playing without one");
}

void UciEngine::StopThinking() {
    if (!thinker.joinable()) return;
    stop = true;
    thinker.join();
    stop = false;
}

void RunUci(std::streambuf& in, UciEngine& engine) {
    std::string line;
    for (;;) {
        line.clear();
        bool tooLong = false, any = false;
        for (int c; (c = in.sbumpc()) != std::char_traits<char>::eof();) {
            any = true;
            if (c == '\n') break;
            if (line.size() < UciEngine::MaxLineLength)
                line += static_cast<char>(c);
            else
                tooLong = true;
        }
        if (!any) return;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (tooLong)
            engine.Inform("a line of more than " + std::to_string(UciEngine::MaxLineLength) +
                          " characters was ignored");
        else if (!engine.Handle(line))
            return;
    }
}
