// Feeds arbitrary bytes to the saved-game reader. A refused load must leave the game as it
// was; a load must leave only positions a game can reach, which save and read back alike, and
// whose every move and a shallow search keep the board whole.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>

#include "engine/Boardu.h"
#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"
#include "engine/Validu.h"
#include "opponent/Search.h"
#include "savegame/Savegameu.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// One king a side, and material in step with the squares.
void RequireWhole(const Board& b) {
    int kings[2] = {0, 0};
    for (const auto& file : b.Squares) {
        for (int code : file) {
            Require(code >= -Queen && code <= Queen);
            if (code == King || code == -King) kings[code < 0] += 1;
        }
    }
    Require(kings[0] == 1 && kings[1] == 1);
    Require(b.Material == CountMaterial(b));
}

void RequirePlayable(const Board& b) {
    RequireWhole(b);
    std::string reason;
    Require(IsReachable(b, reason));
    Require(b.Bored50 >= 0 && b.Bored50 <= FiftyMoveLimit);
    for (int count : {b.Repetition1, b.Repetition2})
        Require(count >= 0 && count <= RepetitionLimit + 1);
    Require(b.ep1 >= -1 && b.ep1 <= 7 && b.ep2 >= -1 && b.ep2 <= 7);
    Require(b.Outcome >= InProgress && b.Outcome <= Drawn);
}

// Plays every legal move of `board`, and every promotion choice that follows, on copies.
void PlayEveryMove(Board& board, int depth) {
    FindLegalMoves(board);
    // A full list may have dropped moves.
    Require(board.LegalCount < MaxLegalMoves);
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move m = board.LegalMoves[i];
        Board after = board;
        Require(MakeMove(after, m.X1, m.Y1, m.X2, m.Y2));
        RequireWhole(after);
        if (after.ToPlay > Black && depth > 0) PlayEveryMove(after, depth - 1);
    }
}

History game;
History again;
Board live;
Board liveBefore;
Opponent opponent{};
OpponentHooks hooks;

// The game the window holds before a load: two moves into a new game.
void StartGame() {
    SetUpBoard(live);
    ResetHistory(game);
    PushHistory(game, live);
    GameMove(live, game, 4, 6, 4, 4);
    GameMove(live, game, 4, 1, 4, 3);
    liveBefore = live;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (StartGame(), true);
    (void)started;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const LoadResult result = ReadGame(in, game, live);
    if (!result.Loaded) {
        Require(!result.Message.empty());
        Require(game.Count == 3 && game.Stored == 3);
        Require(std::memcmp(&live, &liveBefore, sizeof live) == 0);
        return 0;
    }

    Require(game.Count >= 1 && game.Count <= HistorySize && game.Stored == game.Count);
    for (int i = 0; i < game.Count; ++i) RequirePlayable(game.Snapshots[i]);
    RequirePlayable(live);
    // A game in progress always offers the computer a move to choose.
    if (live.Outcome == InProgress) Require(live.LegalCount > 0);

    std::istringstream saved(SavedGameText(game));
    Board shown{};
    const LoadResult reread = ReadGame(saved, again, shown);
    Require(reread.Loaded && reread.Message.empty() && again.Count == game.Count);
    // The text holds every field a saved game carries; the rest is worked out from them.
    Require(SavedGameText(again) == SavedGameText(game));

    PlayEveryMove(live, 1);
    opponent.CaptureStep = 0.5f;
    if (live.Outcome == InProgress)
        Require(Search(opponent, true, -SearchInfinity, SearchInfinity, live, 1.0f, hooks) !=
                StoppedScore);

    StartGame();
    return 0;
}
