// The computer's turns: every tick of ComputerTimer looks whether the side to move is played
// by the computer and, if so, asks the move chooser for a move and plays it.
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>

#include "engine/Makemoveu.h"
#include "opponent/Choosemove.h"
#include "ui/Mainu.h"
#include "ui/Windowhooksu.h"

void TMainForm::ComputerTimerTimer() {
    // The search runs the window's events; a tick delivered there must not start a second move.
    if (Thinking) return;
    Opponent.Stop = false;
    if (Board.Outcome != InProgress) return;
    if ((Board.ToPlay == White || Board.ToPlay == WhiteChooses) && Player1Box->isChecked()) {
        ComputerMove(true);
        return;
    }
    if ((Board.ToPlay == Black || Board.ToPlay == BlackChooses) && Player2Box->isChecked())
        ComputerMove(false);
}

void TMainForm::ComputerMove(bool white) {
    // A promotion choice follows the pawn's move: its lines go below the move's.
    if (Board.ToPlay == White || Board.ToPlay == Black)
        Hooks->ClearConsidered();
    else
        Hooks->AddConsideredLine("");
    ComputerTimer->stop();
    // Only the computer's White moves are timed and adapt the depth.
    if (white) BeginThinking(Opponent, *Hooks);
    Thinking = true;
    const ::Board position = Board;
    const Move move = ChooseMove(Opponent, position, *Hooks);
    Thinking = false;
    if (white) EndThinking(*Hooks);
    Hooks->FlushConsidered();

    if (Opponent.Stop) {
        // "Stop", New Game, Back, Forward or closing the window: the move is not played and
        // the computer plays no side until a box is ticked again.
        ProgBar->setValue(0);
        Player1Box->setChecked(false);
        Player2Box->setChecked(false);
    } else if (move.X1 != NoMove) {
        GameMove(Board, History, move.X1, move.Y1, move.X2, move.Y2);
        ProgBar->setValue(0);
        LastMove = move;
        Repaint();
        if (white) {
            int position = DepthBar->value();
            RaiseAfterMove(Opponent, position);
            DepthBar->setValue(position);
        }
    }
    ComputerTimer->start();
}

void TMainForm::StopButtonClick() {
    Opponent.Stop = true;
    ProgBar->setValue(0);
}

void TMainForm::MoveTimerTimer() {
    // A move being abandoned no longer counts its time; a tick while it unwinds must not lower
    // the depth that a new game has just set.
    if (Opponent.Stop) return;
    int position = DepthBar->value();
    MoveTimerTick(Opponent, position);
    DepthBar->setValue(position);
}

void TMainForm::DepthBarChange(int position) {
    DepthLabel->setText(QString("Depth = %1").arg(position));
    DepthLabel->adjustSize();
}
