// The main window's game handlers: start-up, new game, board clicks, the human promotion
// choice, stepping through the history, the computer's turns, the File commands, and showing
// the other windows.
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>

#include "ui/Aboutu.h"
#include "ui/Depth1formu.h"
#include "ui/Dialogsu.h"
#include "ui/Leagueformu.h"
#include "ui/Legalformu.h"
#include "ui/Mainu.h"
#include "ui/Promotionu.h"
#include "ui/Windowhooksu.h"

void TMainForm::FormShow() {
    const QStringList missing = LoadPieceImages(PieceBitmaps, PictureFolder);
    Game.SetBookPath(FindBookFile());
    Game.StartUp(LevelItemIndex(Ui));
    ShowGame();
    // The game goes on without a picture that is missing; the user learns which one.
    if (!missing.isEmpty()) ShowMessage(this, MissingPicturesMessage(missing));
}

void TMainForm::ShowGame() {
    Ui.ProgBar->setValue(0);
    Ui.DepthBar->setValue(Game.DepthBar());
    Repaint();
}

void TMainForm::ShowComputerSides() {
    Ui.Player1Box->setChecked(Game.ComputerPlays(White));
    Ui.Player2Box->setChecked(Game.ComputerPlays(Black));
}

void TMainForm::NewButtonClick() {
    // The book is looked up afresh, so one exported since is picked up.
    Game.SetBookPath(FindBookFile());
    Game.NewGame(LevelItemIndex(Ui));
    ShowGame();
}

void TMainForm::FormMouseUp(int x, int y) {
    if (View.Release(Game, QPoint(x, y))) Repaint();
}

void TMainForm::PromotionTimerTimer() {
    if (!Game.HumanMustChoose() || !Forms.PromotionForm) return;
    Ui.PromotionTimer->stop();
    Forms.PromotionForm->FormShow();
    RunModal(*Forms.PromotionForm);
    Game.ChoosePromotion(Forms.PromotionForm->PromotionChoice);
    Repaint();
    Ui.PromotionTimer->start();
}

void TMainForm::BackButtonClick() {
    if (Game.Back()) ShowGame();
}

void TMainForm::ForwardButtonClick() {
    if (Game.Forward()) ShowGame();
}

void TMainForm::ComputerTimerTimer() {
    // The search runs the window's events; a tick delivered there must not start a second move.
    if (Game.Thinking()) return;
    // Stopped for the whole of a computer move.
    Ui.ComputerTimer->stop();
    const bool thinks = Game.ComputerToMove();
    if (thinks) UpdateActions(true);
    const TurnResult turn = Game.ComputerTurn(*Hooks);
    if (thinks) UpdateActions(false);
    if (turn != TurnResult::NotItsTurn) Hooks->FlushConsidered();
    if (turn == TurnResult::Stopped) {
        Ui.ProgBar->setValue(0);
        ShowComputerSides();
    } else if (turn == TurnResult::Played) {
        Ui.ProgBar->setValue(0);
        Repaint();
        Ui.DepthBar->setValue(Game.DepthBar());
    }
    Ui.ComputerTimer->start();
}

void TMainForm::StopButtonClick() {
    Game.Stop();
    Ui.ProgBar->setValue(0);
}

void TMainForm::MoveTimerTimer() {
    Game.MoveTimerTick();
    Ui.DepthBar->setValue(Game.DepthBar());
}

void TMainForm::DepthBarChange(int position) {
    Game.SetDepthBar(position);
    Ui.DepthLabel->setText(QString("Depth = %1").arg(position));
    Ui.DepthLabel->adjustSize();
}

void TMainForm::League1Click() {
    if (Forms.LeagueForm) Forms.LeagueForm->show();
}

void TMainForm::LegalMoves1Click() {
    if (Forms.LegalForm) Forms.LegalForm->show();
}

void TMainForm::ScoredMoves1Click() {
    if (Forms.Depth1Form) Forms.Depth1Form->show();
}

void TMainForm::About1Click() {
    if (Forms.AboutForm) RunModal(*Forms.AboutForm);
}

void TMainForm::WriteGame(const QString& path) {
    // A failed save leaves the old file intact; the user must not believe the game was saved.
    if (!Game.Save(QFile::encodeName(path).toStdString()))
        ShowMessage(this, QString("Cannot save the game to %1.").arg(path));
}

void TMainForm::Save1Click() {
    if (Game.FileName().empty()) {
        SaveAs1Click();
        return;
    }
    WriteGame(QFile::decodeName(Game.FileName().c_str()));
}

void TMainForm::SaveAs1Click() {
    const QString path = AskFileName(*Ui.SaveDlg);
    // A failed save keeps the earlier name.
    if (!path.isEmpty() && ConfirmReplace(this, path)) WriteGame(path);
}

void TMainForm::ImportPgn1Click() {
    const QString path = AskFileName(*Ui.ImportDlg);
    // A file of several games offers the list of them.
    if (!path.isEmpty() && ::ImportGame(this, Game, path, LevelItemIndex(Ui), true)) ShowGame();
}

void TMainForm::Open1Click() {
    const QString path = AskFileName(*Ui.OpenDlg);
    if (!path.isEmpty()) OpenGame(path);
}

void TMainForm::OpenGame(const QString& path) {
    // A file that does not load leaves the game on the board as it was.
    const LoadResult result = Game.Open(QFile::encodeName(path).toStdString(), LevelItemIndex(Ui));
    if (result.Loaded) ShowGame();
    if (!result.Message.empty()) ShowMessage(this, QString::fromStdString(result.Message));
}
