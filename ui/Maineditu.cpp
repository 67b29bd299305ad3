// The main window's Edit and View commands: Undo and Redo, the hint, the first and last
// positions, the board options and the move list.
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ui/Mainu.h"
#include "ui/Movelistu.h"
#include "ui/Widgetsu.h"
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
    SetThinking(true);
    Game.Hint(*Hooks);
    Hooks->FlushConsidered();
    Ui.ProgBar->setValue(0);
    SetThinking(false);
    Repaint();
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
    Ui.MoveNow1->setEnabled(thinking);
    Ui.Resign1->setEnabled(!thinking && Game.HumanMayEnd());
    Ui.OfferDraw1->setEnabled(!thinking && Game.HumanMayEnd());
}

void TMainForm::SetThinking(bool thinking) {
    UpdateActions(thinking);
    // Shown only while it can act, so that the window looks as it always has otherwise.
    Ui.MoveNowButton->setVisible(thinking);
    Ui.ProgBar->setTextVisible(thinking);
    DockPanels(Ui, Client);
    if (thinking) ShowThinking();
}

void TMainForm::ShowThinking() {
    if (!Game.Thinking()) return;
    const StatusTexts status = Game.Status();
    SetFittedText(Ui.StatusLabel2, QString::fromStdString(status.First), 16);
    SetFittedText(Ui.StatusLabel3, QString::fromStdString(status.Second.value_or("")), 16);
    const ChoiceProgress& progress = Game.Progress();
    const QString of = QString("move %1 of %2").arg(progress.Current + 1).arg(progress.Count);
    Ui.ProgBar->setFormat(
        progress.Phase == ChoiceProgress::QuickScan ? "Thinking: quick scan, " + of
        : progress.Phase == ChoiceProgress::MainSearch
            ? QString("Thinking: depth %1, ").arg(progress.Depth) + of
            : QString("Thinking: choosing a piece at depth %1").arg(progress.Depth));
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
