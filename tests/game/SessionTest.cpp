// The game session without a window: clicks, the status lines, promotion, stepping, the
// computer's turns through hooks that stand in for the window, and its files.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <memory>

#include "engine/Stalemateu.h"
#include "game/Sessionu.h"
#include "notation/Fen.h"
#include "tests/common/ScratchFolder.h"

namespace {

using R = ClickResult;
using T = TurnResult;

Board FromFen(const char* fen) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ReadFen(fen, board, error)) << error;
    return board;
}

ClickResult Click(GameSession& game, const char* square) {
    return game.Click(square[0] - 'a', '8' - square[1]);
}

// Clicks the two squares of a move such as "e2e4"; returns what the second click did.
ClickResult Play(GameSession& game, const char* move) {
    Click(game, move);
    return Click(game, move + 2);
}

bool Shows(const GameSession& game, int index) {
    const Board& kept = game.History().Snapshots[index];
    return std::memcmp(game.Board().Squares, kept.Squares, sizeof kept.Squares) == 0;
}

// Stands in for the window while the computer thinks: `During` runs at the first event pump.
struct WindowStandIn : OpponentHooks {
    explicit WindowStandIn(GameSession& game) : Game(game) {}
    void ProcessEvents() override {
        if (const auto during = std::exchange(During, nullptr)) during();
    }
    int DepthBarPosition() override { return Game.DepthBar(); }

    GameSession& Game;
    std::function<void()> During;
};

TEST(Session, ClicksSelectLetGoAndMove) {
    GameSession game;
    // The square clicked, what the click did, and the square then selected ("" for none).
    const std::tuple<const char*, ClickResult, const char*> clicks[] = {
        {"e4", R::Ignored, ""},    {"e7", R::Ignored, ""},    // an empty square, an enemy piece
        {"e2", R::Selected, "e2"}, {"d2", R::Selected, "d2"}, // another own piece takes it
        {"d5", R::Ignored, "d2"},  {"d7", R::Ignored, "d2"},  // illegal targets keep it
        {"d2", R::Deselected, ""}, {"d2", R::Selected, "d2"},
        {"d4", R::Moved, ""},      {"d4", R::Ignored, ""}, // Black's turn now
        {"e7", R::Selected, "e7"},
    };
    for (const auto& [square, result, selected] : clicks) {
        EXPECT_EQ(Click(game, square), result) << square;
        const std::string now = game.Condition() ? std::string{char('a' + game.SelectedX()),
                                                               char('8' - game.SelectedY())}
                                                 : "";
        EXPECT_EQ(now, selected) << square;
    }
    EXPECT_EQ(game.History().Count, 2);
    EXPECT_TRUE(SameMove(game.LastMove(), 3, 6, 3, 4));
    EXPECT_EQ(game.Click(8, 0), R::Ignored);
    EXPECT_EQ(game.Click(-1, 3), R::Ignored);
}

TEST(Session, StatusLinesToTheEndOfTheGame) {
    // The moves, the outcome and the two status lines they give.
    const std::tuple<std::vector<const char*>, int, const char*, const char*> games[] = {
        {{}, InProgress, "White to play...", ""},
        {{"e2e4", "f7f5", "d1h5"}, InProgress, "Black to play...", "Check"},
        {{"f2f3", "e7e5", "g2g4", "d8h4"}, BlackWon, "Black Wins!!", "Checkmate!"},
        {{"e2e4", "f7f6", "d2d4", "g7g5", "d1h5"}, WhiteWon, "White Wins!!", "Checkmate!"},
    };
    for (const auto& [moves, outcome, first, second] : games) {
        GameSession game;
        for (const char* move : moves) ASSERT_EQ(Play(game, move), R::Moved) << move;
        EXPECT_EQ(game.Board().Outcome, outcome);
        EXPECT_EQ(game.Status().First, first);
        EXPECT_EQ(game.Status().Second, second);
        if (outcome == InProgress) continue;
        // Over: no piece can be picked up, until a step back reopens the game.
        EXPECT_EQ(game.Click(0, 6), R::Ignored);
        EXPECT_EQ(game.Click(0, 1), R::Ignored);
        EXPECT_TRUE(game.Back());
        EXPECT_EQ(game.Click(0, game.Board().ToPlay == White ? 6 : 1), R::Selected);
    }

    // A drawn game names its rule and leaves the second line as it was. The rows: the move
    // pairs without progress, the two repetition counters, and the first line.
    const std::tuple<int, int, int, const char*> draws[] = {
        {0, 0, 0, "Stalemate!!"},
        {FiftyMoveLimit, 0, 0, "Stalemate - 50 move rule"},
        {FiftyMoveLimit - 1, RepetitionLimit, RepetitionLimit, "Stalemate!!"},
        {FiftyMoveLimit, RepetitionLimit + 1, 0, "Stalemate - 3 move repetition"},
        {0, 0, RepetitionLimit + 1, "Stalemate - 3 move repetition"}};
    GameSession game;
    for (const auto& [bored, repetition1, repetition2, first] : draws) {
        Board board = FromFen("k7/2Q5/8/8/8/8/8/4K3 b - -");
        board.Outcome = Drawn;
        std::tie(board.Bored50, board.Repetition1, board.Repetition2) =
            std::tie(bored, repetition1, repetition2);
        game.StartFrom(board);
        EXPECT_EQ(game.Status().First, first);
        EXPECT_FALSE(game.Status().Second.has_value());
    }
}

TEST(Session, PromotionChoicesAndSteppingOverThem) {
    GameSession game;
    game.StartFrom(FromFen("7k/P7/8/8/8/8/6p1/K7 w - - 0 1"));
    EXPECT_FALSE(game.ChoosePromotion(Queen)); // nothing to choose yet
    EXPECT_EQ(Play(game, "a7a8"), R::PromotionNeeded);
    EXPECT_EQ(game.Status().First, "");
    EXPECT_EQ(Click(game, "h8"), R::Ignored); // no piece belongs to a side that must choose
    EXPECT_TRUE(game.HumanMustChoose());
    game.SetComputerPlays(White, true);
    EXPECT_FALSE(game.HumanMustChoose()); // the computer chooses in its turn
    game.SetComputerPlays(White, false);
    EXPECT_TRUE(game.ChoosePromotion(Knight));
    EXPECT_EQ(game.Board().Squares[0][0], Knight);
    EXPECT_TRUE(SameMove(game.LastMove(), 0, 1, 0, 0)); // the pawn's move stays the last
    EXPECT_EQ(Play(game, "g2g1"), R::PromotionNeeded);
    EXPECT_TRUE(game.ChoosePromotion(-Queen));

    // Back and Forward step over the positions that wait for a choice. The rows: the step
    // ('b'ack or 'f'orward), whether it stepped, and the positions then shown. (GoTo, which no
    // window calls, is left out.)
    const std::tuple<char, bool, int> steps[] = {{'b', true, 3}, {'b', true, 1}, {'b', false, 1},
                                                 {'f', true, 3}, {'f', true, 5}, {'f', false, 5},
                                                 {'b', true, 3}};
    for (const auto& [step, stepped, count] : steps) {
        EXPECT_EQ(step == 'b' ? game.Back() : game.Forward(), stepped);
        EXPECT_EQ(game.History().Count, count);
        EXPECT_TRUE(Shows(game, count - 1));
    }
    // A move after stepping back replaces the rest of the game.
    EXPECT_EQ(Play(game, "h8g7"), R::Moved);
    EXPECT_EQ(game.History().Stored, 4);
}

// The window's tests have the computer answer a human's move through the timer.
TEST(Session, ComputerPromotesInATurnOfItsOwnAndStopsAtTheEnd) {
    GameSession game;
    game.SetDepthBar(7);
    game.StartUp(1);
    EXPECT_EQ(game.DepthBar(), 2) << "Clever starts at 2";
    WindowStandIn hooks(game);
    game.StartFrom(FromFen("8/8/8/8/8/2k5/p7/4K3 b - - 0 60"));
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.Board().ToPlay, BlackChooses);
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.Board().Squares[0][7], -Queen);

    // A game one move from mate: played to the end, then left alone with both sides kept.
    // White's thinking time lowers the depth.
    game.StartFrom(FromFen("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4"));
    game.SetComputerPlays(White, true);
    game.SetDepthBar(3);
    hooks.During = [&] {
        for (int tick = 0; tick < 6; ++tick) game.MoveTimerTick();
    };
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.DepthBar(), 2) << "600 ms is past Clever's first slow-down";
    EXPECT_EQ(game.Board().Outcome, WhiteWon);
    EXPECT_EQ(game.ComputerTurn(hooks), T::NotItsTurn);
    EXPECT_TRUE(game.ComputerPlays(White) && game.ComputerPlays(Black));

    // Stalemate that the record does not know of: nothing to play.
    game.StartFrom(FromFen("k7/2Q5/1K6/8/8/8/8/8 b - - 0 60"));
    EXPECT_EQ(game.ComputerTurn(hooks), T::NoMove);
    EXPECT_EQ(game.History().Count, 1);

    // White's box unticked while the computer chooses White's piece: no human choice opens.
    game.StartFrom(FromFen("8/1P6/8/8/8/8/5k2/K7 w - - 0 60"));
    EXPECT_EQ(Play(game, "b7b8"), R::PromotionNeeded);
    hooks.During = [&] {
        game.SetComputerPlays(White, false);
        EXPECT_FALSE(game.HumanMustChoose());
        EXPECT_FALSE(game.ChoosePromotion(Rook));
    };
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_FALSE(hooks.During) << "the search never ran the window's events";
    EXPECT_EQ(game.Board().Squares[1][0], Queen);
}

TEST(Session, AbandonedSearchPlaysNothingAndFreesBothSides) {
    // How the search is abandoned, and the positions then left.
    const std::pair<std::function<void(GameSession&)>, int> rows[] = {
        {[](GameSession& g) { g.Stop(); }, 3},
        {[](GameSession& g) { g.NewGame(2); }, 1},
        {[](GameSession& g) { g.Back(); }, 2},
        {[](GameSession& g) { g.Forward(); }, 4},
    };
    for (const auto& row : rows) {
        const auto& act = row.first; // clang 14 cannot capture a structured binding
        const int countAfter = row.second;
        SCOPED_TRACE(countAfter);
        GameSession game;
        game.StartUp(2);
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) Play(game, move);
        game.Back();
        game.SetComputerPlays(White, true);
        WindowStandIn hooks(game);
        hooks.During = [&] {
            EXPECT_EQ(game.Click(4, 6), R::Ignored); // the board waits for the search
            act(game);
            // The abandoned move's time does not lower the depth.
            for (int tick = 0; tick < 70; ++tick) game.MoveTimerTick();
        };
        EXPECT_EQ(game.ComputerTurn(hooks), T::Stopped);
        EXPECT_FALSE(hooks.During);
        EXPECT_EQ(game.History().Count, countAfter);
        EXPECT_TRUE(Shows(game, countAfter - 1));
        EXPECT_FALSE(game.ComputerPlays(White) || game.ComputerPlays(Black));
        EXPECT_EQ(game.DepthBar(), 3);
    }
}

TEST(Session, FilesReplaceTheGameOnlyWhenTheyLoad) {
    const ScratchFolder folder;
    GameSession game;
    game.StartUp(0);
    for (const char* move : {"e2e4", "e7e5", "g1f3"}) Play(game, move);
    game.Back();
    const std::string path = folder.File("game.bch");
    ASSERT_TRUE(game.Save(path));
    EXPECT_FALSE(game.Save(folder.Path.string())); // a failed save keeps the name
    EXPECT_EQ(game.FileName(), path);

    game.NewGame(0);
    EXPECT_EQ(game.FileName(), "");
    Play(game, "d2d4");
    // A refused file changes nothing: the game, its history and its name stay.
    std::ofstream(folder.File("damaged.bch")) << "BQ\nrnbqkbnr\npppp\n";
    const auto before = std::make_unique<History>(game.History());
    for (const std::string& bad : {folder.File("damaged.bch"), folder.File("absent.bch")})
        EXPECT_FALSE(game.Open(bad, 0).Loaded);
    EXPECT_EQ(std::memcmp(before.get(), &game.History(), sizeof(History)), 0);
    EXPECT_TRUE(Shows(game, 1) && game.FileName().empty() && game.Board().ToPlay == Black);
    // A damaged file that still gave whole positions loads, but Save asks for a name.
    const std::string saved = ReadBytes(path);
    std::ofstream(folder.File("cut.bch")) << saved.substr(0, saved.rfind("CONTINUE"));
    EXPECT_TRUE(game.Open(folder.File("cut.bch"), 0).Loaded);
    EXPECT_EQ(std::make_pair(game.History().Count, game.FileName()),
              std::make_pair(2, std::string()));
    const LoadResult opened = game.Open(path, 0);
    EXPECT_TRUE(opened.Loaded && opened.Message.empty()) << opened.Message;
    EXPECT_EQ(game.FileName(), path);
    EXPECT_EQ(std::tie(game.History().Count, game.History().Stored), std::make_tuple(3, 3));
    EXPECT_TRUE(Shows(game, 2));
    EXPECT_EQ(Play(game, "g1f3"), R::Moved); // the loaded game plays on

    // A pawn's move into the history's last place ends the game: no chooser that could never
    // be answered.
    auto full = std::make_unique<History>();
    ResetHistory(*full);
    while (full->Count + 1 < HistorySize)
        PushHistory(*full, FromFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 60"));
    ASSERT_TRUE(SaveGame(path, *full));
    ASSERT_TRUE(game.Open(path, 0).Loaded);
    EXPECT_EQ(Play(game, "a7a8"), R::PromotionNeeded);
    EXPECT_EQ(game.Status().First, "Stalemate!!");
    EXPECT_FALSE(game.HumanMustChoose());
}

} // namespace
