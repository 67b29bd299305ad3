// The move list panel: the game's moves in SAN, numbered, a row a move number with White's move
// and Black's; the move that led to the position shown is highlighted, and a click on a move
// asks for the position after it.
#pragma once

#include <QTableWidget>
#include <vector>

#include "game/Sessionu.h"

class TMoveList : public QTableWidget {
    Q_OBJECT

  public:
    explicit TMoveList(QWidget* parent);

    // Lists `moves`, refilled only when they changed, and highlights the last of them shown at
    // History Count `count`.
    void Show(const std::vector<ListedMove>& moves, int count);

  signals:
    // A move was clicked: the History Count that shows the position after it.
    void MoveClicked(int count);

  private:
    std::vector<ListedMove> Listed;
    // The Count of the move in each cell, 0 for none; by row, White's column first.
    std::vector<int> Counts;
};
