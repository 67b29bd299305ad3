#include "game/Sessionu.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <span>
#include <tuple>

#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"
#include "game/Keptgameu.h"
#include "notation/Fen.h"
#include "notation/San.h"
#include "strongplayer/Convert.h"
#include "textfile/Safefileu.h"
#include "textfile/Wordsu.h"

namespace {

// The side whose turn it is, a promotion choice counting as its own side's turn.
int SideToAct(const Board& board) {
    return board.ToPlay == White || board.ToPlay == WhiteChooses ? White : Black;
}

bool ChoiceDue(const Board& board) {
    return board.ToPlay == WhiteChooses || board.ToPlay == BlackChooses;
}

// Time lost on every computer move to the window: painting, the events.
constexpr int64_t ClockOverheadMs = 50;
// The computer takes a draw when its own score is at most this, past this move.
constexpr int32_t DrawMargin = 50;
constexpr int DrawOfferMove = 20;

Finish FinishOf(Ending ending) {
    switch (ending) {
    case Ending::Checkmate:
        return Finish::Checkmate;
    case Ending::Stalemate:
        return Finish::Stalemate;
    case Ending::Repetition:
        return Finish::Repetition;
    case Ending::FiftyMoves:
        return Finish::FiftyMoves;
    case Ending::Material:
        return Finish::Material;
    case Ending::HistoryFull:
        return Finish::HistoryFull;
    default:
        return Finish::None;
    }
}

const char* SideName(int side) {
    return side == White ? "White" : "Black";
}

int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The front end's hooks, passed through, with the thinking limit watched at the event pumps.
class LimitedHooks : public OpponentHooks {
  public:
    // `watchEvery`: pumps between two readings of the clock.
    LimitedHooks(OpponentHooks& inner, std::function<void()> reached, int64_t deadline,
                 const std::function<int64_t()>& clock, unsigned watchEvery = 256)
        : Inner(inner), Reached(std::move(reached)), Deadline(deadline), Clock(clock),
          WatchEvery(watchEvery) {}
    ~LimitedHooks() override { Inner.SearchCalls += SearchCalls; }

    // The depth bar of the current round under a clock; 0 passes the front end's on.
    int Bar = 0;

    void ProcessEvents() override {
        // The clock costs about a search node: the game's own player, which pumps at every
        // node, reads it at every 256th pump only.
        if (++Calls % WatchEvery == 0) Watch();
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
    int DepthBarPosition() override { return Bar > 0 ? Bar : Inner.DepthBarPosition(); }
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
    unsigned WatchEvery;
    unsigned Calls = 0;
};

// Without a clock the strong player's unlimited levels think about this long a move.
constexpr int64_t StrongMoveMs = 3000;
// Elo of this game's own levels, as measured against a reference engine.
constexpr int LevelElo[LevelCount] = {800, 900, 1300};

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
    ResetHistory(*Positions);
    PushHistory(*Positions, Live);
    AdoptChoices(ChosenRules, ChosenClock);
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
    if (ApplyLevel(*Computer, level, Depth)) {
        LevelItem = level;
    } else if (level >= LevelCount && level < DifficultyCount) {
        LevelItem = level;
        if (!Strong) Strong = std::make_unique<strong::StrongPlayer>();
        Strong->SetLevel(strong::StrongLevels[level - LevelCount]);
        Strong->NewGame();
    }
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
    if (!IsRuleLegal(Live, SelX, SelY, file, row, PlayRules)) return ClickResult::Ignored;
    const ::Board before = Live;
    const bool atEnd = !Reviewing();
    if (!GameMove(Live, *Positions, SelX, SelY, file, row)) return ClickResult::Ignored;
    Recorded(before, atEnd);
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
    const ::Board before = Live;
    const bool atEnd = !Reviewing();
    if (!GameMove(Live, *Positions, PromotionChoice, piece, file, row)) return false;
    Recorded(before, atEnd);
    ForgetHint();
    return true;
}

bool GameSession::Back() {
    if (Positions->Count <= 1) return false;
    Abandon();
    ++Changed;
    // The running clock stands still while an earlier position is shown.
    if (!Reviewing()) Spent = TurnMs();
    StepBack(*Positions, Live);
    FindRuleMoves(Live, PlayRules);
    ClearSelection();
    ForgetHint();
    return true;
}

bool GameSession::Forward() {
    if (Positions->Count >= Positions->Stored) return false;
    Abandon();
    ++Changed;
    StepForward(*Positions, Live);
    if (!Reviewing()) RunningSince = Clock();
    FindRuleMoves(Live, PlayRules);
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

bool GameSession::Think(const ::Board& position, OpponentHooks& hooks, Move& move,
                        ChoiceTrace* trace) {
    Computer->Stop = false;
    Pending = Cut::None;
    ThinkingSince = Clock();
    Busy = true;
    {
        LimitedHooks limited(
            hooks, [this] { Ask(Cut::MoveNow); }, LimitMs > 0 ? ThinkingSince + LimitMs : 0, Clock);
        move = ChooseMove(*Computer, position, limited, trace, &Choice);
        if (Pending == Cut::MoveNow) move = BestSoFar(Choice, limited);
    }
    Busy = false;
    return !Computer->Stop || Pending == Cut::MoveNow;
}

bool GameSession::ThinkToClock(const ::Board& position, OpponentHooks& hooks, Move& move) {
    Computer->Stop = false;
    Pending = Cut::None;
    ThinkingSince = Clock();
    const ClockPlan plan =
        PlanClock(ClockMs(SideToAct(position)), PlayClock.IncMs, 0, ClockOverheadMs);
    int64_t deadline = ThinkingSince + std::max<int64_t>(1, plan.HardMs);
    if (LimitMs > 0) deadline = std::min(deadline, ThinkingSince + LimitMs);
    Busy = true;
    {
        LimitedHooks limited(
            hooks, [this] { Ask(Cut::MoveNow); }, deadline, Clock);
        move = {NoMove, NoMove, NoMove, NoMove};
        // One depth after another, never deeper than the level's bar; the deepest finished one
        // answers.
        for (int bar = std::min(2, Depth); bar <= Depth; ++bar) {
            limited.Bar = bar;
            const int64_t round = Clock();
            const Move chosen = ChooseMove(*Computer, position, limited, nullptr, &Choice);
            if (Computer->Stop) {
                if (Pending == Cut::MoveNow && move.X1 == NoMove) move = BestSoFar(Choice, limited);
                break;
            }
            move = chosen;
            // Each depth costs several times the one before: one is begun only if it should end
            // within the plan.
            const int64_t now = Clock();
            if ((now - ThinkingSince) * 2 > plan.SoftMs ||
                (now - ThinkingSince) + 8 * (now - round) > 2 * plan.SoftMs)
                break;
        }
    }
    Busy = false;
    return !Computer->Stop || Pending == Cut::MoveNow;
}

bool GameSession::Hint(OpponentHooks& hooks) {
    if (!HumanToMove()) return false;
    hooks.ClearConsidered();
    const ::Board position = Live;
    Move move;
    strong::ThinkResult found;
    const bool played =
        StrongThinks() ? ThinkStrong(position, hooks, found) : Think(position, hooks, move);
    if (StrongThinks()) move = found.Move.Squares;
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
    if (StrongThinks()) return StrongTurn(hooks);
    // Only the computer's White moves are timed and adapt the depth; under a clock the time plan
    // takes the adaptation's place.
    const bool timed = AdaptsDepth(Live.ToPlay) && !PlayClock.On();
    if (timed) BeginThinking(*Computer, hooks);
    const ::Board position = Live;
    Move move;
    const bool play =
        PlayClock.On() ? ThinkToClock(position, hooks, move) : Think(position, hooks, move);
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
    Recorded(position, true);
    Last = move;
    ForgetHint();
    WasCut = Computer->Stop;
    // A move cut short gets no raise, as a stopped one: it was not quick.
    if (timed) RaiseAfterMove(*Computer, Depth);
    return TurnResult::Played;
}

bool GameSession::ThinkStrong(const ::Board& position, OpponentHooks& hooks,
                              strong::ThinkResult& result) {
    Computer->Stop = false;
    Pending = Cut::None;
    ThinkingSince = Clock();
    StrongInfo = {};
    strong::ThinkLimits limits;
    limits.Allowed = strong::AllowedMoves(position);
    if (PlayClock.On()) {
        const ClockPlan plan =
            PlanClock(ClockMs(SideToAct(position)), PlayClock.IncMs, 0, ClockOverheadMs);
        limits.SoftMs = std::max<int64_t>(1, plan.SoftMs);
        limits.HardMs = std::max<int64_t>(1, plan.HardMs);
    } else {
        // A depth begun just before the time may take several times as long: cut off then.
        limits.SoftMs = StrongMoveMs;
        limits.HardMs = 2 * StrongMoveMs;
    }
    Busy = true;
    {
        // The thinking limit and Move Now reach the player through its stop flag, looked at
        // whenever it lets the events run: every thousand nodes or so, so the limit's clock is
        // read at every pump.
        LimitedHooks limited(
            hooks, [this] { Ask(Cut::MoveNow); }, LimitMs > 0 ? ThinkingSince + LimitMs : 0, Clock,
            1);
        std::atomic<bool> stop{false};
        strong::ThinkHooks think;
        think.Stop = &stop;
        // A pump every 16 nodes: the window and the limit read their clocks at every 256th,
        // a few milliseconds apart.
        think.EventsEveryNodes = 16;
        think.ProcessEvents = [&] {
            limited.ProcessEvents();
            if (Computer->Stop) stop = true;
        };
        think.OnIteration = [this](const strong::ThinkInfo& info) { StrongInfo = info; };
        const int earlier = std::max(0, Positions->Count - 1);
        result = Strong->Think(position, std::span<const ::Board>(Positions->Snapshots, earlier),
                               limits, think);
    }
    Busy = false;
    return !Computer->Stop || Pending == Cut::MoveNow;
}

TurnResult GameSession::StrongTurn(OpponentHooks& hooks) {
    const ::Board position = Live;
    strong::ThinkResult result;
    const bool play = ThinkStrong(position, hooks, result);
    if (!play && Pending == Cut::Stopped) {
        PlaysWhite = PlaysBlack = false;
        ++Changed;
        return TurnResult::Stopped;
    }
    if (!play) return TurnResult::Abandoned;
    const Move m = result.Move.Squares;
    if (m.X1 == NoMove || !GameMove(Live, *Positions, m.X1, m.Y1, m.X2, m.Y2))
        return TurnResult::NoMove;
    Recorded(position, true);
    if (m.X1 != PromotionChoice) Last = m;
    // The piece comes with the pawn's move: the choice is played at once.
    if (result.Move.Promotion != 0 && ChoiceDue(Live)) {
        const ::Board waiting = Live;
        const int piece =
            waiting.ToPlay == WhiteChooses ? result.Move.Promotion : -result.Move.Promotion;
        if (GameMove(Live, *Positions, PromotionChoice, piece, m.X2, m.Y2)) Recorded(waiting, true);
    }
    ForgetHint();
    WasCut = Computer->Stop;
    return TurnResult::Played;
}

void GameSession::MoveTimerTick() {
    // A move being abandoned no longer counts its time; a tick while it unwinds must not lower
    // the depth that a new game has just set. Under a clock the time plan decides instead.
    if (Computer->Stop || PlayClock.On()) return;
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
    AdoptChoices(ChosenRules, ChosenClock);
    GameChanged();
}

void GameSession::AdoptChoices(::Rules rules, TimeControl clock) {
    PlayRules = rules;
    PlayClock = clock;
    Notes.assign(Positions->Stored, Note{{clock.BaseMs, clock.BaseMs}, Finish::None});
    // Every position judged as the last of the game up to it.
    const int shown = Positions->Count;
    for (int count = 1; count <= Positions->Stored; ++count) {
        Positions->Count = count;
        ::Board position = Positions->Snapshots[count - 1];
        std::swap(position, Live);
        Notes[count - 1].End = Judge();
        std::swap(position, Live);
    }
    Positions->Count = shown;
    Live.Outcome = Positions->Snapshots[shown - 1].Outcome;
    FindRuleMoves(Live, PlayRules);
    RunningSince = Clock();
    Spent = 0;
}

Finish GameSession::Judge() {
    if (PlayRules == ::Rules::Standard) return FinishOf(JudgeStandard(*Positions, Live));
    FindRuleMoves(Live, PlayRules);
    return Live.Outcome == WhiteWon || Live.Outcome == BlackWon ? Finish::Checkmate : Finish::None;
}

void GameSession::Recorded(const ::Board& before, bool atEnd) {
    const int64_t turn = atEnd ? TurnMs() : 0;
    GameChanged();
    const size_t shown = static_cast<size_t>(Positions->Count);
    // A move from an earlier position replaces the rest of the game, notes included.
    Notes.resize(shown - 1);
    Note note = Notes.back();
    const int side = SideToAct(before);
    if (SideToAct(Live) != side) {
        int64_t& left = note.ClockMs[side - 1];
        if (PlayClock.On()) left = std::max<int64_t>(0, left - turn) + PlayClock.IncMs;
        Spent = 0;
    } else {
        Spent = turn; // the pawn waits for its piece: the same turn goes on
    }
    RunningSince = Clock();
    Notes.push_back(note);
    Notes.back().End = Judge();
}

int64_t GameSession::TurnMs() const {
    return Spent + (Clock() - RunningSince);
}

int GameSession::ClockSide() const {
    if (!PlayClock.On() || Live.Outcome != InProgress || Reviewing()) return 0;
    return SideToAct(Live);
}

int64_t GameSession::ClockMs(int side) const {
    if (!PlayClock.On() || (side != White && side != Black)) return 0;
    int64_t left = Notes[static_cast<size_t>(Positions->Count - 1)].ClockMs[side - 1];
    if (side == ClockSide()) left -= TurnMs();
    return std::max<int64_t>(0, left);
}

bool GameSession::ClockTick() {
    const int side = ClockSide();
    if (side == 0 || ClockMs(side) > 0) return false;
    // The thinking of the side out of time is for nothing.
    if (Busy) Abandon();
    EndGame(CannotMate(Live, 3 - side) ? Drawn : 3 - side, Finish::Flag);
    return true;
}

void GameSession::EndGame(int outcome, Finish why) {
    Note& note = Notes.back();
    if (const int side = ClockSide())
        note.ClockMs[side - 1] = std::max<int64_t>(0, note.ClockMs[side - 1] - TurnMs());
    note.End = why;
    Live.Outcome = outcome;
    Positions->Snapshots[Positions->Stored - 1].Outcome = outcome;
    ClearSelection();
    ForgetHint();
    GameChanged();
}

Finish GameSession::Finished() const {
    return Notes[static_cast<size_t>(Positions->Count - 1)].End;
}

bool GameSession::HumanMayEnd() const {
    return HumanToMove() && !Reviewing();
}

bool GameSession::Resign() {
    if (!HumanMayEnd()) return false;
    EndGame(3 - Live.ToPlay, Finish::Resigned);
    return true;
}

DrawReply GameSession::OfferDraw(OpponentHooks& hooks, const std::function<bool()>& askOpponent) {
    if (!HumanMayEnd()) return DrawReply::NotNow;
    bool accepted = false;
    if (!ComputerPlays(3 - Live.ToPlay)) {
        accepted = askOpponent();
    } else if (FullMoveNumber(*Positions, Positions->Count - 1) > DrawOfferMove) {
        // The human's best score at the computer's level is the computer's own, turned round.
        ChoiceTrace trace;
        Move move;
        const ::Board position = Live;
        if (StrongThinks()) {
            strong::ThinkResult found;
            accepted = ThinkStrong(position, hooks, found) && !Computer->Stop && position == Live &&
                       found.MateIn >= 0 && (found.MateIn > 0 || -found.ScoreCp <= DrawMargin);
        } else {
            accepted = Think(position, hooks, move, &trace) && !Computer->Stop &&
                       position == Live && !trace.Ties.empty() && -trace.Best <= DrawMargin;
        }
    }
    if (!accepted) {
        DeclinedAt = Changed;
        return DrawReply::Declined;
    }
    EndGame(Drawn, Finish::Agreed);
    return DrawReply::Accepted;
}

bool ReadTimeControl(std::string_view text, TimeControl& clock) {
    const size_t plus = text.find('+');
    int32_t minutes = 0, seconds = 0;
    if (plus == std::string_view::npos || !ParseInt(text.substr(0, plus), minutes) ||
        !ParseInt(text.substr(plus + 1), seconds) || minutes < 1 || minutes > 600 || seconds < 0 ||
        seconds > 600)
        return false;
    clock = {int64_t{minutes} * 60000, int64_t{seconds} * 1000};
    return true;
}

std::string TimeControlText(const TimeControl& clock) {
    if (!clock.On()) return "";
    return std::to_string(clock.BaseMs / 60000) + "+" + std::to_string(clock.IncMs / 1000);
}

std::string ScoreText(const strong::ThinkInfo& info) {
    if (info.MateIn != 0)
        return std::string(info.MateIn > 0 ? "mate in " : "mated in ") +
               std::to_string(std::abs(info.MateIn));
    const int cp = std::abs(info.ScoreCp);
    const std::string pawns =
        std::to_string(cp / 100) + "." + (cp % 100 < 10 ? "0" : "") + std::to_string(cp % 100);
    return (info.ScoreCp < 0 ? "-" : "+") + pawns;
}

std::string ClockText(int64_t ms) {
    ms = std::max<int64_t>(0, ms);
    if (ms < 10000) return std::to_string(ms / 1000) + "." + std::to_string(ms / 100 % 10);
    const int64_t seconds = ms / 1000;
    const std::string ss = std::to_string(seconds % 60);
    return std::to_string(seconds / 60) + ":" + (ss.size() < 2 ? "0" : "") + ss;
}

std::string GameSession::Adopt(PgnGame game, int level, bool fromFile) {
    if (!game.Imported) return game.Message;
    const ::Board shown = game.Game->Snapshots[game.Game->Count - 1];
    Replace(std::move(game.Game), shown, level);
    // A game with its clock readings goes on under its own time control, from those readings.
    TimeControl clock;
    for (const auto& [name, value] : game.Tags)
        if (name == "TimeControl" && !ReadPgnTimeControl(value, clock.BaseMs, clock.IncMs))
            clock = {};
    if (clock.On() && !game.Clocks.empty()) {
        AdoptChoices(ChosenRules, clock);
        for (size_t i = 0; i < Notes.size() && i < game.Clocks.size(); ++i)
            for (size_t side = 0; side < 2; ++side)
                if (game.Clocks[i][side] >= 0) Notes[i].ClockMs[side] = game.Clocks[i][side];
    }
    if (fromFile) SavedShown();
    return "";
}

std::string GameSession::ImportPgn(const std::string& path, int level) {
    return Adopt(::ImportPgn(path, ChosenRules), level, true);
}

std::string GameSession::PastePgn(std::string_view text, int level) {
    return Adopt(ReadPgn(text, 0, ChosenRules), level);
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
    tags.White = PgnPlayer(PlaysWhite, DifficultyName(LevelItem));
    tags.Black = PgnPlayer(PlaysBlack, DifficultyName(LevelItem));
    // Written up to the position shown: how the game stood there.
    const int shown = std::max(1, Positions->Count);
    const Finish end = Notes[static_cast<size_t>(shown - 1)].End;
    tags.Termination = end == Finish::None   ? "unterminated"
                       : end == Finish::Flag ? "time forfeit"
                                             : "normal";
    if (PlayClock.On()) {
        tags.TimeControl =
            std::to_string(PlayClock.BaseMs / 1000) + "+" + std::to_string(PlayClock.IncMs / 1000);
        for (int i = 0; i < shown; ++i)
            tags.Clocks.push_back({Notes[static_cast<size_t>(i)].ClockMs[0],
                                   Notes[static_cast<size_t>(i)].ClockMs[1]});
    }
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
    if (!WorthKeeping()) {
        errno = 0;
        return std::remove(path.c_str()) == 0 || errno == ENOENT;
    }
    KeptSettings about{PlaysWhite, PlaysBlack, LevelItem, Depth, !UnsavedMoves(),
                       File,       PlayRules,  PlayClock, {}};
    for (const Note& note : Notes) about.Readings.push_back({note.ClockMs[0], note.ClockMs[1]});
    // The turn under way is charged, as a move would charge it.
    if (const int side = ClockSide())
        about.Readings.back()[static_cast<size_t>(side - 1)] = ClockMs(side);
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
    AdoptChoices(about.Rules, about.Clock);
    for (size_t i = 0; i < Notes.size() && i < about.Readings.size(); ++i)
        std::tie(Notes[i].ClockMs[0], Notes[i].ClockMs[1]) =
            std::tie(about.Readings[i][0], about.Readings[i][1]);
    SetDepthBar(about.DepthBar);
    PlaysWhite = about.PlaysWhite;
    PlaysBlack = about.PlaysBlack;
    File = about.File;
    if (about.Saved) SavedAt = Revision;
    return true;
}

const char* DifficultyName(int item) {
    if (item >= LevelCount && item < DifficultyCount)
        return strong::StrongLevels[item - LevelCount].Name;
    return Levels[item >= 0 && item < LevelCount ? item : 0].Label;
}

int DifficultyElo(int item) {
    if (item >= LevelCount && item < DifficultyCount)
        return strong::StrongLevels[item - LevelCount].Elo;
    return LevelElo[item >= 0 && item < LevelCount ? item : 0];
}

StatusTexts GameSession::Status() const {
    if (Busy) {
        const std::string first =
            "Thinking... " + std::to_string(std::max<int64_t>(ThinkingMs(), 0) / 1000) + " s";
        if (StrongThinks()) {
            const strong::ThinkInfo& info = StrongInfo;
            if (info.Depth == 0) return {first, "Depth 1"};
            return {first, "Depth " + std::to_string(info.Depth) + ": " + ScoreText(info)};
        }
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
    const int mover = SideToAct(Live);
    switch (Finished()) {
    case Finish::Flag:
        if (Live.Outcome == Drawn)
            return {"Draw - time is up", std::string(SideName(3 - mover)) + " cannot mate"};
        return {std::string(SideName(3 - mover)) + " Wins!!",
                std::string(SideName(mover)) + "'s time is up"};
    case Finish::Resigned:
        return {std::string(SideName(3 - mover)) + " Wins!!",
                std::string(SideName(mover)) + " resigns"};
    case Finish::Agreed:
        return {"Draw agreed", ""};
    case Finish::Repetition:
        return {"Draw - threefold repetition", std::nullopt};
    case Finish::FiftyMoves:
        return {"Draw - 50 move rule", std::nullopt};
    case Finish::Material:
        return {"Draw - insufficient material", std::nullopt};
    case Finish::Stalemate:
    case Finish::HistoryFull:
        return {"Stalemate!!", std::nullopt};
    default:
        break;
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
        if (check) return {first, "Check"};
        if (DeclinedAt == Changed) return {first, "Draw declined"};
        if (Chosen >= 0 && Chosen < DifficultyCount && Chosen != LevelItem)
            return {first, std::string(DifficultyName(Chosen)) + " at New Game"};
        if (ChosenRules != PlayRules)
            return {first, ChosenRules == ::Rules::Standard ? "Standard rules at New Game"
                                                            : "Brisko rules at New Game"};
        if (!(ChosenClock == PlayClock))
            return {first,
                    (ChosenClock.On() ? TimeControlText(ChosenClock) : std::string("No clock")) +
                        " at New Game"};
        return {first, ""};
    }
    default:
        return {"", std::nullopt};
    }
}
