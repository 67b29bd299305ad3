#include "ui/Boardpaintu.h"

#include <QPainter>

void DrawSquare(QPainter& painter, int left, int top, QRgb colour) {
    painter.fillRect(left, top, SquareSize, SquareSize, QColor(colour));
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, SquareSize - 1, SquareSize - 1);
}

void DrawBoard(QImage& picture, const Board& board, int selectedX, int selectedY,
               const Move& lastMove, const PieceImages& pieces) {
    QPainter painter(&picture);
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            // Later tests win: a selected square that is also part of the last move shows red.
            QRgb colour = (x + y) % 2 == 0 ? LightSquare : DarkSquare;
            if (x == selectedX && y == selectedY) colour = SelectedColour;
            if (x == lastMove.X1 && y == lastMove.Y1) colour = LastMoveColour;
            if (x == lastMove.X2 && y == lastMove.Y2) colour = LastMoveColour;
            DrawSquare(painter, SquareSize * x, SquareSize * y, colour);
        }
    }
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int index = PictureIndex(board.Squares[x][y]);
            if (index < 0 || pieces[index].isNull()) continue;
            painter.drawImage(SquareSize * x + 2, SquareSize * y + 2, pieces[index]);
        }
    }
}

void DrawStretched(QPainter& painter, const QImage& picture, const QRect& area) {
    // The board stops one line short of the client area's bottom edge.
    const QRect target(area.left(), area.top(), area.width(), area.height() - 1);
    const bool nearOwnSize = std::abs(target.width() - picture.width()) <= 1 &&
                             std::abs(target.height() - picture.height()) <= 1;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !nearOwnSize);
    if (target.width() > 0 && target.height() > 0) painter.drawImage(target, picture);
}
