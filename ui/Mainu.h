// The main window: it draws the game session's board and status, turns clicks, buttons, menus
// and timers into calls on the session, and runs the dialogs and the other windows.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <memory>

#include "game/Sessionu.h"
#include "ui/Boardviewu.h"
#include "ui/Datafolderu.h"
#include "ui/Exchangeu.h"
#include "ui/Maincontrolsu.h"
#include "ui/Picturesu.h"

class TAboutForm;
class TDepth1Form;
class TLeagueForm;
class TLegalForm;
class TPromotionForm;
class TWindowHooks;

// The windows the main window shows and keeps current.
struct TOtherForms {
    TLeagueForm* LeagueForm = nullptr;
    TLegalForm* LegalForm = nullptr;
    TDepth1Form* Depth1Form = nullptr;
    TPromotionForm* PromotionForm = nullptr;
    TAboutForm* AboutForm = nullptr;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    TMainForm();
    ~TMainForm() override;

    // The game shown. Other front ends and tests may drive it; Repaint shows what they did.
    GameSession& Session() { return Game; }
    const GameSession& Session() const { return Game; }
    void SetOtherForms(const TOtherForms& forms);
    // Opens a saved game as File > Open does once a name is chosen; imports a PGN game as
    // File > Import PGN does.
    void OpenGame(const QString& path);
    void ImportGame(const QString& path) {
        if (::ImportGame(this, Game, path, LevelItemIndex(Ui))) ShowGame();
    }
    // Before something `doing` throws away moves that no file holds, asks whether to save them
    // first; true when it may go on (saved, or discarded).
    bool MayReplaceGame(const QString& doing);
    // Keeps the game in `path` (the user's data folder) whenever it changes and when the window
    // closes, and shows the game kept there at the first show. Nothing is kept without a path.
    void KeepGameIn(const QString& path) { KeptGameFile = path; }
    // Writes the kept game now; false when it could not be written.
    bool KeepGame();
    // Shows what the computer is thinking in the status lines and on the progress bar.
    void ShowThinking();
    // Invalidates the window and paints it at once, status update included.
    void Repaint() { Client->repaint(); }

    // Handlers.
    void FormShow();
    void FormPaint(QPainter& painter);
    void FormResize();
    void FormMouseUp(int x, int y);
    // Ends the thinking without unticking the computer's sides: they are kept with the game.
    void FormClose() { Game.Abandon(); }
    void NewButtonClick();
    void BackButtonClick();
    void ForwardButtonClick();
    void StopButtonClick();
    void MoveNow1Click() { Game.MoveNow(); }
    void ThinkingLimitChange();
    void LevelRdgClick(int item);
    void RulesChange();
    void TimeControlChange(QAction* chosen);
    void Resign1Click();
    void OfferDraw1Click();
    void ClockTimerTimer();
    // The rules and clock for the next new game, as the Game menu and the command line choose
    // them.
    void ChooseRules(Rules rules);
    void ChooseClock(const TimeControl& clock);
    void PromotionTimerTimer();
    void ComputerTimerTimer();
    void MoveTimerTimer();
    void DepthBarChange(int position);
    void Save1Click();
    void SaveAs1Click();
    void Open1Click();
    // Opens a saved game as "&Open" does once a file is chosen.
    void OpenFile(const QString& path);
    void League1Click();
    void LegalMoves1Click();
    void ScoredMoves1Click();
    void About1Click();
    void Exit1Click() { close(); }
    void Button1Click() { AddOpening(Game.Opponent().Book, Game.Board()); }
    void ExportOpenings1Click() { SaveOpenings(Game.Opponent().Book, OpeningsFileName); }
    void ImportOpenings1Click() { LoadOpenings(Game.Opponent().Book, FindBookFile()); }
    void ClearOpenings1Click() { ClearOpenings(Game.Opponent().Book); }
    // The Edit and View menus.
    void Undo1Click();
    void Redo1Click();
    void Hint1Click();
    void First1Click();
    void Last1Click();
    void BoardOptionsChange();
    void MoveList1Click();
    // PGN and FEN through files and the clipboard.
    void ExportPgn1Click() { ExportGame(this, *Ui.ExportDlg, Game); }
    void ImportPgn1Click();
    void CopyGame1Click() { CopyGame(this, Game); }
    void PasteGame1Click() {
        if (MayReplaceGame("pasting a game") && PasteGame(this, Game, LevelItemIndex(Ui)))
            ShowGame();
    }
    void CopyPosition1Click() { CopyPosition(Game); }
    void PastePosition1Click() {
        if (MayReplaceGame("pasting a position") && PastePosition(this, Game, LevelItemIndex(Ui)))
            ShowGame();
    }

  signals:
    void Closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The client area below the menu bar: the board is painted on it and clicked on it.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the computer player reaches while it thinks: the progress bar, the memo, the timer.
    friend class TWindowHooks;

    GameSession Game;
    std::unique_ptr<TWindowHooks> Hooks;
    TOtherForms Forms;
    QWidget* Client;
    TMainControls Ui{};
    // Where the piece pictures are read from, relative to the working folder.
    QString PictureFolder = FindPictureFolder();
    TBoardView View;
    PieceImages PieceBitmaps;
    bool StartedUp = false;
    QString KeptGameFile;
    // The session's change count when the game was last kept.
    uint64_t KeptChanges = 0;

    // The status lines, the hidden read-outs and the legal-moves window.
    void UpdateStatus();
    // Enables Undo, Redo and Hint where they can act, none while the computer thinks, and Move
    // Now only then.
    void UpdateActions(bool thinking);
    // Before and after the computer thinks: Move Now, the menus, the progress bar's text.
    void SetThinking(bool thinking);
    // The clocks of the position shown, the running one standing out; hidden without a clock.
    void ShowClocks();
    // Shows the game after a new game, a step or a load: the progress bar at 0, the depth, the
    // board.
    void ShowGame();
    void ShowComputerSides();
    bool WriteGame(const QString& path);
    // Save and Save As; true when the game was written.
    bool SaveGame();
    bool SaveGameAs();
};
