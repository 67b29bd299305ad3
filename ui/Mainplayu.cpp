// The main window's game handlers: start-up, new game, board clicks, the human promotion
// choice, stepping through the history, the computer's turns, the File commands, and showing
// the other windows.
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
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
    Game.ChooseLevel(LevelItemIndex(Ui));
    // The game the last run left in progress comes back; a kept game that cannot be read is
    // passed over.
    if (!KeptGameFile.isEmpty() && Game.Resume(QFile::encodeName(KeptGameFile).toStdString()))
        ShowComputerSides();
    KeptChanges = Game.Changes();
    ShowGame();
    Client->setFocus();
    // The game goes on without a picture that is missing; the user learns which one.
    if (!missing.isEmpty()) ShowMessage(this, MissingPicturesMessage(missing));
}

void TMainForm::ShowGame() {
    Ui.ProgBar->setValue(0);
    Ui.DepthBar->setValue(Game.DepthBar());
    // The clocks come and go with the games that have them, the window growing to hold them.
    const bool clocks = Game.GameClock().On();
    if (clocks == Ui.ClockPanel->isHidden()) {
        ShowClockPanel(Ui, clocks);
        SetMinimumSize(Ui, Client);
    }
    Repaint();
}

void TMainForm::ShowComputerSides() {
    Ui.Player1Box->setChecked(Game.ComputerPlays(White));
    Ui.Player2Box->setChecked(Game.ComputerPlays(Black));
}

void TMainForm::NewButtonClick() {
    if (!MayReplaceGame("starting a new game")) return;
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
    if (thinks) SetThinking(true);
    const TurnResult turn = Game.ComputerTurn(*Hooks);
    if (thinks) SetThinking(false);
    if (turn != TurnResult::NotItsTurn) Hooks->FlushConsidered();
    if (turn == TurnResult::Stopped) {
        Ui.ProgBar->setValue(0);
        ShowComputerSides();
    } else if (turn == TurnResult::Played) {
        Ui.ProgBar->setValue(0);
        Ui.DepthBar->setValue(Game.DepthBar());
    }
    // The status said what the computer was thinking.
    if (thinks) Repaint();
    // Once the window has closed, no more turns.
    if (isVisible()) Ui.ComputerTimer->start();
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

bool TMainForm::WriteGame(const QString& path) {
    // A failed save leaves the old file intact; the user must not believe the game was saved.
    if (Game.Save(QFile::encodeName(path).toStdString())) return true;
    ShowMessage(this, QString("Cannot save the game to %1.").arg(path));
    return false;
}

bool TMainForm::SaveGame() {
    if (Game.FileName().empty()) return SaveGameAs();
    return WriteGame(QFile::decodeName(Game.FileName().c_str()));
}

bool TMainForm::SaveGameAs() {
    const QString path = AskFileName(*Ui.SaveDlg);
    // A failed save keeps the earlier name.
    return !path.isEmpty() && ConfirmReplace(this, path) && WriteGame(path);
}

void TMainForm::Save1Click() {
    SaveGame();
}

void TMainForm::SaveAs1Click() {
    SaveGameAs();
}

bool TMainForm::MayReplaceGame(const QString& doing) {
    if (!Game.UnsavedMoves()) return true;
    switch (AskSaveFirst(this, QString("The game has moves that are not saved.\n"
                                       "Save them before %1?")
                                   .arg(doing))) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Save:
        // Save writes up to the position shown: the whole game, then.
        if (Game.GoTo(Game.History().Stored)) ShowGame();
        return SaveGame() && !Game.UnsavedMoves();
    default:
        return false;
    }
}

void TMainForm::ImportPgn1Click() {
    if (!MayReplaceGame("importing a game")) return;
    const QString path = AskFileName(*Ui.ImportDlg);
    // A file of several games offers the list of them.
    if (!path.isEmpty() && ::ImportGame(this, Game, path, LevelItemIndex(Ui), true)) ShowGame();
}

void TMainForm::Open1Click() {
    if (!MayReplaceGame("opening another game")) return;
    const QString path = AskFileName(*Ui.OpenDlg);
    if (!path.isEmpty()) OpenGame(path);
}

void TMainForm::OpenGame(const QString& path) {
    // A file that does not load leaves the game on the board as it was.
    const LoadResult result = Game.Open(QFile::encodeName(path).toStdString(), LevelItemIndex(Ui));
    if (result.Loaded) ShowGame();
    if (result.Message.empty()) return;
    // The message alone may be a riddle: the file is named, and what became of it said.
    const QString name = QFileInfo(path).fileName();
    const QString plainly =
        result.Loaded     ? QString("Only the whole positions of \"%1\" were opened; Save asks "
                                        "for a new name.")
        : result.NotAGame ? QString("\"%1\" is not a game that Brisko Chess!! saved.")
                          : QString("\"%1\" was not opened; the game on the board is as it was.");
    ShowMessage(this, QString::fromStdString(result.Message) + "\n\n" + plainly.arg(name));
}
