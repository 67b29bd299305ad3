// The main window's Edit and View commands: Undo and Redo, the hint, the first and last
// positions, the board options, the move list, and PGN and FEN through files and the clipboard.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProgressBar>

#include "notation/Fen.h"
#include "ui/Dialogsu.h"
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

void TMainForm::ShowImport(const std::string& message) {
    if (message.empty())
        ShowGame();
    else
        ShowMessage(this, QString::fromStdString(message));
}

void TMainForm::ExportPgn1Click() {
    const QString path = AskFileName(*Ui.ExportDlg);
    if (path.isEmpty() || !ConfirmReplace(this, path)) return;
    const PgnText pgn =
        ExportPgn(QFile::encodeName(path).toStdString(), Game.History(), Game.ExportTags());
    if (!pgn.Written) ShowMessage(this, QString::fromStdString(pgn.Message));
}

void TMainForm::ImportPgn1Click() {
    const QString path = AskFileName(*Ui.ImportDlg);
    if (!path.isEmpty()) ImportGame(path);
}

void TMainForm::ImportGame(const QString& path) {
    ShowImport(Game.ImportPgn(QFile::encodeName(path).toStdString(), LevelItemIndex(Ui)));
}

void TMainForm::CopyGame1Click() {
    const PgnText pgn = WritePgn(Game.History(), Game.ExportTags());
    if (pgn.Written)
        QGuiApplication::clipboard()->setText(QString::fromStdString(pgn.Text));
    else
        ShowMessage(this, QString::fromStdString(pgn.Message));
}

void TMainForm::PasteGame1Click() {
    const QString text = QGuiApplication::clipboard()->text();
    ShowImport(Game.PastePgn(text.toStdString(), LevelItemIndex(Ui)));
}

void TMainForm::CopyPosition1Click() {
    const std::string fen = ShownFen(Game.History());
    if (!fen.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(fen));
}

void TMainForm::PastePosition1Click() {
    const QString fen = QGuiApplication::clipboard()->text().trimmed();
    ShowImport(Game.PasteFen(fen.toStdString(), LevelItemIndex(Ui)));
}
