// The game session: the live board, its history, the computer player, the selection, the last
// move and the saved-game name, with the game's operations as plain calls. A front end maps
// clicks, buttons and timers onto these calls and draws what the accessors show; it decides no
// rule of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Boardu.h"
#include "engine/Historyu.h"
#include "notation/Pgn.h"
#include "opponent/Opponentu.h"
#include "savegame/Savegameu.h"

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
    NotItsTurn, // the game is over, a human plays the side to move, or a turn is running
    Played,     // the computer's move (or promotion choice) is on the board
    Stopped,    // Stop ended the search: no move, and the computer now plays neither side
    NoMove,     // there was nothing to choose from
};

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
    // The opening book's file, read at every new game.
    const std::string& BookPath() const { return Book; }
    void SetBookPath(std::string path) { Book = std::move(path); }

    // A new game at difficulty item `level` (0..2; anything else keeps the current level):
    // stops the computer, sets up the pieces, forgets the file name and rereads the book.
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

    // One position back or forward, stepping over a pending promotion choice; both stop the
    // computer. False when there is nowhere to go.
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

    // Asks a running search to end; its move is then not played.
    void Stop();
    // One tick of the computer's turn: when the side to move is the computer's, works out its
    // move through `hooks` (which run the front end's events meanwhile) and plays it.
    TurnResult ComputerTurn(OpponentHooks& hooks);
    // One 100 ms tick of the move timer while the computer thinks as White.
    void MoveTimerTick();

    // Reads a saved game. Only a file that loads replaces the game (as a new game at `level`
    // would, then with the file's positions), and only one read whole becomes the file name; a
    // refused file changes nothing.
    LoadResult Open(const std::string& path, int level);
    // Saves the positions up to the one shown; the file name becomes `path` once it worked.
    bool Save(const std::string& path);

    // Reads the first game of a PGN file or text, or a FEN position. Only one read whole
    // replaces the game, as a new game at `level` would, then with its positions; a refused one
    // changes nothing. Returns the message that says why it was refused, "" when it was not.
    std::string ImportPgn(const std::string& path, int level);
    std::string PastePgn(std::string_view text, int level);
    std::string PasteFen(std::string_view fen, int level);
    // Replaces the game, as ImportPgn does, with a game read by ReadPgn (one of a file's
    // games, say); returns its message when it was refused.
    std::string Adopt(PgnGame game, int level);
    // The tags of the game's PGN: today's date, and who played which side at what level.
    PgnTags ExportTags() const;

    // Every stored move in SAN: a pawn's move and its promotion choice are one, and a last
    // pawn's move still waiting for its choice is left out.
    const std::vector<ListedMove>& Moves() const;

    // The status lines for the position shown.
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
    // The move list of the stored positions, worked out again once they change.
    mutable std::vector<ListedMove> Listed;
    mutable bool ListedStale = true;

    void ClearSelection() { SelX = SelY = -1; }
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
