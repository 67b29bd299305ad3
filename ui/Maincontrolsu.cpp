#include "ui/Maincontrolsu.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <tuple>

#include "ui/Movelistu.h"
#include "ui/Widgetsu.h"

namespace {

constexpr int ProgPanelHeight = 57;
constexpr int ControlPanelWidth = 198;
// The smallest board the window shrinks to, and the control panel's height that shows every
// control (the playback panel ends 409 pixels down).
constexpr int MinBoardSide = 160;
constexpr int MinControlPanelHeight = 417;
constexpr int ListWidth = 180;
// The clocks push the panels below the status down by this much.
constexpr int ClockPanelStep = 48;
constexpr int MoveNowWidth = 97;

// "Comic Sans MS" is asked for first; Comic Neue is the free face closest to it.
QFont StatusFont() {
    QFont font;
    font.setFamilies({"Comic Sans MS", "Comic Neue"});
    font.setPixelSize(16);
    return font;
}

QFileDialog* MakeFileDialog(QWidget* window, const char* name, QFileDialog::AcceptMode mode,
                            const char* suffix = "bch",
                            const char* filter = "Brisko Chess Files (*.bch)") {
    auto* dialog = new QFileDialog(window);
    dialog->setObjectName(name);
    dialog->setAcceptMode(mode);
    dialog->setDefaultSuffix(suffix);
    dialog->setNameFilters({filter, "All Files (*.*)"});
    // The window asks before replacing a file itself (ConfirmReplace), so tests can answer.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (mode == QFileDialog::AcceptOpen) dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

QTimer* MakeTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

void CreateComputerPanel(TMainControls& c) {
    QFrame* panel = c.ComputerPanel;
    panel->setGeometry(16, 88, 169, 209);
    MakeLabel(panel, "ComputerPlaysLabel", "Computer Plays...", 40, 16);
    c.Player1Box = MakeCheckBox(panel, "Player1Box", "White", {16, 40, 65, 25});
    c.Player2Box = MakeCheckBox(panel, "Player2Box", "Black", {88, 40, 65, 25});
    c.Player2Box->setChecked(true);

    c.LevelRdg = new QGroupBox("Difficulty", panel);
    c.LevelRdg->setObjectName("LevelRdg");
    c.LevelRdg->setGeometry(32, 80, 105, 81);
    for (int i = 0; i < LevelCount; ++i) {
        c.LevelItems[i] = new QRadioButton(Levels[i].Label, c.LevelRdg);
        c.LevelItems[i]->setObjectName(QString("LevelItem%1").arg(i));
        c.LevelItems[i]->setGeometry(8, 18 + 20 * i, 93, 20);
    }
    c.LevelItems[0]->setChecked(true);
    for (QRadioButton* item : c.LevelItems) item->setToolTip("Takes effect at the next New Game");

    c.StopButton = MakeButton(panel, "StopButton", "Stop", {16, 168, 137, 33});
    c.DepthBar = new QSlider(Qt::Horizontal, panel);
    c.DepthBar->setObjectName("DepthBar");
    c.DepthBar->setGeometry(16, 128, 137, 25);
    c.DepthBar->setRange(DepthBarMin, DepthBarMax);
    c.DepthBar->setTickPosition(QSlider::TicksBelow);
    c.DepthBar->setTickInterval(1);
    c.DepthBar->setValue(3);
    c.DepthLabel = MakeLabel(panel, "DepthLabel", "Depth = 3", 64, 128);
    QLabel* min = MakeLabel(panel, "DepthMinLabel", "1", 24, 128);
    QLabel* max = MakeLabel(panel, "DepthMaxLabel", "10", 144, 128);
    // The depth bar and its labels are never shown.
    c.DepthBar->hide();
    for (QLabel* hidden : {c.DepthLabel, min, max}) hidden->hide();
}

void CreateMenus(TMainControls& c, QMenuBar* bar) {
    const auto menu = [bar](const char* name, const char* caption) {
        QMenu* created = bar->addMenu(caption);
        created->setObjectName(name);
        return created;
    };
    const auto item = [](QMenu* menu, const char* name, const char* caption,
                         const QList<QKeySequence>& keys = {}) {
        QAction* created = menu->addAction(caption);
        created->setObjectName(name);
        created->setShortcuts(keys);
        return created;
    };
    const auto option = [&item](QMenu* menu, const char* name, const char* caption) {
        QAction* created = item(menu, name, caption);
        created->setCheckable(true);
        return created;
    };
    // The desktop's own keys, or the usual ones where it has none (Save As on a bare X server).
    const auto keys = [](QKeySequence::StandardKey key, QKeyCombination usual) {
        const QList<QKeySequence> own = QKeySequence::keyBindings(key);
        return own.isEmpty() ? QList<QKeySequence>{usual} : own;
    };
    QMenu* file = menu("File1", "&File");
    item(file, "New1", "&New", keys(QKeySequence::New, Qt::CTRL | Qt::Key_N));
    file->addSeparator();
    item(file, "Open1", "&Open", keys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    item(file, "Save1", "&Save", keys(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
    item(file, "SaveAs1", "Save &As", keys(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    item(file, "Exit1", "E&xit", keys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));
    file->addSeparator();
    item(file, "ExportPgn1", "&Export PGN...");
    item(file, "ImportPgn1", "&Import PGN...");

    QMenu* edit = menu("Edit1", "&Edit");
    c.Undo1 = item(edit, "Undo1", "&Undo", keys(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z));
    // Ctrl+Shift+Z on every desktop, besides the desktop's own key where it differs.
    QList<QKeySequence> redo{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redo.contains(key)) redo.append(key);
    c.Redo1 = item(edit, "Redo1", "&Redo", redo);
    edit->addSeparator();
    c.Hint1 = item(edit, "Hint1", "&Hint", {Qt::CTRL | Qt::Key_H});
    item(edit, "Stop1", "&Stop Thinking", {Qt::Key_Escape});
    edit->addSeparator();
    item(edit, "CopyGame1", "&Copy Game (PGN)", keys(QKeySequence::Copy, Qt::CTRL | Qt::Key_C));
    item(edit, "PasteGame1", "&Paste Game (PGN)", keys(QKeySequence::Paste, Qt::CTRL | Qt::Key_V));
    item(edit, "CopyPosition1", "C&opy Position (FEN)", {Qt::CTRL | Qt::SHIFT | Qt::Key_C});
    item(edit, "PastePosition1", "Paste Posi&tion (FEN)", {Qt::CTRL | Qt::SHIFT | Qt::Key_V});

    QMenu* view = menu("View1", "&View");
    item(view, "Back1", "&Back", {Qt::Key_Left});
    item(view, "Forward1", "&Forward", {Qt::Key_Right});
    item(view, "First1", "F&irst Position", {Qt::Key_Home});
    item(view, "Last1", "&Last Position", {Qt::Key_End});
    view->addSeparator();
    c.FlipBoard1 = option(view, "FlipBoard1", "Fli&p Board");
    c.AutoFlip1 = option(view, "AutoFlip1", "Flip &Automatically");
    c.AutoFlip1->setStatusTip("Turn the board while the computer plays White and you Black");
    c.Coordinates1 = option(view, "Coordinates1", "Show &Coordinates");
    c.HighlightCheck1 = option(view, "HighlightCheck1", "Highlight Chec&k");
    c.LegalTargets1 = option(view, "LegalTargets1", "Show Legal &Targets");
    view->addSeparator();
    c.MoveList1 = option(view, "MoveList1", "&Move List");
    // The developer's list windows stay out of sight.
    item(view, "LegalMoves1", "L&egal Moves")->setVisible(false);
    item(view, "ScoredMoves1", "&Scored Moves")->setVisible(false);

    QMenu* game = menu("Game1", "&Game");
    c.MoveNow1 = item(game, "MoveNow1", "Move &Now", {Qt::CTRL | Qt::Key_M});
    c.MoveNow1->setStatusTip("Play the best move found so far");
    QMenu* limits = game->addMenu("Thinking &Limit");
    limits->setObjectName("ThinkingLimitMenu");
    c.ThinkingLimit1 = new QActionGroup(limits);
    c.ThinkingLimit1->setObjectName("ThinkingLimit1");
    for (const ThinkingLimitItem& preset : ThinkingLimits) {
        QAction* limit =
            option(limits, qPrintable(QString("ThinkingLimit%1").arg(preset.Ms)), preset.Caption);
        limit->setData(QVariant::fromValue<qint64>(preset.Ms));
        c.ThinkingLimit1->addAction(limit);
    }
    game->addSeparator();
    QMenu* rules = game->addMenu("&Rules");
    rules->setObjectName("RulesMenu");
    c.Rules1 = new QActionGroup(rules);
    c.Rules1->setObjectName("Rules1");
    for (const auto& [name, caption, tip] :
         {std::tuple{"RulesBrisko1", "&Brisko Rules",
                     "Castling may cross an attacked square; draws by stalemate, 50 quiet move "
                     "pairs and moves repeated back and forth"},
          std::tuple{"RulesStandard1", "&Standard Rules",
                     "The rules chess players know: draws at the third repetition, after 100 "
                     "quiet plies and without mating material"}}) {
        QAction* rule = option(rules, name, caption);
        rule->setStatusTip(tip);
        c.Rules1->addAction(rule);
    }
    c.Rules1->actions().first()->setChecked(true);
    QMenu* clocks = game->addMenu("&Time Control");
    clocks->setObjectName("TimeControlMenu");
    c.TimeControl1 = new QActionGroup(clocks);
    c.TimeControl1->setObjectName("TimeControl1");
    QAction* none = option(clocks, "ClockNone", "&No Clock");
    none->setData(QString());
    c.TimeControl1->addAction(none)->setChecked(true);
    for (const TimeControlItem& preset : TimeControls) {
        const QString data = QString("%1+%2").arg(preset.Minutes).arg(preset.Seconds);
        QAction* clock =
            option(clocks, qPrintable("Clock" + QString(data).replace('+', '_')),
                   qPrintable(QString("%1 + %2").arg(preset.Minutes).arg(preset.Seconds)));
        clock->setData(data);
        c.TimeControl1->addAction(clock);
    }
    c.ClockCustom1 = option(clocks, "ClockCustom1", "&Custom...");
    c.TimeControl1->addAction(c.ClockCustom1);
    game->addSeparator();
    c.Resign1 = item(game, "Resign1", "Re&sign");
    c.OfferDraw1 = item(game, "OfferDraw1", "Offer &Draw");

    item(menu("Help1", "&Help"), "About1", "&About");

    QMenu* openings = menu("Openings1", "&Openings");
    item(openings, "ExportOpenings1", "&Export Openings");
    item(openings, "ImportOpenings1", "&Import Openings");
    item(openings, "ClearOpenings1", "&Clear Openings");
    openings->menuAction()->setVisible(false);
}

} // namespace

void CreateMainControls(TMainControls& c, QMainWindow* window, QWidget* client) {
    c.ProgPanel = MakePanel(client, "ProgPanel");
    c.ProgBar = new QProgressBar(c.ProgPanel);
    c.ProgBar->setObjectName("ProgBar");
    c.ProgBar->setRange(0, 100);
    c.ProgBar->setValue(0);
    c.ProgBar->setTextVisible(false);
    c.MoveNowButton =
        MakeButton(c.ProgPanel, "MoveNowButton", "Move Now", {0, 12, MoveNowWidth - 8, 33});
    c.MoveNowButton->setToolTip("Play the best move found so far (Ctrl+M)");
    c.MoveNowButton->hide();
    c.ControlPanel = MakePanel(client, "ControlPanel");

    c.StatusPanel = MakePanel(c.ControlPanel, "StatusPanel");
    c.StatusPanel->setGeometry(16, 8, 169, 73);
    c.StatusLabel2 = MakeLabel(c.StatusPanel, "StatusLabel2", "", 11, 12);
    c.StatusLabel3 = MakeLabel(c.StatusPanel, "StatusLabel3", "", 11, 36);
    for (QLabel* line : {c.StatusLabel2, c.StatusLabel3}) {
        line->setFont(StatusFont());
        line->resize(c.StatusPanel->width() - 13, 22);
    }
    c.Button1 = MakeButton(c.StatusPanel, "Button1", "Add as Opening", {8, 64, 105, 25});
    c.Button1->hide();

    c.ClockPanel = MakePanel(c.ControlPanel, "ClockPanel");
    c.ClockPanel->setGeometry(16, 88, 169, ClockPanelStep - 7);
    c.WhiteClock = MakeLabel(c.ClockPanel, "WhiteClock", "", 4, 4);
    c.BlackClock = MakeLabel(c.ClockPanel, "BlackClock", "", 86, 4);
    for (QLabel* clock : {c.WhiteClock, c.BlackClock}) {
        clock->setAlignment(Qt::AlignCenter);
        clock->resize(79, 33);
        clock->setAutoFillBackground(true);
    }
    c.ClockPanel->hide();

    c.ComputerPanel = MakePanel(c.ControlPanel, "ComputerPanel");
    CreateComputerPanel(c);

    c.PlaybackPanel = MakePanel(c.ControlPanel, "PlaybackPanel");
    c.PlaybackPanel->setGeometry(16, 304, 169, 105);
    c.BackButton = MakeButton(c.PlaybackPanel, "BackButton", "< Back", {16, 16, 65, 33});
    c.ForwardButton = MakeButton(c.PlaybackPanel, "ForwardButton", "Forward >", {88, 16, 65, 33});
    c.NewButton = MakeButton(c.PlaybackPanel, "NewButton", "New Game", {16, 56, 137, 33});

    c.ToPlayLabel = MakeLabel(client, "ToPlayLabel", "To Play: 1", 272, 376);
    c.CheckLabel = MakeLabel(client, "CheckLabel", "Check: 0", 272, 392);
    c.StatusLabel = MakeLabel(client, "StatusLabel", "Status: 0", 272, 408);
    c.ConditionLabel = MakeLabel(client, "ConditionLabel", "Condition: 0", 272, 424);
    c.BoredomLabel = MakeLabel(client, "BoredomLabel", "Boredom: 0", 272, 440);
    c.RepetitionLabel1 = MakeLabel(client, "RepetitionLabel1", "Repetition: 0", 344, 376);
    c.RepetitionLabel2 = MakeLabel(client, "RepetitionLabel2", "Repetition: 0", 344, 392);
    for (QLabel* hidden : {c.ToPlayLabel, c.CheckLabel, c.StatusLabel, c.ConditionLabel,
                           c.BoredomLabel, c.RepetitionLabel1, c.RepetitionLabel2})
        hidden->hide();

    CreateMenus(c, window->menuBar());
    c.SaveDlg = MakeFileDialog(window, "SaveDlg", QFileDialog::AcceptSave);
    c.OpenDlg = MakeFileDialog(window, "OpenDlg", QFileDialog::AcceptOpen);
    c.OpenDlg->setSizeGripEnabled(true);
    c.ExportDlg =
        MakeFileDialog(window, "ExportDlg", QFileDialog::AcceptSave, "pgn", "PGN Files (*.pgn)");
    c.ImportDlg =
        MakeFileDialog(window, "ImportDlg", QFileDialog::AcceptOpen, "pgn", "PGN Files (*.pgn)");
    c.ComputerTimer = MakeTimer(window, "ComputerTimer", 10);
    c.PromotionTimer = MakeTimer(window, "PromotionTimer", 100);
    c.MoveTimer = MakeTimer(window, "MoveTimer", 100);
    c.ClockTimer = MakeTimer(window, "ClockTimer", 100);
    c.MoveList = new TMoveList(client);
    c.MoveList->hide();
    // A click leaves the keyboard on the board, where Space and Return do nothing; Tab still
    // reaches every control.
    for (QAbstractButton* button : c.ControlPanel->findChildren<QAbstractButton*>())
        button->setFocusPolicy(Qt::TabFocus);
    c.MoveNowButton->setFocusPolicy(Qt::TabFocus);
    SetMinimumSize(c, client);
    DockPanels(c, client);
}

void DockPanels(TMainControls& c, const QWidget* client) {
    const int width = client->width();
    const int height = client->height();
    c.ProgPanel->setGeometry(0, 0, width, ProgPanelHeight);
    QRect bar = c.ProgPanel->contentsRect();
    if (!c.MoveNowButton->isHidden()) {
        bar.setRight(bar.right() - MoveNowWidth);
        c.MoveNowButton->move(bar.right() + 5, (ProgPanelHeight - c.MoveNowButton->height()) / 2);
    }
    c.ProgBar->setGeometry(bar);
    c.ControlPanel->setGeometry(width - ControlPanelWidth, ProgPanelHeight, ControlPanelWidth,
                                height - ProgPanelHeight);
    c.MoveList->setGeometry(width - ControlPanelWidth - ListWidth, ProgPanelHeight, ListWidth,
                            height - ProgPanelHeight);
}

void SetMinimumSize(const TMainControls& c, QWidget* client) {
    const int list = c.MoveList->isHidden() ? 0 : ListWidth;
    const int clocks = c.ClockPanel->isHidden() ? 0 : ClockPanelStep;
    client->setMinimumSize(MinBoardSide + list + ControlPanelWidth,
                           ProgPanelHeight + MinControlPanelHeight + clocks);
}

void ShowClockPanel(TMainControls& c, bool shown) {
    if (shown == !c.ClockPanel->isHidden()) return;
    c.ClockPanel->setVisible(shown);
    const int step = shown ? ClockPanelStep : -ClockPanelStep;
    for (QFrame* below : {c.ComputerPanel, c.PlaybackPanel})
        below->move(below->x(), below->y() + step);
}

int MoveListWidth() {
    return ListWidth;
}

QRect BoardArea(const TMainControls& c, const QWidget* client) {
    const int top = c.ProgPanel->height();
    const int list = c.MoveList->isHidden() ? 0 : c.MoveList->width();
    return QRect(0, top, client->width() - c.ControlPanel->width() - list, client->height() - top);
}

int64_t ThinkingLimitMs(const TMainControls& c) {
    const QAction* ticked = c.ThinkingLimit1->checkedAction();
    return ticked ? ticked->data().value<qint64>() : 0;
}

void SetThinkingLimitMs(TMainControls& c, int64_t ms) {
    // The nearest preset, "No limit" only for none.
    QAction* nearest = nullptr;
    int64_t distance = 0;
    for (QAction* limit : c.ThinkingLimit1->actions()) {
        const int64_t preset = limit->data().value<qint64>();
        const int64_t d = (preset == 0) != (ms <= 0) ? INT64_MAX
                          : preset > ms              ? preset - ms
                                                     : ms - preset;
        if (!nearest || d < distance) nearest = limit, distance = d;
    }
    nearest->setChecked(true);
}

int LevelItemIndex(const TMainControls& c) {
    for (int i = 0; i < LevelCount; ++i)
        if (c.LevelItems[i]->isChecked()) return i;
    return -1;
}

void ShowReadOuts(TMainControls& c, const Board& board, int condition) {
    c.ToPlayLabel->setText(QString("To Play: %1").arg(board.ToPlay));
    c.CheckLabel->setText(QString("Check: %1").arg(board.CheckStatus));
    c.StatusLabel->setText(QString("Status: %1").arg(board.Outcome));
    c.ConditionLabel->setText(QString("Condition: %1").arg(condition));
    c.BoredomLabel->setText(QString("Boredom: %1").arg(board.Bored50));
    c.RepetitionLabel1->setText(QString("Repetition 1: %1").arg(board.Repetition1));
    c.RepetitionLabel2->setText(QString("Repetition 2: %1").arg(board.Repetition2));
}
