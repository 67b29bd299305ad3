// The main window's controls at their places: the two docked panels with the status lines, the
// computer's boxes and level, Stop, the hidden depth bar, the playback buttons, the hidden
// read-outs of the board's state, the menus and the two file dialogs. Every control and menu
// item has the name the window connects it by and tests find it by.
#pragma once

#include <cstdint>

#include "opponent/Opponentu.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QRect;
class QSlider;
class QTimer;
class QWidget;
class TMoveList;

// The thinking limits the Game menu offers, in milliseconds, 0 for none.
struct ThinkingLimitItem {
    int64_t Ms;
    const char* Caption;
};
// The time controls the Game menu offers besides "No clock" and "Custom...": minutes + seconds.
struct TimeControlItem {
    int Minutes;
    int Seconds;
};
inline constexpr TimeControlItem TimeControls[] = {{1, 0},  {3, 2},   {5, 0},
                                                   {10, 0}, {15, 10}, {30, 0}};

inline constexpr ThinkingLimitItem ThinkingLimits[] = {
    {1000, "&1 second"},    {2000, "&2 seconds"}, {5000, "&5 seconds"}, {10000, "1&0 seconds"},
    {30000, "&30 seconds"}, {60000, "1 &minute"}, {0, "&No limit"}};

struct TMainControls {
    QFrame* ProgPanel;
    QProgressBar* ProgBar;
    // Beside the progress bar while the computer thinks.
    QPushButton* MoveNowButton;
    QFrame* ControlPanel;
    QFrame* StatusPanel;
    QLabel* StatusLabel2;
    QLabel* StatusLabel3;
    // Below the status lines, shown only under a clock.
    QFrame* ClockPanel;
    QLabel* WhiteClock;
    QLabel* BlackClock;
    QPushButton* Button1;
    QFrame* ComputerPanel;
    QCheckBox* Player1Box;
    QCheckBox* Player2Box;
    QGroupBox* LevelRdg;
    QRadioButton* LevelItems[LevelCount];
    QPushButton* StopButton;
    QSlider* DepthBar;
    QLabel* DepthLabel;
    QFrame* PlaybackPanel;
    QPushButton* BackButton;
    QPushButton* ForwardButton;
    QPushButton* NewButton;
    // Developer read-outs of the board's state, never shown.
    QLabel* ToPlayLabel;
    QLabel* CheckLabel;
    QLabel* StatusLabel;
    QLabel* ConditionLabel;
    QLabel* BoredomLabel;
    QLabel* RepetitionLabel1;
    QLabel* RepetitionLabel2;
    // The menu items the window enables, or reads the ticks of.
    QAction* Undo1;
    QAction* Redo1;
    QAction* Hint1;
    QAction* FlipBoard1;
    QAction* AutoFlip1;
    QAction* Coordinates1;
    QAction* HighlightCheck1;
    QAction* LegalTargets1;
    QAction* MoveList1;
    QAction* MoveNow1;
    // The Game menu's thinking limits, one ticked; each holds its milliseconds as data.
    QActionGroup* ThinkingLimit1;
    // The rules, ticked one of two; the time controls, each holding "minutes+seconds" (""
    // for none) as data, the last one Custom.
    QActionGroup* Rules1;
    QActionGroup* TimeControl1;
    QAction* ClockCustom1;
    QAction* Resign1;
    QAction* OfferDraw1;
    // Hidden until View > Move List shows it between the board and the control panel.
    TMoveList* MoveList;
    QFileDialog* SaveDlg;
    QFileDialog* OpenDlg;
    QFileDialog* ExportDlg;
    QFileDialog* ImportDlg;
    // Every 10 ms from the start; every 100 ms from the start; only while the computer
    // thinks as White.
    QTimer* ComputerTimer;
    QTimer* PromotionTimer;
    QTimer* MoveTimer;
    // Every 100 ms from the start: the clocks shown and their flags.
    QTimer* ClockTimer;
};

// Builds every control: the panels inside `client`, the menus and dialogs of `window`.
void CreateMainControls(TMainControls& c, QMainWindow* window, QWidget* client);

// Docks the top panel across `client`, the control panel down its right side and the move
// list, when shown, beside it; the progress bar leaves room for "Move Now" while it is shown.
void DockPanels(TMainControls& c, const QWidget* client);

// Keeps `client` at least as large as the smallest board and every control need.
void SetMinimumSize(const TMainControls& c, QWidget* client);

// Shows or hides the clocks, moving the panels below them.
void ShowClockPanel(TMainControls& c, bool shown);

// The width the move list takes when it is shown.
int MoveListWidth();

// The board area of `client`: from (0, ProgPanel's height) to (client width - ControlPanel's
// width - the shown move list's width, client height).
QRect BoardArea(const TMainControls& c, const QWidget* client);

// Writes the board's state into the hidden read-outs; `condition` is 1 while a square is
// selected.
void ShowReadOuts(TMainControls& c, const Board& board, int condition);

// The selected item of LevelRdg, -1 when none.
int LevelItemIndex(const TMainControls& c);

// The ticked thinking limit in milliseconds, and ticking the one nearest `ms` (0: "No limit").
int64_t ThinkingLimitMs(const TMainControls& c);
void SetThinkingLimitMs(TMainControls& c, int64_t ms);
