// The legal-moves window: every legal move of the position in play, one per line. A developer
// tool behind the hidden View menu; its text is kept current all the same.
#pragma once

#include <QWidget>

#include "engine/Boardu.h"

class QPlainTextEdit;

class TLegalForm : public QWidget {
    Q_OBJECT

  public:
    explicit TLegalForm(QWidget* parent = nullptr);

    // The main window's live board, read at every refresh.
    const Board* LiveBoard = nullptr;
    QPlainTextEdit* Box;

    // Writes the header for `side` and one line per entry of the board's legal-move list.
    void Refresh(int side);
};
