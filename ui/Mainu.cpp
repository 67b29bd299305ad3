#include "ui/Mainu.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>

#include "ui/Widgetsu.h"
#include "ui/Windowhooksu.h"

namespace {

constexpr int ClientWidth = 614;
constexpr int ClientHeight = 475;
constexpr int ProgPanelHeight = 57;
constexpr int ControlPanelWidth = 198;

QFrame* MakePanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // Opaque, so that a control repainting inside it (the progress bar, many times a second
    // while the computer thinks) does not repaint the board and its status work underneath.
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(bounds);
    return box;
}

// "Comic Sans MS" is asked for first; Comic Neue is the free face closest to it.
QFont StatusFont() {
    QFont font;
    font.setFamilies({"Comic Sans MS", "Comic Neue"});
    font.setPixelSize(16);
    return font;
}

QTimer* MakeTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

} // namespace

TClientArea::TClientArea(TMainForm& form) : QWidget(&form), Form(form) {
    setObjectName("ClientArea");
}

void TClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Form.FormPaint(painter);
}

void TClientArea::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void TClientArea::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Form.FormMouseUp(at.x(), at.y());
}

void TClientArea::resizeEvent(QResizeEvent*) {
    Form.FormResize();
}

TMainForm::TMainForm()
    : HistoryStore(std::make_unique<::History>()), OpponentStore(std::make_unique<::Opponent>()),
      History(*HistoryStore), Opponent(*OpponentStore),
      Hooks(std::make_unique<TWindowHooks>(*this)) {
    setObjectName("MainForm");
    setWindowTitle("Brisko Chess!!");
    ResetHistory(History);
    CreateControls();
    CreateMenus();
    CreateDialogs();

    // The client area is 614 x 475 below the menu bar.
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(311, 264));

    ComputerTimer = MakeTimer(this, "ComputerTimer", 10);
    PromotionTimer = MakeTimer(this, "PromotionTimer", 100);
    MoveTimer = MakeTimer(this, "MoveTimer", 100);
    connect(ComputerTimer, &QTimer::timeout, this, &TMainForm::ComputerTimerTimer);
    connect(PromotionTimer, &QTimer::timeout, this, &TMainForm::PromotionTimerTimer);
    connect(MoveTimer, &QTimer::timeout, this, &TMainForm::MoveTimerTimer);
    // ComputerTimer runs from the start, MoveTimer only while the computer thinks as White.
    ComputerTimer->start();
    PromotionTimer->start();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateControls() {
    Client = new TClientArea(*this);
    setCentralWidget(Client);

    ProgPanel = MakePanel(Client, "ProgPanel");
    ProgBar = new QProgressBar(ProgPanel);
    ProgBar->setObjectName("ProgBar");
    ProgBar->setRange(0, 100);
    ProgBar->setValue(0);
    ProgBar->setTextVisible(false);

    ControlPanel = MakePanel(Client, "ControlPanel");

    StatusPanel = MakePanel(ControlPanel, "StatusPanel");
    StatusPanel->setGeometry(16, 8, 169, 73);
    StatusLabel2 = MakeLabel(StatusPanel, "StatusLabel2", "", 11, 12);
    StatusLabel3 = MakeLabel(StatusPanel, "StatusLabel3", "", 11, 36);
    for (QLabel* line : {StatusLabel2, StatusLabel3}) {
        line->setFont(StatusFont());
        line->resize(StatusPanel->width() - 13, 22);
    }
    Button1 = MakeButton(StatusPanel, "Button1", "Add as Opening", {8, 64, 105, 25});
    Button1->hide();

    ComputerPanel = MakePanel(ControlPanel, "ComputerPanel");
    ComputerPanel->setGeometry(16, 88, 169, 209);
    ComputerPlaysLabel =
        MakeLabel(ComputerPanel, "ComputerPlaysLabel", "Computer Plays...", 40, 16);
    Player1Box = MakeCheckBox(ComputerPanel, "Player1Box", "White", {16, 40, 65, 25});
    Player2Box = MakeCheckBox(ComputerPanel, "Player2Box", "Black", {88, 40, 65, 25});
    Player2Box->setChecked(true);

    LevelRdg = new QGroupBox("Difficulty", ComputerPanel);
    LevelRdg->setObjectName("LevelRdg");
    LevelRdg->setGeometry(32, 80, 105, 81);
    for (int i = 0; i < LevelCount; ++i) {
        LevelItems[i] = new QRadioButton(Levels[i].Label, LevelRdg);
        LevelItems[i]->setObjectName(QString("LevelItem%1").arg(i));
        LevelItems[i]->setGeometry(8, 18 + 20 * i, 93, 20);
    }
    LevelItems[0]->setChecked(true);

    StopButton = MakeButton(ComputerPanel, "StopButton", "Stop", {16, 168, 137, 33});
    DepthBar = new QSlider(Qt::Horizontal, ComputerPanel);
    DepthBar->setObjectName("DepthBar");
    DepthBar->setGeometry(16, 128, 137, 25);
    DepthBar->setRange(DepthBarMin, DepthBarMax);
    DepthBar->setTickPosition(QSlider::TicksBelow);
    DepthBar->setTickInterval(1);
    DepthBar->setValue(3);
    DepthLabel = MakeLabel(ComputerPanel, "DepthLabel", "Depth = 3", 64, 128);
    DepthMinLabel = MakeLabel(ComputerPanel, "DepthMinLabel", "1", 24, 128);
    DepthMaxLabel = MakeLabel(ComputerPanel, "DepthMaxLabel", "10", 144, 128);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{DepthBar, DepthLabel, DepthMinLabel, DepthMaxLabel})
        hidden->hide();

    PlaybackPanel = MakePanel(ControlPanel, "PlaybackPanel");
    PlaybackPanel->setGeometry(16, 304, 169, 105);
    BackButton = MakeButton(PlaybackPanel, "BackButton", "< Back", {16, 16, 65, 33});
    ForwardButton = MakeButton(PlaybackPanel, "ForwardButton", "Forward >", {88, 16, 65, 33});
    NewButton = MakeButton(PlaybackPanel, "NewButton", "New Game", {16, 56, 137, 33});

    // Developer read-outs of the board's state, never shown.
    ToPlayLabel = MakeLabel(Client, "ToPlayLabel", "To Play: 1", 272, 376);
    CheckLabel = MakeLabel(Client, "CheckLabel", "Check: 0", 272, 392);
    StatusLabel = MakeLabel(Client, "StatusLabel", "Status: 0", 272, 408);
    ConditionLabel = MakeLabel(Client, "ConditionLabel", "Condition: 0", 272, 424);
    BoredomLabel = MakeLabel(Client, "BoredomLabel", "Boredom: 0", 272, 440);
    RepetitionLabel1 = MakeLabel(Client, "RepetitionLabel1", "Repetition: 0", 344, 376);
    RepetitionLabel2 = MakeLabel(Client, "RepetitionLabel2", "Repetition: 0", 344, 392);
    for (QLabel* hidden : {ToPlayLabel, CheckLabel, StatusLabel, ConditionLabel, BoredomLabel,
                           RepetitionLabel1, RepetitionLabel2})
        hidden->hide();

    connect(NewButton, &QPushButton::clicked, this, &TMainForm::NewButtonClick);
    connect(BackButton, &QPushButton::clicked, this, &TMainForm::BackButtonClick);
    connect(ForwardButton, &QPushButton::clicked, this, &TMainForm::ForwardButtonClick);
    connect(StopButton, &QPushButton::clicked, this, &TMainForm::StopButtonClick);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(DepthBar, &QSlider::valueChanged, this, &TMainForm::DepthBarChange);
    DockPanels();
}

void TMainForm::CreateMenus() {
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                          void (TMainForm::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    addItem(file, "New1", "&New", &TMainForm::NewButtonClick);
    file->addSeparator();
    addItem(file, "Open1", "&Open", &TMainForm::Open1Click);
    file->addSeparator();
    addItem(file, "Save1", "&Save", &TMainForm::Save1Click);
    addItem(file, "SaveAs1", "Save &As", &TMainForm::SaveAs1Click);
    file->addSeparator();
    addItem(file, "Exit1", "E&xit", &TMainForm::Exit1Click);

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("View1");
    addItem(view, "LegalMoves1", "L&egal Moves", &TMainForm::LegalMoves1Click);
    addItem(view, "ScoredMoves1", "&Scored Moves", &TMainForm::ScoredMoves1Click);
    view->menuAction()->setVisible(false);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    addItem(help, "About1", "&About", &TMainForm::About1Click);

    QMenu* openings = menuBar()->addMenu("&Openings");
    openings->setObjectName("Openings1");
    addItem(openings, "ExportOpenings1", "&Export Openings", &TMainForm::ExportOpenings1Click);
    addItem(openings, "ImportOpenings1", "&Import Openings", &TMainForm::ImportOpenings1Click);
    addItem(openings, "ClearOpenings1", "&Clear Openings", &TMainForm::ClearOpenings1Click);
    openings->menuAction()->setVisible(false);
}

void TMainForm::CreateDialogs() {
    const QStringList filters = {"Brisko Chess Files (*.bch)", "All Files (*.*)"};
    SaveDlg = new QFileDialog(this);
    SaveDlg->setObjectName("SaveDlg");
    SaveDlg->setAcceptMode(QFileDialog::AcceptSave);
    SaveDlg->setDefaultSuffix("bch");
    SaveDlg->setNameFilters(filters);
    // Saving over an existing file is not questioned.
    SaveDlg->setOption(QFileDialog::DontConfirmOverwrite);

    OpenDlg = new QFileDialog(this);
    OpenDlg->setObjectName("OpenDlg");
    OpenDlg->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDlg->setFileMode(QFileDialog::ExistingFile);
    OpenDlg->setDefaultSuffix("bch");
    OpenDlg->setNameFilters(filters);
    OpenDlg->setSizeGripEnabled(true);
}

void TMainForm::DockPanels() {
    const int width = Client->width();
    const int height = Client->height();
    ProgPanel->setGeometry(0, 0, width, ProgPanelHeight);
    ProgBar->setGeometry(ProgPanel->contentsRect());
    ControlPanel->setGeometry(width - ControlPanelWidth, ProgPanelHeight, ControlPanelWidth,
                              height - ProgPanelHeight);
}

QRect TMainForm::BoardArea() const {
    const int top = ProgPanel->height();
    return QRect(0, top, Client->width() - ControlPanel->width(), Client->height() - top);
}

int TMainForm::LevelItemIndex() const {
    for (int i = 0; i < LevelCount; ++i)
        if (LevelItems[i]->isChecked()) return i;
    return -1;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (StartedUp) return;
    StartedUp = true;
    FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
    emit Closed();
}

void TMainForm::FormResize() {
    DockPanels();
    Repaint();
}
