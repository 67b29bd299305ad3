// The main window's Edit and View commands: Undo and Redo, the hint, the first and last
// positions, the board options and the move list.
#include <QAction>
#include <QProgressBar>

#include "ui/Mainu.h"
#include "ui/Movelistu.h"
#include "ui/Windowhooksu.h"

void TMainForm::Undo1Click() {
    if (Game.Undo()) ShowGame();
}

void TMainForm::Redo1Click() {
    if (Game.Redo()) ShowGame();
}

void TMainForm::First1Click() {
    if (Game.GoTo(1)) ShowGame();
}

void TMainForm::Last1Click() {
    if (Game.GoTo(Game.History().Stored)) ShowGame();
}

void TMainForm::Hint1Click() {
    if (!Game.HumanToMove()) return;
    UpdateActions(true);
    const bool found = Game.Hint(*Hooks);
    Hooks->FlushConsidered();
    Ui.ProgBar->setValue(0);
    UpdateActions(false);
    if (found) Repaint();
}

void TMainForm::BoardOptionsChange() {
    View.Options = {Ui.FlipBoard1->isChecked(), Ui.AutoFlip1->isChecked(),
                    Ui.Coordinates1->isChecked(), Ui.HighlightCheck1->isChecked(),
                    Ui.LegalTargets1->isChecked()};
    Repaint();
}

void TMainForm::UpdateActions(bool thinking) {
    Ui.Undo1->setEnabled(!thinking && Game.CanUndo());
    Ui.Redo1->setEnabled(!thinking && Game.CanRedo());
    Ui.Hint1->setEnabled(!thinking && Game.HumanToMove());
}

void TMainForm::MoveList1Click() {
    const bool shown = Ui.MoveList1->isChecked();
    if (shown != Ui.MoveList->isHidden()) return;
    // The window grows or shrinks by the part of the list's width that the board area cannot
    // spare beside the board, so that the board keeps its size.
    const QRect area = BoardArea(Ui, Client);
    const int change =
        std::max(0, MoveListWidth() - area.width() + std::min(area.width(), area.height() - 1));
    Ui.MoveList->setVisible(shown);
    SetMinimumSize(Ui, Client);
    if (isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        resize(width() + (shown ? change : -change), height());
    FormResize();
}
