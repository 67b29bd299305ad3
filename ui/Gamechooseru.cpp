#include "ui/Gamechooseru.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/Dialogsu.h"

namespace {

// The games as table rows; numbers are numbers, so that sorting by them sorts by value.
class GameRows : public QAbstractTableModel {
  public:
    static constexpr int SearchRole = Qt::UserRole;

    explicit GameRows(const std::vector<PgnListing>& games, QObject* parent)
        : QAbstractTableModel(parent), games(games) {
        // What a search looks through, made once: typing then costs no conversions.
        search.reserve(static_cast<qsizetype>(games.size()));
        for (const PgnListing& game : games)
            search.append(QString::fromStdString(game.White + "\n" + game.Black + "\n" +
                                                 game.Result + "\n" + game.Date + "\n" +
                                                 game.Event));
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(games.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 7; }

    QVariant data(const QModelIndex& index, int role) const override {
        const PgnListing& game = games[static_cast<size_t>(index.row())];
        if (role == SearchRole) return search[index.row()];
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
        case 0:
            return game.Number;
        case 1:
            return QString::fromStdString(game.White);
        case 2:
            return QString::fromStdString(game.Black);
        case 3:
            return QString::fromStdString(game.Result);
        case 4:
            return QString::fromStdString(game.Date);
        case 5:
            return QString::fromStdString(game.Event);
        default:
            return (game.Plies + 1) / 2;
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const titles[] = {"#",    "White", "Black", "Result",
                                             "Date", "Event", "Moves"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return QString(titles[section]);
    }

  private:
    const std::vector<PgnListing>& games;
    QStringList search;
};

// Shows the rows that hold every word typed, in any field, in any case.
class WordFilter : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetWords(const QString& text) {
        words = text.split(' ', Qt::SkipEmptyParts);
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const QString text =
            sourceModel()->index(row, 0, parent).data(GameRows::SearchRole).toString();
        return std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return text.contains(word, Qt::CaseInsensitive);
        });
    }

  private:
    QStringList words;
};

} // namespace

TGameChooser::TGameChooser(QWidget* parent, const std::vector<PgnListing>& games)
    : QDialog(parent), Games(games) {
    setObjectName("GameChooser");
    setWindowTitle("Choose a Game");
    auto* layout = new QVBoxLayout(this);
    Filter = new QLineEdit(this);
    Filter->setObjectName("GameFilter");
    Filter->setPlaceholderText("Search: player, event, date or result");
    Filter->setClearButtonEnabled(true);
    layout->addWidget(Filter);

    auto* filter = new WordFilter(this);
    filter->setSourceModel(new GameRows(games, this));
    Shown = filter;
    List = new QTableView(this);
    List->setObjectName("GameList");
    List->setModel(Shown);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSortingEnabled(true);
    List->sortByColumn(0, Qt::AscendingOrder);
    List->verticalHeader()->hide();
    // Rows of one height, and widths measured on the first rows only: a database of tens of
    // thousands of games opens at once.
    List->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    List->horizontalHeader()->setResizeContentsPrecision(50);
    List->resizeColumnsToContents();
    // The first rows hold the shortest numbers.
    const int widest = List->fontMetrics().horizontalAdvance(QString::number(games.size()));
    List->setColumnWidth(0, std::max(List->columnWidth(0), widest + 16));
    List->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(List);

    Count = new QLabel(this);
    Count->setObjectName("GameCount");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("Import");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Count, 1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(720, 420);

    connect(Filter, &QLineEdit::textChanged, this, &TGameChooser::FilterChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(List, &QTableView::doubleClicked, this, &QDialog::accept);
    FilterChanged({});
}

void TGameChooser::FilterChanged(const QString& text) {
    static_cast<WordFilter*>(Shown)->SetWords(text);
    // The first game found is marked, and Import takes the one marked.
    List->selectRow(0);
    List->scrollToTop();
    const QString total = QLocale().toString(static_cast<qulonglong>(Games.size()));
    QString told =
        text.trimmed().isEmpty()
            ? total + " games"
            : QString("%1 of %2 games").arg(QLocale().toString(Shown->rowCount()), total);
    if (Games.size() >= MaxListedGames) told += " (the file holds more: only these are listed)";
    Count->setText(told);
}

int TGameChooser::Chosen() const {
    const QModelIndexList selected = List->selectionModel()->selectedRows();
    const QModelIndex row = !selected.isEmpty() ? selected.first() : Shown->index(0, 0);
    return row.isValid() ? Shown->mapToSource(row).row() : -1;
}

int ChooseGame(QWidget* parent, const std::vector<PgnListing>& games) {
    TGameChooser chooser(parent, games);
    RunModal(chooser);
    return chooser.result() == QDialog::Accepted ? chooser.Chosen() : -1;
}
