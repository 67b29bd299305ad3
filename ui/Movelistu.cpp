#include "ui/Movelistu.h"

#include <QHeaderView>

TMoveList::TMoveList(QWidget* parent) : QTableWidget(0, 2, parent) {
    setObjectName("MoveList");
    setHorizontalHeaderLabels({"White", "Black"});
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    // The arrow keys step through the game, not through the cells.
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        const size_t cell = 2 * static_cast<size_t>(row) + column;
        if (cell < Counts.size() && Counts[cell] > 0) emit MoveClicked(Counts[cell]);
    });
}

void TMoveList::Show(const std::vector<ListedMove>& moves, int count) {
    if (moves != Listed) {
        Listed = moves;
        Counts.clear();
        setRowCount(0);
        QStringList numbers;
        for (const ListedMove& move : moves) {
            // A game set up with Black to move starts with an empty White cell.
            if (move.White || Counts.empty() || Counts.back() != 0) {
                Counts.insert(Counts.end(), {0, 0});
                numbers.append(QString("%1.").arg(move.Number));
                setRowCount(rowCount() + 1);
            }
            const int column = move.White ? 0 : 1;
            Counts[Counts.size() - 2 + column] = move.Count;
            setItem(rowCount() - 1, column,
                    new QTableWidgetItem(QString::fromStdString(move.Text)));
        }
        setVerticalHeaderLabels(numbers);
    }
    int shown = -1;
    for (size_t cell = 0; cell < Counts.size(); ++cell)
        if (Counts[cell] > 0 && Counts[cell] <= count) shown = static_cast<int>(cell);
    if (shown < 0) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    setCurrentCell(shown / 2, shown % 2);
    scrollToItem(currentItem());
}
