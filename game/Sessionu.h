// The game session: the live board, its history, the computer player, the selection, the last
// move and the saved-game name, with the game's operations as plain calls. A front end maps
// clicks, buttons and timers onto these calls and draws what the accessors show; it decides no
// rule of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Boardu.h"
#include "engine/Historyu.h"
#include "engine/Rulesu.h"
#include "notation/Pgn.h"
#include "opponent/Choosemove.h"
#include "opponent/Clockplanu.h"
#include "opponent/Opponentu.h"
#include "savegame/Savegameu.h"
#include "strongplayer/StrongPlayer.h"

// What a click on a square did.
enum class ClickResult {
    Ignored,         // nothing changed (no piece of the side to move, an illegal target, ...)
    Selected,        // a piece of the side to move is now selected
    Deselected,      // the selected square was clicked again
    Moved,           // the selected piece moved there
    PromotionNeeded, // it moved onto the last row: a promotion choice is due
};

// What a computer turn did.
enum class TurnResult {
    NotItsTurn, // the game is over, a human plays the side to move, an earlier position is
                // shown, or a turn is running
    Played,     // the computer's move (or promotion choice) is on the board, also when Move Now
                // or the thinking limit cut it short
    Stopped,    // Stop ended the search: no move, and the computer now plays neither side
    Abandoned,  // a new game, a step or closing the window ended it: no move, the sides stay
    NoMove,     // there was nothing to choose from
};

// The thinking limit a computer move starts with, in milliseconds: long enough for every move
// the levels make in an ordinary game, short enough that none makes the player wait for long.
inline constexpr int64_t DefaultThinkingLimitMs = 10000;

// Why a game ended, besides the winner its Outcome names. Under Brisko rules the draws by the
// game's own rules are told by the position's counters, and read None here.
enum class Finish {
    None,
    Checkmate,
    Stalemate,
    Repetition,  // standard rules: the third occurrence
    FiftyMoves,  // standard rules: 100 plies without a pawn move or capture
    Material,    // standard rules: neither side can mate
    HistoryFull, // no room left to record another position
    Flag,        // the side to move ran out of time
    Resigned,    // the side to move resigned
    Agreed,      // a draw offer was accepted
};

// What a draw offer got.
enum class DrawReply {
    Accepted, // the other side took it: the game is drawn
    Declined, // the other human, or the computer's score or the move number, said no
    NotNow,   // no human has the move at the last position of a game in progress
};

// The difficulty items: this game's own three levels, then the strong player's.
inline constexpr int DifficultyCount = LevelCount + strong::StrongLevelCount;
// The name of difficulty item `item`, and about how strong it plays (Elo).
const char* DifficultyName(int item);
int DifficultyElo(int item);

// The strong player's score as the status shows it: "+0.35" in pawns for the side to move, or
// "mate in 3" / "mated in 2".
std::string ScoreText(const strong::ThinkInfo& info);

// A clock reading as the panel shows it: minutes and seconds, tenths under ten seconds.
std::string ClockText(int64_t ms);

// Reads "MINUTES+SECONDS" (minutes 1 to 600, an increment of 0 to 600 seconds) into `clock`;
// false, leaving it as it was, for anything else.
bool ReadTimeControl(std::string_view text, TimeControl& clock);
// ... and writes one back, "" for no clock.
std::string TimeControlText(const TimeControl& clock);

// One move of the game as the move list shows it.
struct ListedMove {
    int Count;        // the History Count at which the position after it is shown
    int Number;       // its move number
    bool White;       // whether White played it
    std::string Text; // in SAN

    bool operator==(const ListedMove&) const = default;
};

// The two status lines. Second is empty when the line is to keep its earlier text.
struct StatusTexts {
    std::string First;
    std::optional<std::string> Second;
};

class GameSession {
  public:
    GameSession();
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // The position shown, whose legal-move list is always current.
    const ::Board& Board() const { return Live; }
    // Positions 0 .. Count-1 lead up to the one shown; Forward may go on up to Stored.
    const ::History& History() const { return *Positions; }
    // The computer player's record: its book, level and stop flag.
    ::Opponent& Opponent() { return *Computer; }
    // The saved-game file of this game; empty when it has none.
    const std::string& FileName() const { return File; }
    // The selected square, both -1 when none; Condition is 1 while a square is selected.
    int SelectedX() const { return SelX; }
    int SelectedY() const { return SelY; }
    int Condition() const { return SelX >= 0 ? 1 : 0; }
    // The last move played on the board, X1 = NoMove when none.
    const Move& LastMove() const { return Last; }
    // Set while the computer works out a move: clicks wait, and no second turn starts.
    bool Thinking() const { return Busy; }
    // Whether the computer plays White or Black (a side number).
    bool ComputerPlays(int side) const { return side == White ? PlaysWhite : PlaysBlack; }
    void SetComputerPlays(int side, bool plays);
    // The depth bar's position, which the computer's White moves adapt.
    int DepthBar() const { return Depth; }
    void SetDepthBar(int position) { Depth = ClampDepthBar(position); }
    // The difficulty item the game was started at, and the one chosen for the next new game:
    // the status says when they differ.
    int Level() const { return LevelItem; }
    void ChooseLevel(int item) { Chosen = item; }
    // The rules of the game shown, and those chosen for the next new game, paste or open.
    ::Rules GameRules() const { return PlayRules; }
    ::Rules NextRules() const { return ChosenRules; }
    void ChooseRules(::Rules rules) { ChosenRules = rules; }
    // The clock of the game shown, and the one chosen for the next new game, paste or open.
    TimeControl GameClock() const { return PlayClock; }
    TimeControl NextClock() const { return ChosenClock; }
    void ChooseClock(TimeControl clock) { ChosenClock = clock; }
    // The opening book's file, read at every new game.
    const std::string& BookPath() const { return Book; }
    void SetBookPath(std::string path) { Book = std::move(path); }

    // A new game at difficulty item `level` (0 .. DifficultyCount-1; anything else keeps the
    // current level; items from LevelCount on are the strong player's levels):
    // ends the computer's thinking (its sides stay), sets up the pieces, forgets the file name
    // and rereads the book.
    void NewGame(int level);
    // The first new game of the run, which also readies the computer player.
    void StartUp(int level);
    // A game that starts from `position` instead of the initial one, at the current level.
    void StartFrom(const ::Board& position);

    // A click on square (file, row): selects a piece of the side to move, lets go of it, or
    // moves it there when the move is legal. Ignored while the computer thinks or the game
    // is over.
    ClickResult Click(int file, int row);
    // Tests whether the side that must choose a promotion piece is played by a human.
    bool HumanMustChoose() const;
    // Plays the promotion choice `piece` (a piece code of the side that chooses).
    bool ChoosePromotion(int piece);

    // One position back or forward, stepping over a pending promotion choice; both end the
    // computer's thinking, and the computer plays no move while an earlier position is shown.
    // False when there is nowhere to go.
    bool Back();
    bool Forward();
    // Steps to the position after `count` - 1 moves (1 .. Stored), as Back and Forward do.
    bool GoTo(int count);

    // Undo and Redo step to the nearest earlier or later position where a human has the move
    // (or the game has ended): against the computer that takes back the computer's reply with
    // the human's move, between two humans one move. The computer therefore does not move at
    // once on its own. Neither steps while the computer thinks, nor where there is no such
    // position.
    bool CanUndo() const { return UndoTarget() > 0; }
    bool CanRedo() const { return RedoTarget() > 0; }
    bool Undo() { return CanUndo() && GoTo(UndoTarget()); }
    bool Redo() { return CanRedo() && GoTo(RedoTarget()); }

    // Tests whether a human, or the computer, has the move in the game shown, while the computer
    // is not thinking.
    bool HumanToMove() const;
    bool ComputerToMove() const;
    // Works out, through `hooks`, the move the computer would choose at the current level for
    // the human who has the move, without playing it; Stop ends it as it ends a computer turn,
    // without changing the sides the computer plays. True when a move was found.
    bool Hint(OpponentHooks& hooks);
    // The move Hint found, while the position it was found for is shown; X1 = NoMove otherwise.
    const Move& HintMove() const { return Hinted; }

    // Squares as bits (1 << (8 * file + row)): where the selected piece may move, and the kings
    // that stand in check.
    uint64_t TargetSquares() const;
    uint64_t KingsInCheck() const;

    // Asks a running search to end; its move is then not played, and the computer plays
    // neither side until it is asked to again.
    void Stop();
    // Ends a running search without a move, as a new game or a step does; the computer keeps its
    // sides.
    void Abandon() { Ask(Cut::Abandoned); }
    // Asks a running computer move to end at once with the best move found so far: the best of
    // the root moves searched whole at the main depth, else the quick scan's best. A hint shows
    // that move.
    void MoveNow();
    // One tick of the computer's turn: when the side to move at the last position of the game
    // is the computer's, works out its move through `hooks` (which run the front end's events
    // meanwhile) and plays it.
    TurnResult ComputerTurn(OpponentHooks& hooks);
    // Whether the last move the computer played was cut short by Move Now or the limit.
    bool CutShort() const { return WasCut; }

    // The thinking limit of a computer move or hint in milliseconds, 0 for none: once reached,
    // the computer plays as for MoveNow.
    int64_t ThinkingLimit() const { return LimitMs; }
    void SetThinkingLimit(int64_t ms) { LimitMs = ms > 0 ? ms : 0; }
    // The clock that times thinking, in milliseconds; tests give their own.
    void SetClock(std::function<int64_t()> clock) { Clock = std::move(clock); }
    // How long the running turn or hint has thought so far, and how far it has got: the move
    // choice's progress, or the strong player's last finished depth.
    int64_t ThinkingMs() const { return Busy ? Clock() - ThinkingSince : 0; }
    const ChoiceProgress& Progress() const { return Choice; }
    bool StrongThinks() const { return LevelItem >= LevelCount; }
    const strong::ThinkInfo& StrongProgress() const { return StrongInfo; }

    // Tests whether the position shown is an earlier one of the game.
    bool Reviewing() const { return History().Count < History().Stored; }

    // The time `side` has left in the position shown, counting down while its clock runs. Each
    // position keeps both readings, so stepping shows them; a move played from an earlier
    // position goes on from that position's readings.
    int64_t ClockMs(int side) const;
    // The side whose clock runs, 0 for none: the side to act at the last position of a game in
    // progress under a clock. While an earlier position is shown both clocks stand still.
    int ClockSide() const;
    // Looks at the running clock; a flag that has fallen ends the game (a draw when the other
    // side could never mate) and any thinking. True when it fell.
    bool ClockTick();
    // Why the game ended at the position shown; None while it goes on.
    Finish Finished() const;
    // Tests whether a human has the move at the last position of a game in progress, who may
    // resign or offer a draw.
    bool HumanMayEnd() const;
    // Ends the game as a loss for the human side to move.
    bool Resign();
    // Offers a draw to the other side. The computer accepts when, past move 20, its own score
    // at its level is at most half a pawn for it; it thinks through `hooks` to find out. A human
    // is asked through `askOpponent`. A declined offer is told in the status until the next
    // change.
    DrawReply OfferDraw(OpponentHooks& hooks, const std::function<bool()>& askOpponent);
    // One 100 ms tick of the move timer while the computer thinks as White.
    void MoveTimerTick();

    // Reads a saved game. Only a file that loads replaces the game (as a new game at `level`
    // would, then with the file's positions), and only one read whole becomes the file name; a
    // refused file changes nothing.
    LoadResult Open(const std::string& path, int level);
    // Saves the positions up to the one shown; the file name becomes `path` once it worked.
    bool Save(const std::string& path);
    // Notes that the game up to the position shown was written to a file in another form.
    void Exported();
    // Tests whether the game has moves that no file holds. A new game, a game read from a file
    // and one just saved have none, until a move is played.
    bool UnsavedMoves() const;

    // Tests whether the game is worth keeping for the next start: in progress, with moves.
    bool WorthKeeping() const;
    // Writes the whole game (every stored position, the one shown, the computer's sides, the
    // level, the depth bar, the file name and whether the file holds it) to `path` by
    // ReplaceFile; a game not worth keeping removes `path` instead. False when that failed.
    bool Keep(const std::string& path) const;
    // Reads a game Keep wrote and shows it again; only one read whole replaces the game.
    bool Resume(const std::string& path);
    // Counts every change of the stored game, of the position shown and of the sides, so that
    // a front end knows when to keep it again.
    uint64_t Changes() const { return Changed; }

    // Reads the first game of a PGN file or text, or a FEN position. Only one read whole
    // replaces the game, as a new game at `level` would, then with its positions; a refused one
    // changes nothing. Returns the message that says why it was refused, "" when it was not.
    std::string ImportPgn(const std::string& path, int level);
    std::string PastePgn(std::string_view text, int level);
    std::string PasteFen(std::string_view fen, int level);
    // Replaces the game, as ImportPgn does, with a game read by ReadPgn (one of a file's
    // games, say); returns its message when it was refused. `fromFile` tells that a file holds
    // the game, so that it has no unsaved moves.
    std::string Adopt(PgnGame game, int level, bool fromFile = false);
    // The tags of the game's PGN: today's date, and who played which side at what level.
    PgnTags ExportTags() const;

    // Every stored move in SAN: a pawn's move and its promotion choice are one, and a last
    // pawn's move still waiting for its choice is left out.
    const std::vector<ListedMove>& Moves() const;

    // The status lines for the position shown, or of the computer's thinking.
    StatusTexts Status() const;

  private:
    ::Board Live{};
    std::unique_ptr<::History> Positions;
    std::unique_ptr<::Opponent> Computer;
    std::string File;
    std::string Book = OpeningsFileName;
    int SelX = -1;
    int SelY = -1;
    Move Last{NoMove, NoMove, NoMove, NoMove};
    Move Hinted{NoMove, NoMove, NoMove, NoMove};
    bool Busy = false;
    bool PlaysWhite = false;
    bool PlaysBlack = true;
    int Depth = 3;
    int LevelItem = 0;
    int Chosen = -1;
    // Why the running search was asked to end; a later reason of higher rank overrides.
    enum class Cut { None, MoveNow, Abandoned, Stopped };
    Cut Pending = Cut::None;
    bool WasCut = false;
    int64_t LimitMs = DefaultThinkingLimitMs;
    std::function<int64_t()> Clock;
    ::Rules PlayRules = ::Rules::Brisko;
    ::Rules ChosenRules = ::Rules::Brisko;
    TimeControl PlayClock;
    TimeControl ChosenClock;
    // What each stored position keeps beside its record.
    struct Note {
        int64_t ClockMs[2]; // White's and Black's time left when it arose
        Finish End;
    };
    std::vector<Note> Notes;
    // The running clock's turn: when it last started, and what it spent before a pause.
    int64_t RunningSince = 0;
    int64_t Spent = 0;
    int64_t ThinkingSince = 0;
    ChoiceProgress Choice;
    // The strong player, made at the first game of one of its levels, and its last report.
    std::unique_ptr<strong::StrongPlayer> Strong;
    strong::ThinkInfo StrongInfo;
    // Changes of the stored game, the revision a file last held whole, and every change worth
    // keeping (the game, the position shown, the sides).
    uint64_t Revision = 0;
    uint64_t SavedAt = 0;
    uint64_t Changed = 0;
    // The change count at which a draw offer was declined.
    uint64_t DeclinedAt = UINT64_MAX;
    // The move list of the stored positions, worked out again once they change.
    mutable std::vector<ListedMove> Listed;
    mutable bool ListedStale = true;

    void ClearSelection() { SelX = SelY = -1; }
    // Asks a running search to end for `why`.
    void Ask(Cut why);
    // Runs the move choice for `position` with the limit watched; true when its move may be
    // played or shown: it ran to its end or was cut short for Move Now.
    bool Think(const ::Board& position, OpponentHooks& hooks, Move& move,
               ChoiceTrace* trace = nullptr);
    // After a game move by the side that had the move at `before`, made at the last position
    // or not: judges the new position under the game's rules and moves the clocks on.
    void Recorded(const ::Board& before, bool atEnd);
    // Starts the notes afresh for the stored positions under `rules` and `clock`, the readings
    // at the start of the clock, and judges every position.
    void AdoptChoices(::Rules rules, TimeControl clock);
    // Ends the game at the last position: `outcome` for `why`, the clocks stopped.
    void EndGame(int outcome, Finish why);
    // Judges the position shown under the game's rules, as the last of its history.
    Finish Judge();
    // The milliseconds the running clock has counted this turn.
    int64_t TurnMs() const;
    // Runs the move choice under the clock: one depth after another up to the depth bar, as
    // long as the time plan allows.
    bool ThinkToClock(const ::Board& position, OpponentHooks& hooks, Move& move);
    // Runs the strong player on `position` under the clock or its own time, the thinking limit
    // and Move Now; true as Think is.
    bool ThinkStrong(const ::Board& position, OpponentHooks& hooks, strong::ThinkResult& result);
    // Plays the strong player's answer, a promotion with its piece at once.
    TurnResult StrongTurn(OpponentHooks& hooks);
    // Called after every change of the stored game.
    void GameChanged() {
        ListedStale = true;
        ++Revision;
        ++Changed;
    }
    // Notes that a file now holds the positions up to the one shown.
    void SavedShown() {
        if (Positions->Count == Positions->Stored) SavedAt = Revision;
    }
    // Called at every change of the position shown: the hint was for the one before.
    void ForgetHint() { Hinted.X1 = NoMove; }
    // Whether Undo and Redo stop at position `index`.
    bool HumanTurnAt(int index) const;
    // The Count that Undo and Redo step to; 0 when there is none.
    int UndoTarget() const;
    int RedoTarget() const;
    // Starts the history afresh from the live board.
    void Restart();
    // Replaces the game with `positions`, showing `shown`, as a new game at `level` would.
    void Replace(std::unique_ptr<::History> positions, const ::Board& shown, int level);
};
