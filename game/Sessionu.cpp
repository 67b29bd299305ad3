#include "game/Sessionu.h"

#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"
#include "opponent/Choosemove.h"

namespace {

// The side whose turn it is, a promotion choice counting as its own side's turn.
int SideToAct(const Board& board) {
    return board.ToPlay == White || board.ToPlay == WhiteChooses ? White : Black;
}

bool ChoiceDue(const Board& board) {
    return board.ToPlay == WhiteChooses || board.ToPlay == BlackChooses;
}

} // namespace

GameSession::GameSession()
    : Positions(std::make_unique<::History>()), Computer(std::make_unique<::Opponent>()) {
    SetUpBoard(Live);
    Restart();
}

GameSession::~GameSession() = default;

void GameSession::SetComputerPlays(int side, bool plays) {
    (side == White ? PlaysWhite : PlaysBlack) = plays;
}

void GameSession::Restart() {
    FindLegalMoves(Live);
    ResetHistory(*Positions);
    PushHistory(*Positions, Live);
    ClearSelection();
    Last = {NoMove, NoMove, NoMove, NoMove};
    File.clear();
}

void GameSession::NewGame(int level) {
    Stop();
    SetUpBoard(Live);
    Restart();
    // The difficulty takes effect only here.
    ApplyLevel(*Computer, level, Depth);
    LoadOpenings(Computer->Book, Book);
}

void GameSession::StartUp(int level) {
    NewGame(level);
    ReadyOpponent(*Computer);
}

void GameSession::StartFrom(const ::Board& position) {
    Stop();
    Live = position;
    Restart();
}

ClickResult GameSession::Click(int file, int row) {
    // The live board must not change under the computer's search.
    if (Busy || Live.Outcome != InProgress || !OnBoard(file, row)) return ClickResult::Ignored;
    const int piece = Live.Squares[file][row];
    const bool own = (Live.ToPlay == White && piece > 0) || (Live.ToPlay == Black && piece < 0);
    const bool selected = file == SelX && row == SelY;
    if (own && !selected) {
        SelX = file;
        SelY = row;
        return ClickResult::Selected;
    }
    if (SelX < 0) return ClickResult::Ignored;
    if (selected) {
        ClearSelection();
        return ClickResult::Deselected;
    }
    if (!IsLegal(Live, SelX, SelY, file, row)) return ClickResult::Ignored;
    if (!GameMove(Live, *Positions, SelX, SelY, file, row)) return ClickResult::Ignored;
    FindLegalMoves(Live);
    Last = {SelX, SelY, file, row};
    ClearSelection();
    return ChoiceDue(Live) ? ClickResult::PromotionNeeded : ClickResult::Moved;
}

bool GameSession::HumanMustChoose() const {
    // A box unticked while the computer works out its own choice must not let a human choose
    // on the board under it. A game that ended with the pawn's move (in the history's last
    // place) takes no choice: the chooser would open again and again.
    return !Busy && Live.Outcome == InProgress && ChoiceDue(Live) &&
           !ComputerPlays(SideToAct(Live)) && WaitingPawnFile(Live) >= 0;
}

bool GameSession::ChoosePromotion(int piece) {
    const int file = WaitingPawnFile(Live);
    if (Busy || file < 0) return false;
    const int row = Live.ToPlay == WhiteChooses ? 0 : 7;
    if (!GameMove(Live, *Positions, PromotionChoice, piece, file, row)) return false;
    FindLegalMoves(Live);
    return true;
}

bool GameSession::Back() {
    if (Positions->Count <= 1) return false;
    Stop();
    StepBack(*Positions, Live);
    FindLegalMoves(Live);
    ClearSelection();
    return true;
}

bool GameSession::Forward() {
    if (Positions->Count >= Positions->Stored) return false;
    Stop();
    StepForward(*Positions, Live);
    FindLegalMoves(Live);
    ClearSelection();
    return true;
}

bool GameSession::GoTo(int count) {
    if (count < 1 || count > Positions->Stored) return false;
    while (count < Positions->Count && Back()) {
    }
    while (count > Positions->Count && Forward()) {
    }
    return true;
}

void GameSession::Stop() {
    Computer->Stop = true;
}

TurnResult GameSession::ComputerTurn(OpponentHooks& hooks) {
    // A tick delivered inside the search must not start a second move.
    if (Busy) return TurnResult::NotItsTurn;
    // A Stop pressed between moves is forgotten.
    Computer->Stop = false;
    if (Live.Outcome != InProgress || !ComputerPlays(SideToAct(Live)))
        return TurnResult::NotItsTurn;
    // A promotion choice, which follows the pawn's move, adds an empty line instead.
    if (ChoiceDue(Live))
        hooks.AddConsideredLine("");
    else
        hooks.ClearConsidered();
    // Only the computer's White moves are timed and adapt the depth.
    const bool timed = AdaptsDepth(Live.ToPlay);
    if (timed) BeginThinking(*Computer, hooks);
    Busy = true;
    const ::Board position = Live;
    const Move move = ChooseMove(*Computer, position, hooks);
    Busy = false;
    if (timed) EndThinking(hooks);

    if (Computer->Stop) {
        // "Stop", a new game, a step or closing the window: no move, and the computer plays
        // no side until it is asked to again.
        PlaysWhite = PlaysBlack = false;
        return TurnResult::Stopped;
    }
    if (move.X1 == NoMove || !GameMove(Live, *Positions, move.X1, move.Y1, move.X2, move.Y2))
        return TurnResult::NoMove;
    FindLegalMoves(Live);
    Last = move;
    if (timed) RaiseAfterMove(*Computer, Depth);
    return TurnResult::Played;
}

void GameSession::MoveTimerTick() {
    // A move being abandoned no longer counts its time; a tick while it unwinds must not lower
    // the depth that a new game has just set.
    if (Computer->Stop) return;
    ::MoveTimerTick(*Computer, Depth);
}

LoadResult GameSession::Open(const std::string& path, int level) {
    // Read aside first: a refused file leaves the game as it was.
    auto loaded = std::make_unique<::History>();
    ::Board shown{};
    LoadResult result = LoadGame(path, *loaded, shown);
    if (!result.Loaded) return result;
    NewGame(level);
    Positions = std::move(loaded);
    Live = shown;
    // Only a file read whole becomes the one Save writes to: saving what was kept of a damaged
    // file asks for a name rather than replace the rest of it unseen.
    if (result.Message.empty()) File = path;
    return result;
}

bool GameSession::Save(const std::string& path) {
    if (!SaveGame(path, *Positions)) return false;
    File = path;
    return true;
}

StatusTexts GameSession::Status() const {
    switch (Live.Outcome) {
    case WhiteWon:
        return {"White Wins!!", "Checkmate!"};
    case BlackWon:
        return {"Black Wins!!", "Checkmate!"};
    case Drawn: {
        const bool repeated =
            Live.Repetition1 > RepetitionLimit || Live.Repetition2 > RepetitionLimit;
        if (repeated) return {"Stalemate - 3 move repetition", std::nullopt};
        if (Live.Bored50 >= FiftyMoveLimit) return {"Stalemate - 50 move rule", std::nullopt};
        return {"Stalemate!!", std::nullopt};
    }
    case InProgress: {
        const bool check = Live.CheckStatus == Live.ToPlay || Live.CheckStatus == BothInCheck;
        const char* first = Live.ToPlay == White   ? "White to play..."
                            : Live.ToPlay == Black ? "Black to play..."
                                                   : "";
        return {first, check ? "Check" : ""};
    }
    default:
        return {"", std::nullopt};
    }
}
