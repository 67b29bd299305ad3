#include "ui/Maincontrolsu.h"

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

#include "ui/Widgetsu.h"

namespace {

constexpr int ProgPanelHeight = 57;
constexpr int ControlPanelWidth = 198;

// "Comic Sans MS" is asked for first; Comic Neue is the free face closest to it.
QFont StatusFont() {
    QFont font;
    font.setFamilies({"Comic Sans MS", "Comic Neue"});
    font.setPixelSize(16);
    return font;
}

QFileDialog* MakeFileDialog(QWidget* window, const char* name, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(window);
    dialog->setObjectName(name);
    dialog->setAcceptMode(mode);
    dialog->setDefaultSuffix("bch");
    dialog->setNameFilters({"Brisko Chess Files (*.bch)", "All Files (*.*)"});
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

void CreateMenus(QMenuBar* bar) {
    const auto menu = [bar](const char* name, const char* caption) {
        QMenu* created = bar->addMenu(caption);
        created->setObjectName(name);
        return created;
    };
    const auto item = [](QMenu* menu, const char* name, const char* caption) {
        menu->addAction(caption)->setObjectName(name);
    };
    QMenu* file = menu("File1", "&File");
    item(file, "New1", "&New");
    file->addSeparator();
    item(file, "Open1", "&Open");
    file->addSeparator();
    item(file, "Save1", "&Save");
    item(file, "SaveAs1", "Save &As");
    file->addSeparator();
    item(file, "Exit1", "E&xit");

    QMenu* view = menu("View1", "&View");
    item(view, "LegalMoves1", "L&egal Moves");
    item(view, "ScoredMoves1", "&Scored Moves");
    view->menuAction()->setVisible(false);

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

    CreateMenus(window->menuBar());
    c.SaveDlg = MakeFileDialog(window, "SaveDlg", QFileDialog::AcceptSave);
    // Saving over an existing file is not questioned.
    c.SaveDlg->setOption(QFileDialog::DontConfirmOverwrite);
    c.OpenDlg = MakeFileDialog(window, "OpenDlg", QFileDialog::AcceptOpen);
    c.OpenDlg->setFileMode(QFileDialog::ExistingFile);
    c.OpenDlg->setSizeGripEnabled(true);
    c.ComputerTimer = MakeTimer(window, "ComputerTimer", 10);
    c.PromotionTimer = MakeTimer(window, "PromotionTimer", 100);
    c.MoveTimer = MakeTimer(window, "MoveTimer", 100);
    DockPanels(c, client);
}

void DockPanels(TMainControls& c, const QWidget* client) {
    const int width = client->width();
    const int height = client->height();
    c.ProgPanel->setGeometry(0, 0, width, ProgPanelHeight);
    c.ProgBar->setGeometry(c.ProgPanel->contentsRect());
    c.ControlPanel->setGeometry(width - ControlPanelWidth, ProgPanelHeight, ControlPanelWidth,
                                height - ProgPanelHeight);
}

QRect BoardArea(const TMainControls& c, const QWidget* client) {
    const int top = c.ProgPanel->height();
    return QRect(0, top, client->width() - c.ControlPanel->width(), client->height() - top);
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
