#include "tools/record/Record.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "engine/Checkmateu.h"
#include "engine/Checku.h"
#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"
#include "notation/Fen.h"
#include "opponent/Evaluate.h"
#include "opponent/Search.h"

namespace {

// A small generator of our own, so that the games do not depend on the standard library.
class Dice {
  public:
    explicit Dice(uint64_t seed) : state(seed) {}
    int Below(int n) {
        state += 0x9E3779B97F4A7C15ull;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<int>((z ^ (z >> 31)) % static_cast<uint64_t>(n));
    }

  private:
    uint64_t state;
};

// Where a game starts, the moves it opens with, and how many plies the lively player adds.
struct GameSpec {
    std::string Name;
    int PlyCount;
    int Bored50;
    std::string Fen;
    std::string Opening;
    int LivelyPlies;
};

constexpr int DeepEvery = 8; // positions between two deeper searches
constexpr int ReportLimit = 20;

// Piece letters of the promotion choices, White's in capitals.
char ChoiceLetter(int code) {
    const char* letters = "??rnbkq";
    const char c = letters[code < 0 ? -code : code];
    return code > 0 ? static_cast<char>(c - 'a' + 'A') : c;
}

bool Same(const Move& a, const Move& b) {
    return SameMove(a, b.X1, b.Y1, b.X2, b.Y2);
}

std::string MoveWord(const Move& m) {
    if (m.X1 == PromotionChoice) return std::string(1, ChoiceLetter(m.Y1));
    return MoveText(m);
}

// Reads "e2e4", or a promotion choice by its letter ("Q" White's queen, "n" Black's knight).
bool ReadWord(const std::string& word, const Board& board, Move& m) {
    if (word.size() == 1) {
        for (int code : {6, 2, 4, 3, -6, -2, -4, -3})
            if (ChoiceLetter(code) == word[0] && (code > 0) == (board.ToPlay == WhiteChooses)) {
                m = Move{PromotionChoice, code, WaitingPawnFile(board),
                         board.ToPlay == WhiteChooses ? 0 : 7};
                return m.X2 >= 0;
            }
        return false;
    }
    if (word.size() != 4) return false;
    m = Move{word[0] - 'a', '8' - word[1], word[2] - 'a', '8' - word[3]};
    return OnBoard(m.X1, m.Y1) && OnBoard(m.X2, m.Y2);
}

bool Listed(Board board, const Move& m) {
    FindLegalMoves(board);
    for (int i = 0; i < board.LegalCount; ++i)
        if (SameMove(board.LegalMoves[i], m.X1, m.Y1, m.X2, m.Y2)) return true;
    return false;
}

// Plays a listed move as the game does.
void Play(Board& board, const Move& m) {
    MakeMove(board, m.X1, m.Y1, m.X2, m.Y2);
    board.PlyCount += 1;
    DecideOutcome(board, false);
}

// Everything the record keeps about one position, each answer asked of its own copy.
std::string Answers(const Board& position, Opponent& opponent, bool deep) {
    Board list = position, check = position, mate = position, stale = position;
    // As after a move: the list and the game-end tests may bring the check cache up to date.
    list.CheckVersion += 1;
    mate.CheckVersion += 1;
    stale.CheckVersion += 1;
    FindLegalMoves(list);
    uint32_t hash = 2166136261u; // FNV-1a over the list in order
    for (int i = 0; i < list.LegalCount; ++i) {
        const Move& m = list.LegalMoves[i];
        for (int32_t v : {m.X1, m.Y1, m.X2, m.Y2})
            hash = (hash ^ static_cast<uint32_t>(v)) * 16777619u;
    }
    const int status = GetCheck(check);
    const bool mated = IsMate(mate);
    const bool drawn = IsStalemate(stale);
    const auto fresh = [](const Board& b) {
        return b.CheckVersionSeen == b.CheckVersion ? 'c' : '-';
    };

    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    std::ostringstream out;
    out << list.LegalCount << ' ' << hex << ' ' << status << (mated ? 'M' : '-')
        << (drawn ? 'S' : '-') << fresh(list) << fresh(mate) << fresh(stale) << " o"
        << position.Outcome << ' ' << Evaluate(position, 0) << ' ' << Evaluate(position, 3);
    const auto search = [&](bool full, float step, float depth) {
        OpponentHooks hooks;
        opponent.CaptureStep = step;
        const int32_t s =
            Search(opponent, full, -SearchInfinity, SearchInfinity, position, depth, hooks);
        out << ' ' << s << '/' << hooks.SearchCalls;
    };
    search(false, 1.0f, 1.0f);
    search(true, 0.25f, 1.0f);
    if (deep) {
        search(false, 1.0f, 2.0f);
        search(true, 0.1f, 1.0f);
    }
    return out.str();
}

// One listed move and what kind it is, for the lively player.
struct Candidate {
    Move M;
    bool Special, Capture, Check, Mate, Draw, Pawn;
};

std::vector<Candidate> Candidates(const Board& board) {
    Board list = board;
    FindLegalMoves(list);
    std::vector<Candidate> all;
    for (int i = 0; i < list.LegalCount; ++i) {
        const Move& m = list.LegalMoves[i];
        Board after = board;
        MakeMove(after, m.X1, m.Y1, m.X2, m.Y2);
        Candidate c{m, false, false, false, false, false, false};
        if (m.X1 != PromotionChoice) {
            const int piece = std::abs(board.Squares[m.X1][m.Y1]);
            const bool empty = board.Squares[m.X2][m.Y2] == Empty;
            c.Special = (piece == King && std::abs(m.X2 - m.X1) == 2) ||
                        (piece == Pawn && m.X1 != m.X2 && empty) || after.ToPlay > Black;
            c.Capture = !empty || after.Material != board.Material;
            c.Pawn = piece == Pawn;
            const int status = GetCheck(after);
            c.Check = status == after.ToPlay || status == BothInCheck;
            c.Mate = IsMate(after);
            c.Draw = IsStalemate(after);
        }
        all.push_back(c);
    }
    return all;
}

// Picks a move that makes for varied positions: mates, castling, en passant, promotions,
// checks, captures and repeated moves come up far more often than in random play.
Move LivelyMove(const Board& board, const std::vector<Move>& played, Dice& dice) {
    const std::vector<Candidate> all = Candidates(board);
    const auto pick = [&](auto&& wanted) {
        std::vector<Move> chosen;
        for (const Candidate& c : all)
            if (wanted(c)) chosen.push_back(c.M);
        return chosen;
    };
    const int roll = dice.Below(100);
    std::vector<Move> choice;
    if (roll < 80) choice = pick([](const Candidate& c) { return c.Mate; });
    if (choice.empty() && roll < 40) choice = pick([](const Candidate& c) { return c.Draw; });
    if (choice.empty() && roll < 35) choice = pick([](const Candidate& c) { return c.Special; });
    if (choice.empty() && roll < 50) choice = pick([](const Candidate& c) { return c.Check; });
    if (choice.empty() && roll < 70) choice = pick([](const Candidate& c) { return c.Capture; });
    if (choice.empty() && roll < 80) choice = pick([](const Candidate& c) { return c.Pawn; });
    if (choice.empty() && roll < 90 && played.size() >= 4) {
        const Move& again = played[played.size() - 4];
        choice = pick([&](const Candidate& c) { return Same(c.M, again); });
    }
    if (choice.empty()) choice = pick([](const Candidate&) { return true; });
    return choice[static_cast<size_t>(dice.Below(static_cast<int>(choice.size())))];
}

bool SetUp(const std::string& fen, int plyCount, int bored50, Board& board) {
    board = Board{};
    std::string error;
    if (!ReadFen(fen, board, error)) return false;
    board.PlyCount = plyCount;
    board.Bored50 = bored50;
    return true;
}

std::vector<GameSpec> Games(const std::vector<std::string>& bookLines) {
    const std::string start(StartFen);
    std::vector<GameSpec> games;
    // Real openings, then lively play into the middlegame.
    for (size_t i = 0; i < bookLines.size(); i += 4)
        games.push_back({"book-" + std::to_string(i), 0, 0, start, bookLines[i], 36});
    for (int i = 0; i < 10; ++i)
        games.push_back({"start-" + std::to_string(i), 0, 0, start, "", 120});
    const struct {
        const char* name;
        const char* fen;
        int bored50, games, plies;
    } fens[] = {
        {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 0, 4,
         60},
        {"position3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 0, 3, 80},
        {"position4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 0, 3, 50},
        {"position5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 0, 3, 50},
        {"en-passant", "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", 0, 3, 40},
        {"castling", "r3k2r/pppq1ppp/2n2n2/2bppb2/2BPPB2/2N2N2/PPPQ1PPP/R3K2R w KQkq - 0 1", 0, 4,
         30},
        {"pawn-races", "8/1P4k1/8/8/8/8/5Kp1/8 w - - 0 60", 0, 3, 40},
        {"queen-mates", "8/8/8/4k3/8/8/8/3QK3 w - - 0 60", 0, 3, 60},
        {"corner", "7k/8/5K2/8/8/8/8/1Q6 w - - 0 70", 0, 3, 20},
        {"white-takes", "4k3/pppppppp/8/1P1P1P1P/8/8/8/4K3 b - - 0 30", 0, 3, 40},
        {"black-takes", "4k3/8/8/8/p1p1p1p1/8/PPPPPPPP/4K3 w - - 0 30", 0, 3, 40},
        {"rook-fifty", "8/8/3k4/8/8/8/8/R3K3 w - - 0 80", 44, 3, 40},
        {"king-pawn", "8/8/4k3/8/3PK3/8/8/8 w - - 0 45", 0, 3, 60},
    };
    for (const auto& f : fens)
        for (int i = 0; i < f.games; ++i)
            games.push_back(
                {std::string(f.name) + "-" + std::to_string(i), 0, f.bored50, f.fen, "", f.plies});
    return games;
}

} // namespace

std::string WriteRecord(const std::vector<std::string>& bookLines) {
    auto opponent = std::make_unique<Opponent>();
    std::ostringstream out;
    out << "# The behaviour record: written by tools/record, replayed by the opponent tests.\n"
           "# game NAME PLY-COUNT BORED50 FEN, then one line per position: the move played\n"
           "# (\"-\" at the start), legal-move count and list hash, check status, mate and\n"
           "# draw flags, whether the list and the two tests brought a stale check cache up\n"
           "# to date, outcome, Evaluate at depth 0 and 3, then Search score/calls: quick\n"
           "# 1.0, full 1.0 with capture step 0.25, and on every eighth position quick 2.0\n"
           "# and full 1.0 with capture step 0.1.\n";
    int position = 0;
    uint64_t seed = 1;
    for (const GameSpec& game : Games(bookLines)) {
        Board board;
        if (!SetUp(game.Fen, game.PlyCount, game.Bored50, board)) continue;
        Dice dice(seed++);
        out << "game " << game.Name << ' ' << game.PlyCount << ' ' << game.Bored50 << ' '
            << game.Fen << '\n';
        out << "- " << Answers(board, *opponent, position++ % DeepEvery == 0) << '\n';
        std::istringstream opening(game.Opening);
        std::vector<Move> played;
        std::string word;
        int lively = 0;
        while (board.Outcome == InProgress) {
            Move m{};
            if (opening >> word) {
                if (!ReadWord(word, board, m) || !Listed(board, m)) break;
            } else if (lively++ < game.LivelyPlies) {
                m = LivelyMove(board, played, dice);
            } else {
                break;
            }
            Play(board, m);
            played.push_back(m);
            out << MoveWord(m) << ' ' << Answers(board, *opponent, position++ % DeepEvery == 0)
                << '\n';
        }
    }
    return out.str();
}

RecordCheck CheckRecord(std::istream& record) {
    auto opponent = std::make_unique<Opponent>();
    RecordCheck result;
    Board board{};
    std::string name = "(no game)";
    int ply = 0;
    std::string line;
    const auto mismatch = [&](const std::string& what) {
        if (++result.Mismatches <= ReportLimit)
            result.Report += name + " ply " + std::to_string(ply) + ": " + what + "\n";
    };
    while (std::getline(record, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "game") {
            int plyCount = 0, bored50 = 0;
            std::string fen;
            words >> name >> plyCount >> bored50;
            std::getline(words >> std::ws, fen);
            ply = 0;
            if (!SetUp(fen, plyCount, bored50, board)) mismatch("cannot read " + fen);
            continue;
        }
        if (first != "-") {
            Move m{};
            ply += 1;
            if (!ReadWord(first, board, m) || !Listed(board, m)) {
                mismatch(first + " is not a listed move");
                continue;
            }
            Play(board, m);
        }
        std::string wanted;
        std::getline(words >> std::ws, wanted);
        ++result.Positions;
        const std::string got = Answers(board, *opponent, (result.Positions - 1) % DeepEvery == 0);
        if (got != wanted) mismatch("after " + first + "\n  want " + wanted + "\n  got  " + got);
    }
    return result;
}
