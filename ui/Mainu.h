// The main window: it owns the game (board, history, computer player, selection, last move,
// saved-game name) and turns clicks, buttons and menus into calls on the rules engine and the
// libraries. It holds no game rules of its own.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <memory>

#include "engine/Boardu.h"
#include "engine/Historyu.h"
#include "opponent/Opponentu.h"
#include "ui/Datafolderu.h"
#include "ui/Picturesu.h"

class QAction;
class QCheckBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;
class TAboutForm;
class TDepth1Form;
class TLeagueForm;
class TLegalForm;
class TMainForm;
class TPromotionForm;
class TWindowHooks;

// The client area below the menu bar: the board is painted on it and clicked on it; the two
// panels are docked inside it.
class TClientArea : public QWidget {
    Q_OBJECT

  public:
    explicit TClientArea(TMainForm& form);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TMainForm& Form;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

    // Held apart because of their size (the history is 1024 whole boards).
    std::unique_ptr<::History> HistoryStore;
    std::unique_ptr<::Opponent> OpponentStore;

  public:
    TMainForm();
    ~TMainForm() override;

    // The game.
    ::Board Board{};
    ::History& History;
    ::Opponent& Opponent;
    int32_t Condition = 0; // 0 nothing selected, 1 a square selected
    int32_t SelectedX = -1;
    int32_t SelectedY = -1;
    Move LastMove{NoMove, NoMove, NoMove, NoMove};
    QString FileName;
    // Set while the computer works out a move: the live board must not change under it, and
    // no second move may start.
    bool Thinking = false;
    // What the computer player reaches in the windows while it thinks.
    std::unique_ptr<TWindowHooks> Hooks;
    // Where the piece pictures are read from: Images/ of the working folder when it has them.
    QString PictureFolder = FindPictureFolder();

    QImage BoardBitmap;
    PieceImages PieceBitmaps;

    // The other windows, given by CreateForms.
    TLeagueForm* LeagueForm = nullptr;
    TLegalForm* LegalForm = nullptr;
    TDepth1Form* Depth1Form = nullptr;
    TPromotionForm* PromotionForm = nullptr;
    TAboutForm* AboutForm = nullptr;

    // Controls.
    TClientArea* Client;
    QFrame* ProgPanel;
    QProgressBar* ProgBar;
    QFrame* ControlPanel;
    QFrame* StatusPanel;
    QLabel* StatusLabel2;
    QLabel* StatusLabel3;
    QPushButton* Button1;
    QFrame* ComputerPanel;
    QLabel* ComputerPlaysLabel;
    QCheckBox* Player1Box;
    QCheckBox* Player2Box;
    QGroupBox* LevelRdg;
    QRadioButton* LevelItems[LevelCount];
    QPushButton* StopButton;
    QSlider* DepthBar;
    QLabel* DepthLabel;
    QLabel* DepthMinLabel;
    QLabel* DepthMaxLabel;
    QFrame* PlaybackPanel;
    QPushButton* BackButton;
    QPushButton* ForwardButton;
    QPushButton* NewButton;
    QLabel* ToPlayLabel;
    QLabel* CheckLabel;
    QLabel* StatusLabel;
    QLabel* ConditionLabel;
    QLabel* BoredomLabel;
    QLabel* RepetitionLabel1;
    QLabel* RepetitionLabel2;
    QTimer* ComputerTimer;
    QTimer* PromotionTimer;
    QTimer* MoveTimer;
    QFileDialog* SaveDlg;
    QFileDialog* OpenDlg;

    // Handlers.
    void FormShow();
    void FormPaint(QPainter& painter);
    void FormResize();
    void FormMouseUp(int x, int y);
    void FormClose();
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
    void Exit1Click();
    void Button1Click();
    void ExportOpenings1Click();
    void ImportOpenings1Click();
    void ClearOpenings1Click();

    // Invalidates the window and paints it at once, status update included.
    void Repaint();
    // The status lines, the hidden labels and the legal-moves window.
    void UpdateStatus();
    // The board area: from (0, ProgPanel's height) to (client width - ControlPanel's width,
    // client height).
    QRect BoardArea() const;
    // The selected item of LevelRdg, -1 when none.
    int LevelItemIndex() const;

  signals:
    void Closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool StartedUp = false;

    void CreateControls();
    void CreateMenus();
    void CreateDialogs();
    void DockPanels();
    void ClearSelection();
    void ChoosePromotion(int row);
    // Plays the computer's move for the side in the White or the Black branch of a turn.
    void ComputerMove(bool white);
    bool WriteGame(const QString& path);
};
