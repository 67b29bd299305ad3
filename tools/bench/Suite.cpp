#include "tools/bench/Suite.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>

#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "notation/Letteru.h"
#include "opponent/Opponentu.h"

namespace {

constexpr Move NoPreMove{NoMove, 0, 0, 0};

// Fixed answers in place of the window: the level's depth, and always the first tie.
class BenchHooks : public OpponentHooks {
  public:
    explicit BenchHooks(int depthBar) : depthBar(depthBar) {}
    int DepthBarPosition() override { return depthBar; }
    void SeedRandom() override {}
    int Random() override { return 0; }

  private:
    int depthBar;
};

// Adds the squares of the position reached by playing `moves` from the start to the book.
void AddLine(OpeningBook& book, std::initializer_list<Move> moves) {
    Board board{};
    SetUpBoard(board);
    for (const Move& m : moves) MakeMove(board, m.X1, m.Y1, m.X2, m.Y2);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) book.Entries[book.EntryCount][x][y] = board.Squares[x][y];
    book.EntryCount += 1;
}

} // namespace

const std::vector<SuitePosition>& BenchSuite() {
    static const std::vector<SuitePosition> suite = {
        {"initial", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", NoPreMove},
        {"after-e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", NoPreMove},
        {"open-italian", "r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
         NoPreMove},
        {"open-castled", "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 w - - 0 7",
         NoPreMove},
        {"closed-kid", "rnbq1rk1/ppp1ppbp/3p1np1/8/2PPP3/2N2N2/PP3PPP/R1BQKB1R b KQ - 1 5",
         NoPreMove},
        {"closed-french", "r1bqk2r/pp1nbppp/2n1p3/2ppP3/3P4/2PB1N2/PP1N1PPP/R1BQK2R w KQkq - 3 8",
         NoPreMove},
        {"tactic-mate-in-one",
         "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", NoPreMove},
        {"tactic-hanging", "r2qkb1r/ppp2ppp/2n1bn2/3pp3/4P3/2N2N2/PPPPBPPP/R1BQK2R w KQkq - 0 5",
         NoPreMove},
        {"end-pawn-b7", "8/1P6/8/8/8/8/5k2/K7 w - - 0 60", NoPreMove},
        {"end-black-pawn-a2", "8/8/8/8/8/2k5/p7/4K3 b - - 0 60", NoPreMove},
        {"end-rook-race", "8/5P2/8/8/1r6/8/5K1k/8 w - - 0 50", NoPreMove},
        {"end-king-pawn", "8/8/4k3/8/3PK3/8/8/8 w - - 0 45", NoPreMove},
        {"promotion-choice-white", "8/1P6/8/8/8/8/5k2/K7 w - - 0 60", Move{1, 1, 1, 0}},
        {"promotion-choice-black", "8/8/8/8/8/2k5/p7/4K3 b - - 0 60", Move{0, 6, 0, 7}},
    };
    return suite;
}

bool SetUpSuitePosition(const SuitePosition& position, Board& board, std::string& error) {
    if (!ReadFen(position.Fen, board, error)) return false; // PlyCount from the move number
    const Move& m = position.PreMove;
    if (m.X1 != NoMove && !MakeMove(board, m.X1, m.Y1, m.X2, m.Y2)) {
        error = "the suite's move cannot be played";
        return false;
    }
    return true;
}

BenchRun RunBench(const Board& position, int level, int depthBarAsked) {
    auto opponent = std::make_unique<Opponent>();
    int depthBar = 0;
    ApplyLevel(*opponent, level, depthBar);
    if (depthBarAsked >= DepthBarMin && depthBarAsked <= DepthBarMax) depthBar = depthBarAsked;
    ReadyOpponent(*opponent);
    // 1. e4, 1. d4 and 1. e4 e5: enough to show the bonus at the start.
    AddLine(opponent->Book, {Move{4, 6, 4, 4}});
    AddLine(opponent->Book, {Move{3, 6, 3, 4}});
    AddLine(opponent->Book, {Move{4, 6, 4, 4}, Move{4, 1, 4, 3}});

    BenchHooks hooks(depthBar);
    BenchRun run;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    run.Chosen = ChooseMove(*opponent, position, hooks, &run.Trace);
    run.CpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.SearchCalls = hooks.SearchCalls;
    return run;
}

std::string RootMoveName(const Move& move) {
    if (move.X1 == PromotionChoice) return PieceName(move.Y1);
    return MoveText(move);
}

std::string GoldenKey(int level, const SuitePosition& position) {
    std::string key = Levels[level].Label;
    key += ' ';
    key += position.Name;
    return key;
}

std::string GoldenLine(int level, const SuitePosition& position, const ChoiceTrace& trace) {
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap (-Wrestrict) in " " + string.
    std::string line = GoldenKey(level, position);
    for (size_t k = 0; k < trace.Ordered.size(); ++k) {
        line += ' ';
        line += RootMoveName(trace.Ordered[k]);
        line += ':';
        line += std::to_string(trace.Scores[k]);
    }
    return line;
}

std::string SignatureLine(uint64_t searchCalls) {
    std::string line = "signature ";
    line += std::to_string(searchCalls);
    return line;
}

bool ReadGolden(const std::string& path, Golden& golden) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("signature ", 0) == 0) {
            golden.Signature = std::strtoull(line.c_str() + 10, nullptr, 10);
            continue;
        }
        const size_t second = line.find(' ', line.find(' ') + 1);
        golden.Lines[line.substr(0, second)] = line;
    }
    return true;
}
