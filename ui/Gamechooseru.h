// The chooser of a PGN file's games: a table of every game (number, White, Black, Result,
// Date, Event and the number of moves) that a search box filters, for a file or a pasted text
// that holds more than one game.
#pragma once

#include <QDialog>
#include <vector>

#include "notation/Pgn.h"

class QLabel;
class QLineEdit;
class QTableView;
class QSortFilterProxyModel;

class TGameChooser : public QDialog {
    Q_OBJECT

  public:
    // `games` must outlive the chooser.
    TGameChooser(QWidget* parent, const std::vector<PgnListing>& games);

    // The index in `games` of the game chosen: the selected row, else the first one shown;
    // -1 when no row is shown.
    int Chosen() const;

  private:
    const std::vector<PgnListing>& Games;
    QLineEdit* Filter;
    QTableView* List;
    QSortFilterProxyModel* Shown;
    QLabel* Count;

    void FilterChanged(const QString& text);
};

// Shows the chooser through RunModal, so that tests answer in its place; returns the index of
// the game chosen, or -1 when the user cancels.
int ChooseGame(QWidget* parent, const std::vector<PgnListing>& games);
