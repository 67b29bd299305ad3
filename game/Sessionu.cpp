#include "game/Sessionu.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"
#include "game/Keptgameu.h"
#include "notation/Fen.h"
#include "textfile/Safefileu.h"

namespace {

// The side whose turn it is, a promotion choice counting as its own side's turn.
int SideToAct(const Board& board) {
    return board.ToPlay == White || board.ToPlay == WhiteChooses ? White : Black;
}

bool ChoiceDue(const Board& board) {
    return board.ToPlay == WhiteChooses || board.ToPlay == BlackChooses;
}

int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The front end's hooks, passed through, with the thinking limit watched at the event pumps.
class LimitedHooks : public OpponentHooks {
  public:
    LimitedHooks(OpponentHooks& inner, std::function<void()> reached, int64_t deadline,
                 const std::function<int64_t()>& clock)
        : Inner(inner), Reached(std::move(reached)), Deadline(deadline), Clock(clock) {}
    ~LimitedHooks() override { Inner.SearchCalls += SearchCalls; }

    void ProcessEvents() override {
        // The clock costs about a search node: read at every 256th pump only.
        if (++Calls % 256 == 0) Watch();
        Inner.ProcessEvents();
    }
    void SetProgressRange(int minimum, int maximum) override {
        Inner.SetProgressRange(minimum, maximum);
    }
    // Also looked at before every root move, so that one begun past the limit is not searched.
    void SetProgressPosition(int position) override {
        Inner.SetProgressPosition(position);
        Watch();
    }
    void ClearConsidered() override { Inner.ClearConsidered(); }
    void AddConsideredLine(const std::string& line) override { Inner.AddConsideredLine(line); }
    void RepaintConsidered() override { Inner.RepaintConsidered(); }
    void ShowMessage(const std::string& text) override { Inner.ShowMessage(text); }
    int DepthBarPosition() override { return Inner.DepthBarPosition(); }
    void SetMoveTimer(bool running) override { Inner.SetMoveTimer(running); }
    void SeedRandom() override { Inner.SeedRandom(); }
    int Random() override { return Inner.Random(); }

  private:
    void Watch() {
        if (Deadline > 0 && Clock() >= Deadline) {
            Deadline = 0;
            Reached();
        }
    }

    OpponentHooks& Inner;
    std::function<void()> Reached;
    int64_t Deadline; // 0 once reached, or with no limit
    const std::function<int64_t()>& Clock;
    unsigned Calls = 0;
};

} // namespace

GameSession::GameSession()
    : Positions(std::make_unique<::History>()), Computer(std::make_unique<::Opponent>()),
      Clock(SteadyMs) {
    SetUpBoard(Live);
    Restart();
}

GameSession::~GameSession() = default;

void GameSession::SetComputerPlays(int side, bool plays) {
    (side == White ? PlaysWhite : PlaysBlack) = plays;
    ++Changed;
}

void GameSession::Restart() {
    FindLegalMoves(Live);
    ResetHistory(*Positions);
    PushHistory(*Positions, Live);
    ClearSelection();
    ForgetHint();
    Last = {NoMove, NoMove, NoMove, NoMove};
    File.clear();
    GameChanged();
}

void GameSession::NewGame(int level) {
    Abandon();
    SetUpBoard(Live);
    Restart();
    // The difficulty takes effect only here.
    if (ApplyLevel(*Computer, level, Depth)) LevelItem = level;
    LoadOpenings(Computer->Book, Book);
    // Nothing to lose yet.
    SavedAt = Revision;
}

void GameSession::StartUp(int level) {
    NewGame(level);
    ReadyOpponent(*Computer);
}

void GameSession::StartFrom(const ::Board& position) {
    Abandon();
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
    GameChanged();
    FindLegalMoves(Live);
    Last = {SelX, SelY, file, row};
    ClearSelection();
    ForgetHint();
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
    GameChanged();
    FindLegalMoves(Live);
    ForgetHint();
    return true;
}

bool GameSession::Back() {
    if (Positions->Count <= 1) return false;
    Abandon();
    ++Changed;
    StepBack(*Positions, Live);
    FindLegalMoves(Live);
    ClearSelection();
    ForgetHint();
    return true;
}

bool GameSession::Forward() {
    if (Positions->Count >= Positions->Stored) return false;
    Abandon();
    ++Changed;
    StepForward(*Positions, Live);
    FindLegalMoves(Live);
    ClearSelection();
    ForgetHint();
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

bool GameSession::HumanTurnAt(int index) const {
    const ::Board& position = Positions->Snapshots[index];
    if (position.Outcome != InProgress) return true;
    return !ChoiceDue(position) && !ComputerPlays(position.ToPlay);
}

int GameSession::UndoTarget() const {
    if (Busy) return 0;
    for (int count = Positions->Count - 1; count >= 1; --count)
        if (HumanTurnAt(count - 1)) return count;
    return 0;
}

int GameSession::RedoTarget() const {
    if (Busy) return 0;
    for (int count = Positions->Count + 1; count <= Positions->Stored; ++count)
        if (HumanTurnAt(count - 1)) return count;
    return 0;
}

bool GameSession::HumanToMove() const {
    return !Busy && Live.Outcome == InProgress && !ChoiceDue(Live) && !ComputerPlays(Live.ToPlay);
}

bool GameSession::ComputerToMove() const {
    // Reviewing the game must never rewrite it: the computer waits at an earlier position.
    return !Busy && Live.Outcome == InProgress && ComputerPlays(SideToAct(Live)) && !Reviewing();
}

bool GameSession::Think(const ::Board& position, OpponentHooks& hooks, Move& move) {
    Computer->Stop = false;
    Pending = Cut::None;
    ThinkingSince = Clock();
    Busy = true;
    {
        LimitedHooks limited(
            hooks, [this] { Ask(Cut::MoveNow); }, LimitMs > 0 ? ThinkingSince + LimitMs : 0, Clock);
        move = ChooseMove(*Computer, position, limited, nullptr, &Choice);
        if (Pending == Cut::MoveNow) move = BestSoFar(Choice, limited);
    }
    Busy = false;
    return !Computer->Stop || Pending == Cut::MoveNow;
}

bool GameSession::Hint(OpponentHooks& hooks) {
    if (!HumanToMove()) return false;
    hooks.ClearConsidered();
    const ::Board position = Live;
    Move move;
    const bool played = Think(position, hooks, move);
    // Stopped, or the game moved on meanwhile (a step, a new game): the move is for no position
    // shown.
    if (!played || move.X1 == NoMove || !(position == Live)) return false;
    Hinted = move;
    return true;
}

uint64_t GameSession::TargetSquares() const {
    uint64_t squares = 0;
    if (SelX < 0) return squares;
    for (int i = 0; i < Live.LegalCount; ++i) {
        const Move& m = Live.LegalMoves[i];
        if (m.X1 == SelX && m.Y1 == SelY) squares |= uint64_t{1} << (8 * m.X2 + m.Y2);
    }
    return squares;
}

uint64_t GameSession::KingsInCheck() const {
    uint64_t squares = 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int piece = Live.Squares[x][y];
            const int side = piece == King ? White : piece == -King ? Black : 0;
            if (side && (Live.CheckStatus == side || Live.CheckStatus == BothInCheck))
                squares |= uint64_t{1} << (8 * x + y);
        }
    return squares;
}

void GameSession::Ask(Cut why) {
    Computer->Stop = true;
    if (why > Pending) Pending = why;
}

void GameSession::Stop() {
    Ask(Cut::Stopped);
}

void GameSession::MoveNow() {
    if (Busy) Ask(Cut::MoveNow);
}

TurnResult GameSession::ComputerTurn(OpponentHooks& hooks) {
    // A tick delivered inside the search must not start a second move.
    if (Busy) return TurnResult::NotItsTurn;
    // A Stop pressed between moves is forgotten.
    Computer->Stop = false;
    if (!ComputerToMove()) return TurnResult::NotItsTurn;
    // A promotion choice, which follows the pawn's move, adds an empty line instead.
    if (ChoiceDue(Live))
        hooks.AddConsideredLine("");
    else
        hooks.ClearConsidered();
    // Only the computer's White moves are timed and adapt the depth.
    const bool timed = AdaptsDepth(Live.ToPlay);
    if (timed) BeginThinking(*Computer, hooks);
    const ::Board position = Live;
    Move move;
    const bool play = Think(position, hooks, move);
    if (timed) EndThinking(hooks);

    if (!play && Pending == Cut::Stopped) {
        // "Stop": no move, and the computer plays no side until it is asked to again.
        PlaysWhite = PlaysBlack = false;
        ++Changed;
        return TurnResult::Stopped;
    }
    // A new game, a step or closing the window: the position is no longer the one searched.
    if (!play) return TurnResult::Abandoned;
    if (move.X1 == NoMove || !GameMove(Live, *Positions, move.X1, move.Y1, move.X2, move.Y2))
        return TurnResult::NoMove;
    GameChanged();
    FindLegalMoves(Live);
    Last = move;
    ForgetHint();
    WasCut = Computer->Stop;
    // A move cut short gets no raise, as a stopped one: it was not quick.
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
    Replace(std::move(loaded), shown, level);
    // Only a file read whole becomes the one Save writes to: saving what was kept of a damaged
    // file asks for a name rather than replace the rest of it unseen.
    if (result.Message.empty()) {
        File = path;
        SavedShown();
    }
    return result;
}

void GameSession::Replace(std::unique_ptr<::History> positions, const ::Board& shown, int level) {
    NewGame(level);
    Positions = std::move(positions);
    Live = shown;
    FindLegalMoves(Live);
    GameChanged();
}

std::string GameSession::Adopt(PgnGame game, int level) {
    if (!game.Imported) return game.Message;
    const ::Board shown = game.Game->Snapshots[game.Game->Count - 1];
    Replace(std::move(game.Game), shown, level);
    return "";
}

std::string GameSession::ImportPgn(const std::string& path, int level) {
    const std::string message = Adopt(::ImportPgn(path), level);
    // The file holds the game.
    if (message.empty()) SavedShown();
    return message;
}

std::string GameSession::PastePgn(std::string_view text, int level) {
    return Adopt(ReadPgn(text), level);
}

std::string GameSession::PasteFen(std::string_view fen, int level) {
    PgnGame game;
    game.Game = std::make_unique<::History>();
    ::Board board{};
    game.Imported = StartGame(fen, *game.Game, board, game.Message);
    return Adopt(std::move(game), level);
}

PgnTags GameSession::ExportTags() const {
    PgnTags tags;
    tags.Date = PgnDate(std::time(nullptr));
    tags.White = PgnPlayer(PlaysWhite, Levels[LevelItem].Label);
    tags.Black = PgnPlayer(PlaysBlack, Levels[LevelItem].Label);
    return tags;
}

const std::vector<ListedMove>& GameSession::Moves() const {
    if (!ListedStale) return Listed;
    ListedStale = false;
    Listed.clear();
    const ::History& game = *Positions;
    const int stored = std::min(game.Stored, HistorySize);
    if (stored < 2) return Listed;
    // A choice cannot be listed without its pawn's move, nor a pawn's move without its choice.
    const int first = ChoiceDue(game.Snapshots[0]) ? 1 : 0;
    const int last = stored - 1 - (ChoiceDue(game.Snapshots[stored - 1]) ? 1 : 0);
    std::vector<HistoryMove> moves;
    // A hand-made saved game is listed up to its first step that no legal move makes.
    FindMoves(game, first, last, moves);
    for (const HistoryMove& m : moves)
        Listed.push_back({m.End + 1, FullMoveNumber(game, m.Start),
                          game.Snapshots[m.Start].ToPlay == White,
                          SanText(game.Snapshots[m.Start], m.Move)});
    return Listed;
}

bool GameSession::Save(const std::string& path) {
    if (!SaveGame(path, *Positions)) return false;
    File = path;
    SavedShown();
    return true;
}

void GameSession::Exported() {
    SavedShown();
}

bool GameSession::UnsavedMoves() const {
    return Positions->Stored > 1 && SavedAt != Revision;
}

bool GameSession::WorthKeeping() const {
    return Positions->Stored > 1 &&
           Positions->Snapshots[Positions->Stored - 1].Outcome == InProgress;
}

bool GameSession::Keep(const std::string& path) const {
    if (!WorthKeeping()) return std::remove(path.c_str()) == 0 || errno == ENOENT;
    const KeptSettings about{PlaysWhite, PlaysBlack, LevelItem, Depth, !UnsavedMoves(), File};
    return ReplaceFile(path, KeptGameText(*Positions, about));
}

bool GameSession::Resume(const std::string& path) {
    std::string text;
    KeptGame kept;
    // Anything that is not a kept game read whole is passed over; the game stays as it was.
    if (ReadRegularFile(path, MaxSavedGameSize + 4096, text) != FileRead::Read ||
        !ReadKeptGame(text, kept))
        return false;
    const ::Board shown = kept.Positions->Snapshots[kept.Positions->Count - 1];
    const KeptSettings& about = kept.About;
    Replace(std::move(kept.Positions), shown, about.Level);
    SetDepthBar(about.DepthBar);
    PlaysWhite = about.PlaysWhite;
    PlaysBlack = about.PlaysBlack;
    File = about.File;
    if (about.Saved) SavedAt = Revision;
    return true;
}

StatusTexts GameSession::Status() const {
    if (Busy) {
        const std::string first =
            "Thinking... " + std::to_string(std::max<int64_t>(ThinkingMs(), 0) / 1000) + " s";
        const std::string of =
            std::to_string(Choice.Current + 1) + "/" + std::to_string(Choice.Count);
        switch (Choice.Phase) {
        case ChoiceProgress::QuickScan:
            return {first, "Quick scan: " + of};
        case ChoiceProgress::MainSearch:
            return {first, "Depth " + std::to_string(Choice.Depth) + ": " + of};
        default:
            return {first, "Depth " + std::to_string(Choice.Depth) + ": piece " + of};
        }
    }
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
        // Where the computer waits for the review to end, the player learns how to end it.
        if (Reviewing() && (PlaysWhite || PlaysBlack))
            return {first, check ? "Check - review: End" : "Review: End, Forward"};
        if (!check && Chosen >= 0 && Chosen < LevelCount && Chosen != LevelItem)
            return {first, std::string(Levels[Chosen].Label) + " at New Game"};
        return {first, check ? "Check" : ""};
    }
    default:
        return {"", std::nullopt};
    }
}
