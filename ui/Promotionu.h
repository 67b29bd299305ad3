// The pawn-promotion chooser: queen, rook, bishop and knight on four squares; a click picks
// one and closes it, and closing it any other way keeps the queen.
#pragma once

#include <QDialog>

#include "engine/Boardu.h"
#include "ui/Picturesu.h"

class TPromotionForm : public QDialog {
    Q_OBJECT

  public:
    explicit TPromotionForm(QWidget* parent = nullptr);

    // The main window's board (whose ToPlay says who chooses) and piece pictures.
    const Board* LiveBoard = nullptr;
    const PieceImages* Pictures = nullptr;
    // The piece code chosen: positive for White, negative for Black.
    int32_t PromotionChoice = Queen;

    // Starts a choice from the queen of the side that chooses.
    void FormShow();
    void FormPaint(QPainter& painter);
    // Picks the piece under (x, y), if any, and closes.
    void FormMouseUp(int x, int y);

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool ChooserIsBlack() const;
};
