// The main window's game handlers: start-up, new game, board clicks, the human promotion
// choice, stepping through the history, and the menu commands.
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>

#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "openings/Openingu.h"
#include "ui/Aboutu.h"
#include "ui/Boardpaintu.h"
#include "ui/Depth1formu.h"
#include "ui/Dialogsu.h"
#include "ui/Leagueformu.h"
#include "ui/Legalformu.h"
#include "ui/Mainu.h"
#include "ui/Promotionu.h"

void TMainForm::FormShow() {
    BoardBitmap = QImage(BoardPictureSize, BoardPictureSize, QImage::Format_RGB32);
    const QStringList missing = LoadPieceImages(PieceBitmaps, PictureFolder);
    NewButtonClick();
    SelectedX = SelectedY = -1;
    LastMove = {NoMove, NoMove, NoMove, NoMove};
    if (LegalForm) LegalForm->LiveBoard = &Board;
    ReadyOpponent(Opponent);
    FileName.clear();
    // The game goes on without a picture that is missing; the user learns which one.
    if (!missing.isEmpty()) {
        ShowMessage(this,
                    missing.size() == 1
                        ? QString("Cannot load the piece picture %1.").arg(missing.first())
                        : QString("Cannot load the piece pictures %1.").arg(missing.join(", ")));
    }
}

void TMainForm::FormClose() {
    Opponent.Stop = true;
    ProgBar->setValue(0);
}

void TMainForm::ClearSelection() {
    Condition = 0;
    SelectedX = SelectedY = -1;
}

void TMainForm::NewButtonClick() {
    StopButtonClick();
    ClearSelection();
    LastMove = {NoMove, NoMove, NoMove, NoMove};
    SetUpBoard(Board);
    FindLegalMoves(Board);
    Repaint();
    ResetHistory(History);
    PushHistory(History, Board);
    FileName.clear();
    // The difficulty takes effect only here.
    int position = DepthBar->value();
    if (ApplyLevel(Opponent, LevelItemIndex(), position)) DepthBar->setValue(position);
    LoadOpenings(Opponent.Book, FindBookFile());
    ProgBar->setValue(0);
}

void TMainForm::FormMouseUp(int x, int y) {
    // The live board must not change under the computer's search.
    if (Thinking) return;
    const QRect area = BoardArea();
    const int width = area.width();
    const int top = area.top();
    const int height = Client->height();
    if (Board.Outcome != InProgress || x <= 0 || x >= width || y <= top) return;
    // A window shrunk to its top panel has no board rows left to click.
    if (height <= top) return;
    const int col = (8 * x) / width;
    const int row = (8 * (y - top)) / (height - top);
    if (row < 0 || row > 7) return;

    const int piece = Board.Squares[col][row];
    const bool ownPiece =
        (Board.ToPlay == White && piece > 0) || (Board.ToPlay == Black && piece < 0);
    const bool selected = col == SelectedX && row == SelectedY;
    if (!selected && ownPiece) {
        SelectedX = col;
        SelectedY = row;
        Condition = 1;
        Repaint();
        return;
    }
    if (Condition != 1) return;
    if (selected) {
        ClearSelection();
        Repaint();
        return;
    }
    if (!IsLegal(Board, SelectedX, SelectedY, col, row)) return;
    if (!GameMove(Board, History, SelectedX, SelectedY, col, row)) return;
    LastMove = {SelectedX, SelectedY, col, row};
    ClearSelection();
    Repaint();
}

void TMainForm::ChoosePromotion(int row) {
    PromotionTimer->stop();
    const int file = WaitingPawnFile(Board);
    if (file >= 0 && PromotionForm) {
        PromotionForm->FormShow();
        RunModal(*PromotionForm);
        GameMove(Board, History, PromotionChoice, PromotionForm->PromotionChoice, file, row);
        Repaint();
    }
    PromotionTimer->start();
}

void TMainForm::PromotionTimerTimer() {
    // A box unticked while the computer works out its own promotion choice must not let the
    // human choose on the board under it.
    if (Thinking) return;
    if (Board.ToPlay == WhiteChooses && !Player1Box->isChecked()) {
        ChoosePromotion(0);
    } else if (Board.ToPlay == BlackChooses && !Player2Box->isChecked()) {
        ChoosePromotion(7);
    }
}

void TMainForm::BackButtonClick() {
    if (History.Count <= 1) return;
    StopButtonClick();
    StepBack(History, Board);
    ClearSelection();
    Repaint();
}

void TMainForm::ForwardButtonClick() {
    if (History.Count >= History.Stored) return;
    StopButtonClick();
    StepForward(History, Board);
    ClearSelection();
    Repaint();
}

void TMainForm::League1Click() {
    if (LeagueForm) LeagueForm->show();
}

void TMainForm::LegalMoves1Click() {
    if (LegalForm) LegalForm->show();
}

void TMainForm::ScoredMoves1Click() {
    if (Depth1Form) Depth1Form->show();
}

void TMainForm::About1Click() {
    if (AboutForm) RunModal(*AboutForm);
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::Button1Click() {
    AddOpening(Opponent.Book, Board);
}

void TMainForm::ExportOpenings1Click() {
    SaveOpenings(Opponent.Book);
}

void TMainForm::ImportOpenings1Click() {
    LoadOpenings(Opponent.Book, FindBookFile());
}

void TMainForm::ClearOpenings1Click() {
    Opponent.Book.EntryCount = 0;
}
