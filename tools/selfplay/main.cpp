// selfplay LEVEL GAMES [--limit MS] [--plies N] [--book FILE] [--seed N]: plays GAMES games of
// the computer against itself at difficulty LEVEL (0 Brisko, 1 Clever, 2 Mean) through the game
// session, as the window plays them: the move timer ticks every 100 ms while it thinks as White,
// the thinking limit (the window's default unless given; 0 for none) cuts long moves short.
// Prints each game, then the median and the longest thinking time per move.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/Sessionu.h"

namespace {

using Clock = std::chrono::steady_clock;

// What the window gives the computer: the move timer's ticks while it runs, and a random draw
// seeded afresh for every game so that the games differ.
class SelfPlayHooks : public OpponentHooks {
  public:
    explicit SelfPlayHooks(GameSession& game) : Game(game) {}

    void ProcessEvents() override {
        if (!Timing || ++Calls % 256 != 0) return;
        const auto now = Clock::now();
        while (now >= NextTick) {
            Game.MoveTimerTick();
            NextTick += std::chrono::milliseconds(100);
        }
    }
    int DepthBarPosition() override { return Game.DepthBar(); }
    void SetMoveTimer(bool running) override {
        Timing = running;
        NextTick = Clock::now() + std::chrono::milliseconds(100);
    }
    void SeedRandom() override {}
    int Random() override { return std::rand() % 32768; }

  private:
    GameSession& Game;
    bool Timing = false;
    Clock::time_point NextTick{};
    unsigned Calls = 0;
};

const char* Result(const Board& board) {
    switch (board.Outcome) {
    case WhiteWon:
        return "1-0";
    case BlackWon:
        return "0-1";
    case Drawn:
        return "1/2-1/2";
    default:
        return "*";
    }
}

int Usage() {
    std::fprintf(stderr, "usage: selfplay LEVEL(0..2) GAMES [--limit MS] [--plies N] "
                         "[--book FILE] [--seed N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const int level = std::atoi(argv[1]);
    const int games = std::atoi(argv[2]);
    int64_t limit = DefaultThinkingLimitMs;
    int plies = 400;
    unsigned seed = 1;
    std::string book = OpeningsFileName;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--limit")
            limit = std::atoll(argv[i + 1]);
        else if (option == "--plies")
            plies = std::atoi(argv[i + 1]);
        else if (option == "--book")
            book = argv[i + 1];
        else if (option == "--seed")
            seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
        else
            return Usage();
    }
    if (level < 0 || level >= LevelCount || games < 1 || plies < 1 || argc % 2 == 0) return Usage();

    std::printf("%s, limit %s, up to %d plies a game\n", Levels[level].Label,
                limit > 0 ? (std::to_string(limit) + " ms").c_str() : "none", plies);
    std::vector<double> all;
    int cut = 0;
    for (int g = 0; g < games; ++g) {
        std::srand(seed + static_cast<unsigned>(g));
        GameSession game;
        game.SetBookPath(book);
        game.StartUp(level);
        game.SetComputerPlays(White, true);
        game.SetComputerPlays(Black, true);
        game.SetThinkingLimit(limit);
        SelfPlayHooks hooks(game);
        double longest = 0.0;
        int moves = 0;
        while (game.History().Stored < plies) {
            const auto start = Clock::now();
            const TurnResult turn = game.ComputerTurn(hooks);
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            if (turn != TurnResult::Played) break;
            all.push_back(seconds);
            longest = std::max(longest, seconds);
            cut += game.CutShort() ? 1 : 0;
            ++moves;
        }
        std::printf("game %d: %d moves, %s, longest move %.2f s, depth bar at the end %d\n", g + 1,
                    moves, Result(game.Board()), longest, game.DepthBar());
        std::fflush(stdout);
    }
    if (all.empty()) return 1;
    std::sort(all.begin(), all.end());
    std::printf("%zu moves: median %.3f s, 90th percentile %.3f s, longest %.3f s, %d cut short "
                "by the limit\n",
                all.size(), all[all.size() / 2], all[all.size() * 9 / 10], all.back(), cut);
    return 0;
}
