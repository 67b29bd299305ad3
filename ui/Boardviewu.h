// The board as the main window shows it: where it stands inside the board area (square, unless
// the area is within a pixel of square, as at the window's first size), which square a point of
// the client area falls on, the board options, the press, drag and release of the mouse, and
// painting at the screen's own resolution.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <array>
#include <optional>

#include "game/Sessionu.h"
#include "ui/Picturesu.h"

class QPainter;

// The options of the View menu that change the painted board; all start off.
struct BoardOptions {
    bool Flip = false;        // Black's side at the bottom
    bool AutoFlip = false;    // turn it also while the computer plays White alone
    bool Coordinates = false; // a-h and 1-8 inside the edge squares
    bool Check = false;       // the king in check marked
    bool Targets = false;     // the selected piece's legal targets marked
};

class TBoardView {
  public:
    BoardOptions Options;

    // Places the board inside `area`, the client area left of the panels and below the top one.
    void Place(const QRect& area);
    // Where the board is painted, in client coordinates.
    QRect Drawn() const { return Target; }
    // Tests whether Black's side is at the bottom for `game`, the options considered.
    bool Flipped(const GameSession& game) const;
    // The board square (file, row) under `point`, if any.
    std::optional<QPoint> SquareAt(QPoint point, bool flipped) const;

    // The mouse, in client coordinates. A press clicks its square unless that square is
    // selected; a release clicks its square when it is another one, or when the press did not
    // click; a press on the selected piece can drag it there. Press and Release tell whether the
    // game changed; Drag whether the picture did.
    bool Press(GameSession& game, QPoint at);
    bool Drag(const GameSession& game, QPoint at);
    bool Release(GameSession& game, QPoint at);

    // Paints the board of `game` at `devicePixelRatio` physical pixels a client pixel.
    void Paint(QPainter& painter, const GameSession& game, const PieceImages& pictures,
               qreal devicePixelRatio);

  private:
    QRect Target;    // where the picture goes
    QRect Clickable; // where clicks map to squares: the whole area at the first size
    QImage Picture;
    // The pictures sized for Picture, and what they were sized from.
    PieceImages Sized;
    int SizedFor = -1;
    std::array<qint64, 12> SizedFrom{};
    // The press being held: its square, whether it clicked, and where a drag has got to.
    std::optional<QPoint> Pressed;
    bool PressClicked = false;
    QPoint PressPoint;
    std::optional<QPoint> DragPoint;
};
