// The main window's paint: the board picture stretched over the board area, then the status
// lines, the hidden state labels and the legal-moves window.
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include "engine/Findu.h"
#include "ui/Boardpaintu.h"
#include "ui/Legalformu.h"
#include "ui/Mainu.h"

namespace {

// Sets a status line, narrowing its font for a text that would not fit the status panel
// ("Stalemate - 3 move repetition" is too wide for it at 16 pixels).
void SetStatusLine(QLabel* line, const QString& text) {
    QFont font = line->font();
    font.setPixelSize(16);
    while (font.pixelSize() > 10 && QFontMetrics(font).horizontalAdvance(text) > line->width())
        font.setPixelSize(font.pixelSize() - 1);
    line->setFont(font);
    line->setText(text);
}

} // namespace

void TMainForm::Repaint() {
    Client->repaint();
}

void TMainForm::FormPaint(QPainter& painter) {
    if (BoardBitmap.isNull())
        BoardBitmap = QImage(BoardPictureSize, BoardPictureSize, QImage::Format_RGB32);
    DrawBoard(BoardBitmap, Board, SelectedX, SelectedY, LastMove, PieceBitmaps);
    const QRect area = BoardArea();
    // The bottom line of the client area is left out, as the board always has been drawn.
    const QRect target(area.left(), area.top(), area.width(), area.height() - 1);
    // Close to the picture's own size, a smoothed copy would only blur it.
    const bool nearOwnSize = std::abs(target.width() - BoardPictureSize) <= 1 &&
                             std::abs(target.height() - BoardPictureSize) <= 1;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !nearOwnSize);
    if (target.width() > 0 && target.height() > 0) painter.drawImage(target, BoardBitmap);
    UpdateStatus();
}

void TMainForm::UpdateStatus() {
    ToPlayLabel->setText(QString("To Play: %1").arg(Board.ToPlay));
    CheckLabel->setText(QString("Check: %1").arg(Board.CheckStatus));
    StatusLabel->setText(QString("Status: %1").arg(Board.Outcome));
    ConditionLabel->setText(QString("Condition: %1").arg(Condition));
    BoredomLabel->setText(QString("Boredom: %1").arg(Board.Bored50));
    RepetitionLabel1->setText(QString("Repetition 1: %1").arg(Board.Repetition1));
    RepetitionLabel2->setText(QString("Repetition 2: %1").arg(Board.Repetition2));

    QString first;
    switch (Board.Outcome) {
    case 1:
        first = "White Wins!!";
        StatusLabel3->setText("Checkmate!");
        break;
    case 2:
        first = "Black Wins!!";
        StatusLabel3->setText("Checkmate!");
        break;
    case Drawn:
        first = "Stalemate!!";
        if (Board.Bored50 >= 50) first = "Stalemate - 50 move rule";
        if (Board.Repetition1 > 3) first = "Stalemate - 3 move repetition";
        if (Board.Repetition2 > 3) first = "Stalemate - 3 move repetition";
        break;
    case InProgress:
        if (Board.ToPlay == White) first = "White to play...";
        if (Board.ToPlay == Black) first = "Black to play...";
        StatusLabel3->setText(
            Board.CheckStatus == Board.ToPlay || Board.CheckStatus == BothInCheck ? "Check" : "");
        break;
    default:
        break;
    }
    SetStatusLine(StatusLabel2, first);

    FindLegalMoves(Board);
    if (LegalForm) {
        LegalForm->Refresh(Board.ToPlay);
        // Scheduled rather than painted here: this runs inside the main window's own paint.
        LegalForm->update();
    }
}
