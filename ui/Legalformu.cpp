#include "ui/Legalformu.h"

#include <QPlainTextEdit>
#include <algorithm>

#include "notation/Letteru.h"
#include "ui/Widgetsu.h"

TLegalForm::TLegalForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("LegalForm");
    setWindowTitle("Legal Moves");
    resize(141, 649);
    move(651, 0);
    Box = FillWithListBox(this);
}

void TLegalForm::Refresh(int side) {
    Box->clear();
    Box->appendPlainText(side == White ? "White" : "Black");
    Box->appendPlainText("Legal Moves:");
    Box->appendPlainText("***************");
    if (!LiveBoard) return;
    const Board& board = *LiveBoard;
    const int count = board.LegalCount < 0 ? 0 : std::min(board.LegalCount, MaxLegalMoves);
    for (int i = 0; i < count; ++i) {
        const Move& move = board.LegalMoves[i];
        // A promotion choice has no from-square: it is written as the piece it chooses.
        if (move.X1 == PromotionChoice) {
            Box->appendPlainText(QString::fromStdString(PieceName(move.Y1)));
            continue;
        }
        const int piece = GetSquare(board, move.X1, move.Y1);
        const bool capture = GetSquare(board, move.X2, move.Y2) != Empty;
        Box->appendPlainText(
            QString::fromStdString(MoveToText(piece, capture, move.X1, move.Y1, move.X2, move.Y2)));
    }
}
