// The game session without a window: clicks, the status lines, promotion, stepping, the
// computer's turns through hooks that stand in for the window, and its files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
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

// Stands in for the window while the computer thinks: `During` runs at the first event pump,
// `AtRootMove` before each root move of the main search, and ties go to the first.
struct WindowStandIn : OpponentHooks {
    explicit WindowStandIn(GameSession& game) : Game(game) {}
    void ProcessEvents() override {
        if (const auto during = std::exchange(During, nullptr)) during();
    }
    void SetProgressPosition(int position) override {
        if (AtRootMove) AtRootMove(position);
    }
    int DepthBarPosition() override { return Game.DepthBar(); }
    void SeedRandom() override {}
    int Random() override { return 0; }

    GameSession& Game;
    std::function<void()> During;
    std::function<void(int)> AtRootMove;
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

TEST(Session, UndoAndRedoStopWhereAHumanHasTheMove) {
    const std::vector<const char*> opening{"e2e4", "e7e5", "g1f3", "b8c6"};
    const std::vector<const char*> mate{"f2f3", "e7e5", "g2g4", "d8h4"};
    const struct {
        const char* who;
        bool white, black; // the sides the computer plays
        const std::vector<const char*>& moves;
        std::vector<int> undone, redone; // the counts each step reaches, until it refuses
    } rows[] = {
        {"against Black", false, true, opening, {3, 1}, {3, 5}},
        {"two humans", false, false, opening, {4, 3, 2, 1}, {2, 3, 4, 5}},
        // The human's first move cannot be taken back without handing White its move again.
        {"against White", true, false, opening, {4, 2}, {4}},
        {"itself", true, true, opening, {}, {}},
        {"to a mate and back", false, true, mate, {3, 1}, {3, 5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.who);
        GameSession game;
        for (const char* move : row.moves) Play(game, move);
        game.SetComputerPlays(White, row.white);
        game.SetComputerPlays(Black, row.black);
        for (const auto& [step, counts] : {std::pair{&GameSession::Undo, row.undone},
                                           std::pair{&GameSession::Redo, row.redone}}) {
            for (const int count : counts) {
                EXPECT_TRUE((game.*step)());
                EXPECT_EQ(game.History().Count, count);
                EXPECT_TRUE(Shows(game, count - 1));
            }
            EXPECT_FALSE((game.*step)());
        }
    }
}

TEST(Session, HintFindsTheComputersMoveWithoutPlayingIt) {
    GameSession game;
    game.StartUp(0);
    WindowStandIn hooks(game);
    const Board mateInOne =
        FromFen("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4");
    game.StartFrom(mateInOne);
    Play(game, "a2a3");
    EXPECT_TRUE(game.Back());
    const Board before = game.Board();
    ASSERT_TRUE(game.Hint(hooks));
    EXPECT_TRUE(SameMove(game.HintMove(), 7, 3, 5, 1)); // Qxf7#
    EXPECT_EQ(game.Board(), before);
    EXPECT_EQ(std::tie(game.History().Count, game.History().Stored), std::make_tuple(1, 2));
    Play(game, "h5f7"); // a move ends it
    EXPECT_EQ(game.HintMove().X1, NoMove);
    EXPECT_FALSE(game.Hint(hooks)); // the game is over

    // Stopped: no hint, and the computer keeps its side. Move Now: the best found so far.
    game.NewGame(0);
    hooks.During = [&] { game.Stop(); };
    EXPECT_FALSE(game.Hint(hooks));
    EXPECT_TRUE(game.ComputerPlays(Black));
    hooks.During = [&] { game.MoveNow(); };
    EXPECT_TRUE(game.Hint(hooks));
    const Move& first = game.Board().LegalMoves[0];
    EXPECT_TRUE(SameMove(game.HintMove(), first.X1, first.Y1, first.X2, first.Y2));
}

// The king in check is drawn in the window's tests.
TEST(Session, TargetsOfTheSelection) {
    const auto squares = [](std::initializer_list<const char*> names) {
        uint64_t bits = 0;
        for (const char* name : names) bits |= uint64_t{1} << (8 * (name[0] - 'a') + '8' - name[1]);
        return bits;
    };
    GameSession game;
    game.StartFrom(FromFen("4k3/8/8/8/8/8/4r3/R3K2R w KQ - 0 1"));
    Click(game, "e1"); // no castling out of check
    EXPECT_EQ(game.TargetSquares(), squares({"d1", "f1", "e2"}));
    Click(game, "a1");
    EXPECT_EQ(game.TargetSquares(), 0u);
    // The king in check, of either side.
    EXPECT_EQ(game.KingsInCheck(), squares({"e1"}));
    game.StartFrom(FromFen("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1"));
    EXPECT_EQ(game.KingsInCheck(), 0u);
    Play(game, "a1a8");
    EXPECT_EQ(game.KingsInCheck(), squares({"e8"}));
}

TEST(Session, ImportsReplaceTheGameOnlyWhenReadWholeAndItsMovesAreListed) {
    GameSession game;
    game.StartUp(2);
    for (const char* move : {"e2e4", "e7e5"}) Play(game, move);
    const auto before = std::make_unique<History>(game.History());
    EXPECT_EQ(game.PastePgn("1. e4 e5 2. Ke3 *", 0), "Move 2 for White: 'Ke3' is not a legal move");
    EXPECT_NE(game.PasteFen("8/8/8/8/8/8/8/8 w - - 0 1", 0), "");
    EXPECT_TRUE(game.History() == *before);
    const PgnTags tags = game.ExportTags(); // the level in play, not the one asked for since
    EXPECT_EQ(std::tie(tags.White, tags.Black), std::make_tuple("Human", "Brisko Chess (Mean)"));
    EXPECT_EQ(game.Moves(), (std::vector<ListedMove>{{2, 1, true, "e4"}, {3, 1, false, "e5"}}));

    // Black to move from a FEN, and a pawn's move with its choice, are listed as one move each.
    EXPECT_EQ(game.PasteFen("4k3/1P6/8/8/8/8/8/4K3 b - - 0 30", 0), "");
    for (const char* move : {"e8d7", "b7b8"}) Play(game, move);
    EXPECT_EQ(game.Moves().size(), 1u); // the pawn waits for its choice
    EXPECT_TRUE(game.ChoosePromotion(Knight));
    Play(game, "d7d6");
    EXPECT_EQ(game.Moves(),
              (std::vector<ListedMove>{
                  {2, 30, false, "Kd7"}, {4, 31, true, "b8=N+"}, {5, 31, false, "Kd6"}}));
    // A line played again from the start lists its own moves only, though the position after
    // the old line's third move would follow from its second by a move (e4).
    game.NewGame(0);
    for (const char* move : {"e2e4", "e7e5", "g1f3"}) Play(game, move);
    ASSERT_TRUE(game.GoTo(1));
    for (const char* move : {"g1f3", "e7e5"}) Play(game, move);
    EXPECT_EQ(game.Moves().size(), 2u);
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

TEST(Session, EndingASearchPlaysNothingAndOnlyStopFreesBothSides) {
    // How the search is ended, what the turn says, the positions then left and whether the
    // computer still plays its sides.
    const std::tuple<std::function<void(GameSession&)>, T, int, bool> rows[] = {
        {[](GameSession& g) { g.Stop(); }, T::Stopped, 4, false},
        {[](GameSession& g) { g.NewGame(2); }, T::Abandoned, 1, true},
        {[](GameSession& g) { g.Back(); }, T::Abandoned, 3, true},
        {[](GameSession& g) { g.Abandon(); }, T::Abandoned, 4, true}, // closing the window
        {[](GameSession& g) {
             g.Back();
             g.Stop();
         },
         T::Stopped, 3, false},
    };
    for (const auto& row : rows) {
        const auto& act = std::get<0>(row); // clang 14 cannot capture a structured binding
        const auto [_, result, countAfter, plays] = row;
        SCOPED_TRACE(countAfter);
        GameSession game;
        game.StartUp(2);
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) Play(game, move);
        game.SetComputerPlays(White, true);
        WindowStandIn hooks(game);
        hooks.During = [&] {
            EXPECT_EQ(game.Click(4, 6), R::Ignored); // the board waits for the search
            act(game);
            // The abandoned move's time does not lower the depth.
            for (int tick = 0; tick < 70; ++tick) game.MoveTimerTick();
        };
        const uint64_t changes = game.Changes();
        EXPECT_EQ(game.ComputerTurn(hooks), result);
        // What changes the kept game is counted: the step, the new game, the sides let go.
        EXPECT_EQ(game.Changes() > changes, countAfter != 4 || !plays);
        EXPECT_FALSE(hooks.During);
        EXPECT_EQ(game.History().Count, countAfter);
        EXPECT_TRUE(Shows(game, countAfter - 1));
        EXPECT_EQ(game.ComputerPlays(White) && game.ComputerPlays(Black), plays);
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

// A computer move cut short plays the best of the root moves searched whole, else the quick
// scan's best, at once and legally; one that ends within the limit is the move it always was.
TEST(Session, MoveNowAndTheLimitPlayTheBestFoundSoFar) {
    const Board middlegame =
        FromFen("r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 b - - 3 8");
    // How the move is cut short ("now" or "limit"), before which root move of the main search
    // (-1: at the quick scan's first pump), the limit, and how many root moves are searched
    // whole before it (-1: none of the quick scan either).
    const std::tuple<const char*, const char*, int, int64_t, int> rows[] = {
        {"Move Now in the quick scan", "now", -1, 0, -1},
        {"Move Now as the main search begins", "now", 0, 0, 0},
        {"Move Now after three root moves", "now", 3, 0, 3},
        {"the limit after five root moves", "limit", 5, 2000, 5},
        {"the limit in the quick scan", "limit", -1, 1, -1},
        {"a limit not reached", "limit", 5, 3000, 99},
        {"no limit", "limit", 5, 0, 99},
    };
    for (const auto& [why, how, at, limit, whole] : rows) {
        SCOPED_TRACE(why);
        GameSession game;
        game.StartUp(2);
        game.StartFrom(middlegame);
        WindowStandIn hooks(game);
        ChoiceTrace trace;
        game.Opponent().Stop = false;
        ChooseMove(game.Opponent(), middlegame, hooks, &trace);
        // The clock stands still but where the row moves it on by two seconds.
        int64_t now = 1000;
        game.SetClock([&now] { return now; });
        game.SetThinkingLimit(limit);
        const std::string cut = how; // clang 14 cannot capture a structured binding
        const int root = at;
        const auto act = [&] { cut == "now" ? game.MoveNow() : void(now += 2000); };
        if (root < 0) hooks.During = act;
        hooks.AtRootMove = [&, root](int position) {
            if (position == root) act();
        };
        const Move first = game.Board().LegalMoves[0];
        EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
        EXPECT_EQ(game.CutShort(), whole < 99);
        // The first of the best scores among those searched whole, else the quick scan's best.
        Move expected = whole < 0 ? first : trace.Ordered[0];
        if (whole > 0) {
            const size_t n = std::min<size_t>(whole, trace.Scores.size());
            expected =
                trace.Ordered[std::max_element(trace.Scores.begin(), trace.Scores.begin() + n) -
                              trace.Scores.begin()];
        }
        EXPECT_TRUE(SameMove(game.LastMove(), expected.X1, expected.Y1, expected.X2, expected.Y2));
        EXPECT_TRUE(game.ComputerPlays(Black));
    }

    // A piece chosen at once is the queen; a cut-short move as White earns no raise of the
    // depth, however quick.
    GameSession game;
    game.StartUp(1);
    WindowStandIn hooks(game);
    game.SetComputerPlays(White, true);
    game.StartFrom(FromFen("8/1P6/8/8/8/8/5k2/K7 w - - 0 60"));
    ASSERT_EQ(Play(game, "b7b8"), R::PromotionNeeded);
    hooks.During = [&] { game.MoveNow(); };
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.Board().Squares[1][0], Queen);
    EXPECT_EQ(game.DepthBar(), 2);
    game.MoveNow(); // between moves: nothing to cut short
    hooks.During = nullptr;
    game.SetComputerPlays(White, false);
    Play(game, "f2e2");
    EXPECT_EQ(game.ComputerTurn(hooks), T::NotItsTurn);
}

TEST(Session, StatusWhileThinkingAndWhileReviewing) {
    GameSession game;
    game.StartUp(2);
    WindowStandIn hooks(game);
    int64_t now = 0;
    game.SetClock([&now] { return now; });
    Play(game, "e2e4");
    std::vector<StatusTexts> seen;
    hooks.During = [&] {
        now += 2500;
        seen.push_back(game.Status());
    };
    hooks.AtRootMove = [&](int position) {
        if (position == 2) seen.push_back(game.Status());
    };
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].First, "Thinking... 2 s");
    EXPECT_EQ(seen[0].Second, "Quick scan: 1/20");
    EXPECT_EQ(seen[1].Second, "Depth 2: 3/20");
    EXPECT_EQ(game.Status().First, "White to play..."); // the game's own texts come back

    // An earlier position against the computer: it waits, and says how to go back.
    Play(game, "g1f3");
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    // The step, whether the computer then moves, and the second status line.
    const std::tuple<std::function<bool()>, T, const char*> steps[] = {
        {[&] { return game.GoTo(1); }, T::NotItsTurn, "Review: End, Forward"},
        {[&] { return game.Forward(); }, T::NotItsTurn, "Review: End, Forward"},
        {[&] { return game.Redo(); }, T::NotItsTurn, "Review: End, Forward"},
        {[&] { return game.GoTo(game.History().Stored); }, T::NotItsTurn, ""},
        {[&] { return game.Undo(); }, T::NotItsTurn, "Review: End, Forward"},
    };
    for (const auto& row : steps) {
        EXPECT_TRUE(std::get<0>(row)());
        EXPECT_EQ(game.ComputerTurn(hooks), std::get<1>(row));
        EXPECT_EQ(game.Status().Second, std::get<2>(row));
        EXPECT_EQ(game.History().Stored, 5) << "reviewing rewrites nothing";
    }
    EXPECT_FALSE(game.GoTo(0));
    EXPECT_FALSE(game.GoTo(game.History().Stored + 1));
    // A move of the player's own from there replaces the rest, and the computer replies.
    EXPECT_EQ(Play(game, "d2d4"), R::Moved);
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(std::tie(game.History().Count, game.History().Stored), std::make_tuple(5, 5));
    // Between two humans stepping back is as it always was.
    game.SetComputerPlays(Black, false);
    EXPECT_TRUE(game.Back());
    EXPECT_EQ(game.Status().Second, "");
    // A difficulty chosen for the next game says so, until the next game brings it.
    game.ChooseLevel(0);
    EXPECT_EQ(game.Status().Second, "Brisko at New Game");
    game.NewGame(0);
    EXPECT_EQ(game.Status().Second, "");
    game.ChooseLevel(DifficultyCount); // no level: nothing to say
    EXPECT_EQ(game.Status().Second, "");
}

TEST(Session, MovesThatNoFileHoldsAreKnown) {
    const ScratchFolder folder;
    GameSession game;
    game.StartUp(0);
    WindowStandIn hooks(game);
    const std::string path = folder.File("game.bch");
    // The step, and whether moves that no file holds are left after it.
    const std::pair<std::function<void()>, bool> steps[] = {
        {[] {}, false},                                 // a new game
        {[&] { Play(game, "e2e4"); }, true},            // a move
        {[&] { ASSERT_TRUE(game.Save(path)); }, false}, // saved
        {[&] { game.Back(); }, false},                  // stepping changes nothing
        {[&] { game.Forward(); }, false},               //
        {[&] { game.ComputerTurn(hooks); }, true},      // the computer's move
        {[&] { game.Back(); }, true},                   //
        {[&] { ASSERT_TRUE(game.Save(path)); }, true},  // a save up to an earlier position
        {[&] { game.Forward(); }, true},                //
        {[&] { game.Exported(); }, false},              // written out as PGN
        {[&] { ASSERT_EQ(game.PastePgn("1. d4 d5 *", 0), ""); }, true},
        {[&] { ASSERT_TRUE(game.Open(path, 0).Loaded); }, false},
        {[&] { ASSERT_EQ(game.PasteFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0), ""); }, false},
        {[&] { Play(game, "e1e2"); }, true},
        {[&] { ASSERT_EQ(game.Adopt(ReadPgn("1. c4 *"), 0, true), ""); }, false}, // from a file
        {[&] { Play(game, "e7e5"); }, true},
        {[&] { ASSERT_EQ(game.Adopt(ReadPgn("1. c4 *"), 0), ""); }, true}, // from elsewhere
        {[&] { game.NewGame(0); }, false},
    };
    int step = 0;
    for (const auto& [act, unsaved] : steps) {
        act();
        EXPECT_EQ(game.UnsavedMoves(), unsaved) << "step " << step++;
    }
}

TEST(Session, AGameInProgressIsKeptAndResumedWhole) {
    const ScratchFolder folder;
    const std::string kept = folder.File("kept");
    GameSession game;
    game.StartUp(2);
    for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6"}) Play(game, move);
    ASSERT_TRUE(game.Save(folder.File("game.bch")));
    Play(game, "f1c4");
    game.Back();
    game.SetComputerPlays(White, true);
    game.SetDepthBar(6);
    ASSERT_TRUE(game.Keep(kept));

    GameSession again;
    again.StartUp(0);
    ASSERT_TRUE(again.Resume(kept));
    const auto whole = [](const GameSession& g) {
        return std::make_pair(SavedGameText(g.History(), g.History().Stored), g.History().Count);
    };
    EXPECT_EQ(whole(again), whole(game));
    EXPECT_EQ(again.FileName(), game.FileName());
    EXPECT_TRUE(again.ComputerPlays(White) && again.ComputerPlays(Black));
    EXPECT_EQ(std::make_tuple(again.Level(), again.DepthBar(), again.UnsavedMoves()),
              std::make_tuple(2, 6, true));
    EXPECT_EQ(again.Moves(), game.Moves());
    // ... also when a file holds it all.
    game.Forward();
    ASSERT_TRUE(game.Save(folder.File("game.bch")));
    ASSERT_TRUE(game.Keep(kept) && again.Resume(kept));
    EXPECT_FALSE(again.UnsavedMoves());
    // ... and shown at the first position.
    ASSERT_TRUE(game.GoTo(1) && game.Keep(kept) && again.Resume(kept));
    EXPECT_EQ(again.History().Count, 1);

    // Damaged or foreign kept files are passed over, and the game stays as it was.
    const std::string text = ReadBytes(kept);
    const std::string header = text.substr(0, text.find("BQ"));
    const std::pair<std::string, std::string> damaged[] = {
        {"empty", ""},
        {"a saved game", text.substr(header.size())},
        {"shown past the end",
         "Brisko Chess kept game 1\r\nShown 7" + text.substr(text.find("\r\nComputer"))},
        {"shown at 0",
         "Brisko Chess kept game 1\r\nShown 0" + text.substr(text.find("\r\nComputer"))},
        {"a side neither T nor F", header.substr(0, header.find("Computer")) + "Computer X T" +
                                       text.substr(text.find("\r\nLevel"))},
        {"cut in its positions", text.substr(0, text.size() - 20)},
        {"a key missing", header.substr(0, header.find("Depth")) + text.substr(text.find("Saved"))},
        {"a key misspelt",
         header.substr(0, header.find("Level")) + "Levle" + text.substr(text.find("Level") + 5)},
        {"the file's key misspelt",
         header.substr(0, header.find("File")) + "Fiel" + text.substr(text.find("File") + 4)},
        {"a reading that is no number", header.substr(0, header.find("Readings")) + "Readings 1 x" +
                                            text.substr(text.find("\r\nBQ"))},
        {"the clock's line missing",
         header.substr(0, header.find("Clock")) + text.substr(text.find("Readings"))},
    };
    for (const auto& [why, bytes] : damaged) {
        SCOPED_TRACE(why);
        std::ofstream(kept, std::ios::binary) << bytes;
        const auto before = std::make_unique<History>(again.History());
        EXPECT_FALSE(again.Resume(kept));
        EXPECT_TRUE(again.History() == *before);
    }
    EXPECT_FALSE(again.Resume(folder.Path.string())); // a folder

    // A game with no moves, or one that has ended, is not kept: the file goes.
    const std::pair<std::vector<const char*>, bool> games[] = {
        {{}, false}, {{"f2f3", "e7e5", "g2g4", "d8h4"}, false}, {{"d2d4"}, true}};
    for (const auto& [moves, keptAfter] : games) {
        GameSession other;
        for (const char* move : moves) Play(other, move);
        EXPECT_TRUE(other.Keep(kept));
        EXPECT_EQ(std::filesystem::exists(kept), keptAfter);
    }
}

TEST(Session, StandardRulesFromTheNextGame) {
    GameSession game;
    game.StartUp(0);
    game.SetComputerPlays(Black, false);
    const Board castling = FromFen("4k3/8/8/8/8/8/6b1/4K2R w K - 0 1");
    // The rules chosen decide whether O-O across the attacked f1 is offered and played; the
    // status says they wait for the next game.
    for (const Rules rules : {Rules::Brisko, Rules::Standard}) {
        game.ChooseRules(rules);
        EXPECT_EQ(game.Status().Second,
                  rules == Rules::Standard ? "Standard rules at New Game" : "");
        game.StartFrom(castling);
        EXPECT_EQ(game.GameRules(), rules);
        Click(game, "e1");
        EXPECT_EQ(game.TargetSquares() >> (8 * 6 + 7) & 1, rules == Rules::Brisko ? 1u : 0u);
        EXPECT_EQ(Click(game, "g1"), rules == Rules::Brisko ? R::Moved : R::Ignored);
    }
    game.ChooseClock({180000, 2000});
    EXPECT_EQ(game.Status().Second, "3+2 at New Game");
    game.ChooseClock({});
    // Under standard rules the third occurrence draws at once and says so; a step back reopens
    // the game.
    game.NewGame(0);
    for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"})
        ASSERT_EQ(Play(game, move), R::Moved) << move;
    EXPECT_EQ(game.Board().Outcome, Drawn);
    EXPECT_EQ(game.Finished(), Finish::Repetition);
    EXPECT_EQ(game.Status().First, "Draw - threefold repetition");
    EXPECT_TRUE(game.Back());
    EXPECT_EQ(game.Finished(), Finish::None);
    // Bare kings are drawn the moment they are set up.
    game.StartFrom(FromFen("8/8/8/8/8/8/k7/7K w - - 0 1"));
    EXPECT_EQ(game.Status().First, "Draw - insufficient material");
}

// The clocks run on a clock the test moves by hand.
TEST(Session, ClocksFlagsAndTheirReadingsInTheHistory) {
    GameSession game;
    int64_t now = 0;
    game.SetClock([&now] { return now; });
    game.ChooseClock({60000, 2000});
    game.StartUp(0);
    game.SetComputerPlays(Black, false);
    const auto clocks = [&] { return std::make_pair(game.ClockMs(White), game.ClockMs(Black)); };
    EXPECT_EQ(game.ClockSide(), White);
    // Each step: how long the side to move thinks, its move, and both clocks after it.
    const std::tuple<int64_t, const char*, int64_t, int64_t> moves[] = {
        {5000, "e2e4", 57000, 60000},  // 60 - 5 + 2
        {1000, "e7e5", 57000, 61000},  // 60 - 1 + 2
        {10000, "g1f3", 49000, 61000}, // 57 - 10 + 2
    };
    for (const auto& [think, move, white, black] : moves) {
        now += think;
        ASSERT_EQ(Play(game, move), R::Moved);
        EXPECT_EQ(clocks(), std::make_pair(white, black)) << move;
    }
    now += 3000; // Black's clock runs
    EXPECT_EQ(clocks(), std::make_pair(int64_t{49000}, int64_t{58000}));
    // Back and review show each position's readings, and stand still meanwhile.
    EXPECT_TRUE(game.Back());
    EXPECT_EQ(game.ClockSide(), 0);
    EXPECT_EQ(clocks(), std::make_pair(int64_t{57000}, int64_t{61000}));
    now += 20000;
    EXPECT_EQ(clocks(), std::make_pair(int64_t{57000}, int64_t{61000}));
    EXPECT_TRUE(game.Forward()); // the turn goes on from where it stood
    EXPECT_EQ(clocks(), std::make_pair(int64_t{49000}, int64_t{58000}));
    // A move from an earlier position goes on from that position's readings.
    EXPECT_TRUE(game.GoTo(2));
    ASSERT_EQ(Play(game, "c7c5"), R::Moved);
    EXPECT_EQ(clocks(), std::make_pair(int64_t{57000}, int64_t{62000}));
    // The kept game keeps the rules, the clock and every reading.
    const ScratchFolder folder;
    ASSERT_TRUE(game.Keep(folder.File("kept")));
    GameSession again;
    again.SetClock([&now] { return now; });
    ASSERT_TRUE(again.Resume(folder.File("kept")));
    EXPECT_EQ(again.GameClock(), game.GameClock());
    for (const int count : {2, 3}) {
        ASSERT_TRUE(again.GoTo(count) && game.GoTo(count));
        EXPECT_EQ(std::make_pair(again.ClockMs(White), again.ClockMs(Black)), clocks());
    }
    // White's flag falls: Black wins on time, and says so.
    now += 56999;
    EXPECT_FALSE(game.ClockTick());
    now += 1;
    EXPECT_TRUE(game.ClockTick());
    EXPECT_EQ(game.Board().Outcome, BlackWon);
    EXPECT_EQ(game.Status().First, "Black Wins!!");
    EXPECT_EQ(game.Status().Second, "White's time is up");
    EXPECT_EQ(clocks(), std::make_pair(int64_t{0}, int64_t{62000}));
    // Exported with the time control, each mover's reading and how it ended; pasted back, the
    // game goes on under its own time control from those readings.
    const PgnTags tags = game.ExportTags();
    EXPECT_EQ(std::tie(tags.TimeControl, tags.Termination),
              std::make_tuple("60+2", "time forfeit"));
    const PgnText pgn = WritePgn(game.History(), tags);
    EXPECT_NE(pgn.Text.find("1. e4 {[%clk 0:00:57]} 1... c5 {[%clk 0:01:02]} 0-1"),
              std::string::npos)
        << pgn.Text;
    GameSession pasted;
    pasted.SetClock([&now] { return now; });
    ASSERT_EQ(pasted.PastePgn(pgn.Text, 0), "");
    EXPECT_EQ(pasted.GameClock(), (TimeControl{60000, 2000}));
    const std::pair<int64_t, int64_t> readings[] = {{60000, 60000}, {57000, 60000}, {57000, 62000}};
    for (int count = 1; count <= 3; ++count) {
        ASSERT_TRUE(pasted.GoTo(count));
        EXPECT_EQ(std::make_pair(pasted.ClockMs(White), pasted.ClockMs(Black)),
                  readings[count - 1]);
    }
    EXPECT_EQ(pasted.ExportTags().Termination, "unterminated");

    // The computer plays to the clock: its time plan, not the depth adaptation, decides.
    game.NewGame(2);
    game.SetComputerPlays(White, true);
    WindowStandIn hooks(game);
    hooks.During = [&] {
        EXPECT_TRUE(game.Thinking());
        for (int tick = 0; tick < 70; ++tick) game.MoveTimerTick();
        now += 700;
    };
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.DepthBar(), 3);
    EXPECT_EQ(game.ClockMs(White), 60000 - 700 + 2000);

    // A flag falling where the other side could never mate is a draw.
    game.StartFrom(FromFen("8/8/4k3/8/8/4K3/4P3/8 w - - 0 60"));
    now += 60000;
    EXPECT_TRUE(game.ClockTick());
    EXPECT_EQ(game.Board().Outcome, Drawn);
    EXPECT_EQ(game.Status().Second, "Black cannot mate");
}

TEST(Session, ResignationAndDrawOffers) {
    GameSession game;
    game.StartUp(0);
    WindowStandIn hooks(game);
    const auto never = [] {
        ADD_FAILURE() << "no human to ask";
        return false;
    };
    // Before move 20 the computer declines, and the status says so until the next move.
    Play(game, "e2e4");
    EXPECT_EQ(game.OfferDraw(hooks, never), DrawReply::NotNow); // the computer has the move
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.OfferDraw(hooks, never), DrawReply::Declined);
    EXPECT_EQ(game.Status().Second, "Draw declined");
    Play(game, "d2d4");
    EXPECT_EQ(game.Status().Second, "");

    // Past move 20 the computer's own score decides: level or worse for it, it takes the draw.
    const std::tuple<const char*, DrawReply> offers[] = {
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 30", DrawReply::Accepted}, // a rook down for the computer
        {"4k2r/8/8/8/8/8/8/4K3 w - - 0 30", DrawReply::Declined}, // a rook up for it
        {"4k3/pppp4/8/8/8/8/PPPP4/4K3 w - - 0 30", DrawReply::Accepted},
        {"4k3/pppp4/8/8/8/8/PPPP4/4K3 w - - 0 20", DrawReply::Declined}, // too early
    };
    for (const auto& [fen, reply] : offers) {
        game.StartFrom(FromFen(fen));
        EXPECT_EQ(game.OfferDraw(hooks, never), reply) << fen;
        EXPECT_EQ(game.Board().Outcome, reply == DrawReply::Accepted ? Drawn : InProgress);
    }

    // Between two humans the other is asked.
    game.SetComputerPlays(Black, false);
    for (const bool yes : {false, true}) {
        game.NewGame(0);
        EXPECT_EQ(game.OfferDraw(hooks, [yes] { return yes; }),
                  yes ? DrawReply::Accepted : DrawReply::Declined);
    }
    EXPECT_EQ(game.Status().First, "Draw agreed");
    EXPECT_EQ(game.Finished(), Finish::Agreed);
    EXPECT_FALSE(game.Resign()); // over already
    game.NewGame(0);
    Play(game, "e2e4");
    EXPECT_TRUE(game.Resign());
    EXPECT_EQ(game.Board().Outcome, WhiteWon);
    EXPECT_EQ(game.Status().Second, "Black resigns");
    EXPECT_EQ(game.Click(4, 1), R::Ignored);
}

TEST(Session, StrongLevelsPlayUnderTheSameControls) {
    // Cunning: the lowest level whose nodes reach the player's first pump (every 1024 nodes).
    const int sly = LevelCount, cunning = sly + 1, fiendish = DifficultyCount - 1;
    // The level, what happens at the first pump, the turn's result, whether it was cut short
    // and whether the computer still plays Black.
    const std::tuple<const char*, int, std::function<void(GameSession&, int64_t&)>, T, bool, bool>
        rows[] = {
            {"left alone", cunning, [](GameSession&, int64_t&) {}, T::Played, false, true},
            {"Move Now", fiendish, [](GameSession& g, int64_t&) { g.MoveNow(); }, T::Played, true,
             true},
            {"the limit", fiendish, [](GameSession&, int64_t& now) { now += 20000; }, T::Played,
             true, true},
            {"Stop", fiendish, [](GameSession& g, int64_t&) { g.Stop(); }, T::Stopped, false,
             false},
            {"New Game", fiendish, [](GameSession& g, int64_t&) { g.NewGame(-1); }, T::Abandoned,
             false, true},
        };
    for (const auto& row : rows) {
        const auto& act = std::get<2>(row); // clang 14 cannot capture a structured binding
        const auto [why, level, _, result, cut, plays] = row;
        SCOPED_TRACE(why);
        GameSession game;
        game.StartUp(level);
        EXPECT_EQ(game.StrongThinks(), true);
        int64_t now = 1000;
        game.SetClock([&now] { return now; });
        game.SetThinkingLimit(10000);
        Play(game, "e2e4");
        const Board before = game.Board();
        WindowStandIn hooks(game);
        hooks.During = [&] {
            EXPECT_EQ(game.Status().First, "Thinking... 0 s");
            EXPECT_EQ(game.Status().Second.value_or("").rfind("Depth ", 0), 0u);
            act(game, now);
        };
        EXPECT_EQ(game.ComputerTurn(hooks), result);
        EXPECT_FALSE(hooks.During) << "the player never let the events run";
        EXPECT_EQ(game.ComputerPlays(Black), plays);
        if (result != T::Played) continue;
        EXPECT_EQ(game.CutShort(), cut);
        const Move& m = game.LastMove();
        EXPECT_TRUE(std::any_of(before.LegalMoves, before.LegalMoves + before.LegalCount,
                                [&](const Move& l) { return SameMove(m, l.X1, l.Y1, l.X2, l.Y2); }))
            << "a legal move";
        EXPECT_EQ(game.Board().ToPlay, White);
    }

    // A pawn's promotion comes with its piece; a hint is the level's own; a draw offer is
    // judged by the level's score.
    GameSession game;
    game.StartUp(sly);
    EXPECT_STREQ(DifficultyName(sly), "Sly");
    EXPECT_GT(DifficultyElo(sly), DifficultyElo(LevelCount - 1));
    WindowStandIn hooks(game);
    game.SetComputerPlays(White, true);
    game.StartFrom(FromFen("8/1P6/8/8/8/8/5k2/K7 w - - 0 60"));
    EXPECT_EQ(game.ComputerTurn(hooks), T::Played);
    EXPECT_EQ(game.Board().Squares[1][0], Queen);
    EXPECT_EQ(game.Board().ToPlay, Black);
    game.SetComputerPlays(White, false);
    game.StartFrom(FromFen("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4"));
    ASSERT_TRUE(game.Hint(hooks));
    EXPECT_TRUE(SameMove(game.HintMove(), 7, 3, 5, 1)); // Qxf7#
    const auto never = [] { return false; };
    game.StartFrom(FromFen("4k3/8/8/8/8/8/8/4K2R w - - 0 30"));
    EXPECT_EQ(game.OfferDraw(hooks, never), DrawReply::Accepted); // a rook down for it
    game.StartFrom(FromFen("4k2r/8/8/8/8/8/8/4K3 w - - 0 30"));
    EXPECT_EQ(game.OfferDraw(hooks, never), DrawReply::Declined);
}

TEST(Session, ClockTextsAndTimeControls) {
    const std::pair<int64_t, const char*> rows[] = {
        {0, "0.0"},      {-5, "0.0"},     {9999, "9.9"},     {10000, "0:10"},
        {59999, "0:59"}, {60000, "1:00"}, {5400000, "90:00"}};
    for (const auto& [ms, text] : rows) EXPECT_EQ(ClockText(ms), text);
    // Time controls as the command line and the settings write them.
    const std::pair<const char*, int64_t> controls[] = {{"5+3", 300000}, {"600+600", 36000000},
                                                        {"0+5", -1},     {"601+0", -1},
                                                        {"5+601", -1},   {"5", -1},
                                                        {"+3", -1},      {"5+x", -1}};
    for (const auto& [text, base] : controls) {
        TimeControl clock{-1, -1};
        EXPECT_EQ(ReadTimeControl(text, clock), base > 0) << text;
        EXPECT_EQ(clock.BaseMs, base) << text;
        if (base > 0) {
            EXPECT_EQ(TimeControlText(clock), text);
        }
    }
}

} // namespace
