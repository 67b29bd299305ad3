// The game session: the live board, its history, the computer player, the selection, the last
// move and the saved-game name, with the game's operations as plain calls. A front end maps
// clicks, buttons and timers onto these calls and draws what the accessors show; it decides no
// rule of its own.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/Boardu.h"
#include "engine/Historyu.h"
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
    bool Busy = false;
    bool PlaysWhite = false;
    bool PlaysBlack = true;
    int Depth = 3;

    void ClearSelection() { SelX = SelY = -1; }
    // Starts the history afresh from the live board.
    void Restart();
};
