#include "ui/Boardpaintu.h"

#include <QPainter>
#include <cmath>

namespace {

bool Marked(uint64_t mask, int x, int y) {
    return (mask >> (8 * x + y)) & 1u;
}

bool On(const Move& move, bool from, int x, int y) {
    return from ? x == move.X1 && y == move.Y1 : x == move.X2 && y == move.Y2;
}

// Fills `cell` with `colour` and outlines it in black, `line` pixels wide, on its outermost
// pixels.
void DrawCell(QPainter& painter, const QRect& cell, QRgb colour, int line) {
    painter.fillRect(cell, QColor(colour));
    const QColor black(Qt::black);
    painter.fillRect(cell.left(), cell.top(), cell.width(), line, black);
    painter.fillRect(cell.left(), cell.bottom() - line + 1, cell.width(), line, black);
    painter.fillRect(cell.left(), cell.top(), line, cell.height(), black);
    painter.fillRect(cell.right() - line + 1, cell.top(), line, cell.height(), black);
}

// The colour of board square (x, y): later tests win, so a selected square that is also part of
// the last move shows red.
QRgb SquareColour(const BoardMarks& marks, int x, int y) {
    QRgb colour = (x + y) % 2 == 0 ? LightSquare : DarkSquare;
    if (x == marks.SelectedX && y == marks.SelectedY) colour = SelectedColour;
    if (On(marks.LastMove, true, x, y) || On(marks.LastMove, false, x, y)) colour = LastMoveColour;
    if (Marked(marks.Check, x, y)) colour = CheckColour;
    if (marks.Hint.X1 != NoMove && (On(marks.Hint, true, x, y) || On(marks.Hint, false, x, y)))
        colour = HintColour;
    return colour;
}

void DrawTarget(QPainter& painter, const QRect& cell, bool occupied) {
    const double size = cell.width();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::NoPen);
    const QColor shade(0, 0, 0, 80);
    if (occupied) {
        const double width = std::max(2.0, size * 0.07);
        painter.setPen(QPen(shade, width));
        const double inset = width / 2 + size * 0.04;
        painter.drawEllipse(QRectF(cell).adjusted(inset, inset, -inset, -inset));
    } else {
        painter.setBrush(shade);
        painter.drawEllipse(QRectF(cell).center(), size * 0.16, size * 0.16);
    }
}

void DrawCoordinate(QPainter& painter, const QRect& cell, bool light, const QString& text,
                    Qt::Alignment corner) {
    painter.setPen(QColor(light ? DarkSquare : LightSquare));
    const int margin = std::max(2, cell.width() / 16);
    painter.drawText(cell.adjusted(margin, 0, -margin, 0), corner, text);
}

} // namespace

PieceImages PiecesForBoard(const PieceImages& pictures, int size) {
    if (size == BoardPictureSize) return pictures;
    const int side = std::max(1, (size * 48 + BoardPictureSize / 2) / BoardPictureSize);
    PieceImages scaled;
    for (size_t i = 0; i < pictures.size(); ++i)
        if (!pictures[i].isNull())
            scaled[i] =
                pictures[i].scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled;
}

void DrawSquare(QPainter& painter, int left, int top, QRgb colour) {
    DrawCell(painter, QRect(left, top, SquareSize, SquareSize), colour, 1);
}

void DrawBoard(QImage& picture, const Board& board, const BoardMarks& marks,
               const PieceImages& pieces) {
    const int size = picture.width();
    const int line = std::max(1, size / BoardPictureSize);
    const int inset = (2 * size + BoardPictureSize / 2) / BoardPictureSize;
    // Board square (x, y) in the picture, turned when Black's side is at the bottom.
    const auto cell = [&](int x, int y) {
        const int column = marks.Flipped ? 7 - x : x;
        const int row = marks.Flipped ? 7 - y : y;
        const int left = column * size / 8;
        const int top = row * size / 8;
        return QRect(left, top, (column + 1) * size / 8 - left, (row + 1) * size / 8 - top);
    };
    QPainter painter(&picture);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) DrawCell(painter, cell(x, y), SquareColour(marks, x, y), line);
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int index = PictureIndex(board.Squares[x][y]);
            if (index < 0 || pieces[index].isNull()) continue;
            if (x == marks.HiddenX && y == marks.HiddenY) continue;
            painter.drawImage(cell(x, y).topLeft() + QPoint(inset, inset), pieces[index]);
        }
    }
    if (marks.Targets) {
        painter.setRenderHint(QPainter::Antialiasing);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                if (Marked(marks.Targets, x, y))
                    DrawTarget(painter, cell(x, y), board.Squares[x][y] != Empty);
    }
    if (marks.Coordinates) {
        QFont font = painter.font();
        font.setPixelSize(std::max(8, size * 11 / (8 * 52)));
        painter.setFont(font);
        // Ranks down the left edge, files along the bottom edge, as the board is turned.
        for (int i = 0; i < 8; ++i) {
            const int x = marks.Flipped ? 7 : 0;
            const int y = marks.Flipped ? 0 : 7;
            DrawCoordinate(painter, cell(x, i), (x + i) % 2 == 0, QString::number(8 - i),
                           Qt::AlignLeft | Qt::AlignTop);
            DrawCoordinate(painter, cell(i, y), (i + y) % 2 == 0, QString(QChar('a' + i)),
                           Qt::AlignRight | Qt::AlignBottom);
        }
    }
}

void DrawStretched(QPainter& painter, const QImage& picture, const QRect& target) {
    const QSizeF own = picture.deviceIndependentSize();
    const bool nearOwnSize = std::abs(target.width() - own.width()) <= 1 &&
                             std::abs(target.height() - own.height()) <= 1;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !nearOwnSize);
    if (target.width() > 0 && target.height() > 0) painter.drawImage(target, picture);
}
