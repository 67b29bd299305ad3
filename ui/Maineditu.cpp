// The main window's Edit and View commands: Undo and Redo, the hint, the first and last
// positions, and the board options.
#include <QAction>
#include <QProgressBar>

#include "ui/Mainu.h"
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
