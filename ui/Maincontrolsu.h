// The main window's controls at their places: the two docked panels with the status lines, the
// computer's boxes and level, Stop, the hidden depth bar, the playback buttons, the hidden
// read-outs of the board's state, the menus and the two file dialogs. Every control and menu
// item has the name the window connects it by and tests find it by.
#pragma once

#include "opponent/Opponentu.h"

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

struct TMainControls {
    QFrame* ProgPanel;
    QProgressBar* ProgBar;
    QFrame* ControlPanel;
    QFrame* StatusPanel;
    QLabel* StatusLabel2;
    QLabel* StatusLabel3;
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
    QFileDialog* SaveDlg;
    QFileDialog* OpenDlg;
    // Every 10 ms from the start; every 100 ms from the start; only while the computer
    // thinks as White.
    QTimer* ComputerTimer;
    QTimer* PromotionTimer;
    QTimer* MoveTimer;
};

// Builds every control: the panels inside `client`, the menus and dialogs of `window`.
void CreateMainControls(TMainControls& c, QMainWindow* window, QWidget* client);

// Docks the top panel across `client` and the control panel down its right side.
void DockPanels(TMainControls& c, const QWidget* client);

// The board area of `client`: from (0, ProgPanel's height) to (client width - ControlPanel's
// width, client height).
QRect BoardArea(const TMainControls& c, const QWidget* client);

// Writes the board's state into the hidden read-outs; `condition` is 1 while a square is
// selected.
void ShowReadOuts(TMainControls& c, const Board& board, int condition);

// The selected item of LevelRdg, -1 when none.
int LevelItemIndex(const TMainControls& c);
