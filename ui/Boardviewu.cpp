#include "ui/Boardviewu.h"

#include <QApplication>
#include <QPainter>
#include <cmath>
#include <utility>

#include "ui/Boardpaintu.h"

void TBoardView::Place(const QRect& area) {
    // The board stops one line short of the client area's bottom edge.
    const int width = area.width();
    const int height = area.height() - 1;
    if (std::abs(width - height) <= 1) {
        // The window's first size: the board fills the area, and clicks map over all of it.
        Target = QRect(area.left(), area.top(), width, height);
        Clickable = area;
        return;
    }
    const int side = std::max(0, std::min(width, height));
    Target = QRect(area.left() + (width - side) / 2, area.top() + (height - side) / 2, side, side);
    Clickable = Target;
}

bool TBoardView::Flipped(const GameSession& game) const {
    const bool humanIsBlack = game.ComputerPlays(White) && !game.ComputerPlays(Black);
    return Options.Flip != (Options.AutoFlip && humanIsBlack);
}

std::optional<QPoint> TBoardView::SquareAt(QPoint point, bool flipped) const {
    const QRect& r = Clickable;
    if (point.x() <= r.left() || point.x() >= r.left() + r.width() || point.y() <= r.top() ||
        r.height() <= 0)
        return std::nullopt;
    const int column = 8 * (point.x() - r.left()) / r.width();
    const int row = 8 * (point.y() - r.top()) / r.height();
    // A release below the client area.
    if (row > 7) return std::nullopt;
    return flipped ? QPoint(7 - column, 7 - row) : QPoint(column, row);
}

bool TBoardView::Press(GameSession& game, QPoint at) {
    Pressed = SquareAt(at, Flipped(game));
    PressPoint = at;
    DragPoint.reset();
    PressClicked = false;
    if (!Pressed || (Pressed->x() == game.SelectedX() && Pressed->y() == game.SelectedY()))
        return false;
    PressClicked = true;
    return game.Click(Pressed->x(), Pressed->y()) != ClickResult::Ignored;
}

bool TBoardView::Drag(const GameSession& game, QPoint at) {
    // Only the selected piece is dragged, and only once the pointer has gone some way.
    if (!Pressed || Pressed->x() != game.SelectedX() || Pressed->y() != game.SelectedY())
        return false;
    if (!DragPoint && (at - PressPoint).manhattanLength() < QApplication::startDragDistance())
        return false;
    DragPoint = at;
    return true;
}

bool TBoardView::Release(GameSession& game, QPoint at) {
    const std::optional<QPoint> pressed = std::exchange(Pressed, std::nullopt);
    const bool dragged = std::exchange(DragPoint, std::nullopt).has_value();
    const std::optional<QPoint> square = SquareAt(at, Flipped(game));
    // Off the board, or back where the press was: a drag changes nothing, and a plain click
    // has done its work at the press.
    if (!square || (pressed == square && (PressClicked || dragged))) return dragged;
    return game.Click(square->x(), square->y()) != ClickResult::Ignored || dragged;
}

void TBoardView::Paint(QPainter& painter, const GameSession& game, const PieceImages& pictures,
                       qreal devicePixelRatio) {
    if (Target.width() <= 0 || Target.height() <= 0) return;
    // Drawn at the screen's own resolution, so that squares and outlines stay sharp.
    const int size = qRound(std::min(Target.width(), Target.height()) * devicePixelRatio);
    if (Picture.width() != size) Picture = QImage(size, size, QImage::Format_RGB32);
    // Drawn in physical pixels, then placed in client pixels.
    Picture.setDevicePixelRatio(1);
    std::array<qint64, 12> keys{};
    for (size_t i = 0; i < keys.size(); ++i) keys[i] = pictures[i].cacheKey();
    if (SizedFor != size || SizedFrom != keys) {
        Sized = PiecesForBoard(pictures, size);
        SizedFor = size;
        SizedFrom = keys;
    }

    BoardMarks marks;
    marks.SelectedX = game.SelectedX();
    marks.SelectedY = game.SelectedY();
    marks.LastMove = game.LastMove();
    marks.Hint = game.HintMove();
    marks.Check = Options.Check ? game.KingsInCheck() : 0;
    marks.Targets = Options.Targets ? game.TargetSquares() : 0;
    marks.Flipped = Flipped(game);
    marks.Coordinates = Options.Coordinates;
    if (DragPoint && Pressed) {
        marks.HiddenX = Pressed->x();
        marks.HiddenY = Pressed->y();
    }
    DrawBoard(Picture, game.Board(), marks, Sized);
    Picture.setDevicePixelRatio(devicePixelRatio);
    DrawStretched(painter, Picture, Target);

    // The dragged piece follows the pointer, at the size the board draws it.
    if (marks.HiddenX < 0) return;
    const int index = PictureIndex(game.Board().Squares[marks.HiddenX][marks.HiddenY]);
    if (index < 0 || pictures[index].isNull()) return;
    const double side = Target.width() * 48.0 / BoardPictureSize;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(*DragPoint - QPointF(side / 2, side / 2), QSizeF(side, side)),
                      pictures[index]);
}
