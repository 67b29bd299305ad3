// The main window: it draws the game session's board and status, turns clicks, buttons, menus
// and timers into calls on the session, and runs the dialogs and the other windows.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <memory>

#include "game/Sessionu.h"
#include "ui/Datafolderu.h"
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
    void SetOtherForms(const TOtherForms& forms);
    // Opens a saved game as File > Open does once a name is chosen.
    void OpenGame(const QString& path);
    // Invalidates the window and paints it at once, status update included.
    void Repaint() { Client->repaint(); }

    // Handlers.
    void FormShow();
    void FormPaint(QPainter& painter);
    void FormResize() {
        DockPanels(Ui, Client);
        Repaint();
    }
    void FormMouseUp(int x, int y);
    void FormClose() { StopButtonClick(); }
    void NewButtonClick();
    void BackButtonClick();
    void ForwardButtonClick();
    void StopButtonClick();
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
    QImage BoardBitmap;
    PieceImages PieceBitmaps;
    bool StartedUp = false;

    // The status lines, the hidden read-outs and the legal-moves window.
    void UpdateStatus();
    // Shows the game after a new game, a step or a load: the progress bar at 0, the depth, the
    // board.
    void ShowGame();
    void ShowComputerSides();
    void WriteGame(const QString& path);
};
