#include "ui/Mainu.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFile>
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
#include <QSpinBox>
#include <QTimer>
#include <QToolTip>

#include "ui/Clockdialogu.h"
#include "ui/Dialogsu.h"
#include "ui/Legalformu.h"
#include "ui/Movelistu.h"
#include "ui/Promotionu.h"
#include "ui/Widgetsu.h"
#include "ui/Windowhooksu.h"

TMainForm::TMainForm() : Hooks(std::make_unique<TWindowHooks>(*this)) {
    setObjectName("MainForm");
    setWindowTitle("Brisko Chess!!");
    Client = new QWidget(this);
    Client->setObjectName("ClientArea");
    Client->installEventFilter(this);
    // The keyboard stays with the board: the menus' keys act from there.
    Client->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(Client);
    CreateMainControls(Ui, this, Client);
    const std::pair<const char*, void (TMainForm::*)()> handlers[] = {
        {"NewButton", &TMainForm::NewButtonClick},
        {"New1", &TMainForm::NewButtonClick},
        {"BackButton", &TMainForm::BackButtonClick},
        {"ForwardButton", &TMainForm::ForwardButtonClick},
        {"StopButton", &TMainForm::StopButtonClick},
        {"Button1", &TMainForm::Button1Click},
        {"Open1", &TMainForm::Open1Click},
        {"Save1", &TMainForm::Save1Click},
        {"SaveAs1", &TMainForm::SaveAs1Click},
        {"Exit1", &TMainForm::Exit1Click},
        {"LegalMoves1", &TMainForm::LegalMoves1Click},
        {"ScoredMoves1", &TMainForm::ScoredMoves1Click},
        {"About1", &TMainForm::About1Click},
        {"ExportOpenings1", &TMainForm::ExportOpenings1Click},
        {"ImportOpenings1", &TMainForm::ImportOpenings1Click},
        {"ClearOpenings1", &TMainForm::ClearOpenings1Click},
        {"Undo1", &TMainForm::Undo1Click},
        {"Redo1", &TMainForm::Redo1Click},
        {"Hint1", &TMainForm::Hint1Click},
        {"Stop1", &TMainForm::StopButtonClick},
        {"Back1", &TMainForm::BackButtonClick},
        {"Forward1", &TMainForm::ForwardButtonClick},
        {"First1", &TMainForm::First1Click},
        {"Last1", &TMainForm::Last1Click},
        {"FlipBoard1", &TMainForm::BoardOptionsChange},
        {"AutoFlip1", &TMainForm::BoardOptionsChange},
        {"Coordinates1", &TMainForm::BoardOptionsChange},
        {"HighlightCheck1", &TMainForm::BoardOptionsChange},
        {"LegalTargets1", &TMainForm::BoardOptionsChange},
        {"MoveList1", &TMainForm::MoveList1Click},
        {"ExportPgn1", &TMainForm::ExportPgn1Click},
        {"ImportPgn1", &TMainForm::ImportPgn1Click},
        {"CopyGame1", &TMainForm::CopyGame1Click},
        {"PasteGame1", &TMainForm::PasteGame1Click},
        {"CopyPosition1", &TMainForm::CopyPosition1Click},
        {"PastePosition1", &TMainForm::PastePosition1Click},
        {"MoveNow1", &TMainForm::MoveNow1Click},
        {"MoveNowButton", &TMainForm::MoveNow1Click},
        {"ComputerTimer", &TMainForm::ComputerTimerTimer},
        {"PromotionTimer", &TMainForm::PromotionTimerTimer},
        {"MoveTimer", &TMainForm::MoveTimerTimer},
        {"ClockTimer", &TMainForm::ClockTimerTimer},
        {"Resign1", &TMainForm::Resign1Click},
        {"OfferDraw1", &TMainForm::OfferDraw1Click},
    };
    for (const auto& [name, handler] : handlers) {
        // Options follow their tick however it changes, also when the settings restore it.
        if (auto* item = findChild<QAction*>(name); item && item->isCheckable())
            connect(item, &QAction::toggled, this, handler);
        else if (item)
            connect(item, &QAction::triggered, this, handler);
        else if (auto* timer = findChild<QTimer*>(name))
            connect(timer, &QTimer::timeout, this, handler);
        else
            connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this, handler);
    }
    connect(Ui.DepthBar, &QSlider::valueChanged, this, &TMainForm::DepthBarChange);
    connect(Ui.ThinkingLimit1, &QActionGroup::triggered, this, &TMainForm::ThinkingLimitChange);
    connect(Ui.Rules1, &QActionGroup::triggered, this, &TMainForm::RulesChange);
    connect(Ui.TimeControl1, &QActionGroup::triggered, this, &TMainForm::TimeControlChange);
    SetThinkingLimitMs(Ui, Game.ThinkingLimit());
    for (int item = 0; item < LevelCount; ++item)
        connect(Ui.LevelItems[item], &QRadioButton::clicked, this,
                [this, item] { LevelRdgClick(item); });
    // The kept game follows the game within a second of every change.
    auto* keepTimer = new QTimer(this);
    keepTimer->setObjectName("KeepTimer");
    keepTimer->setInterval(1000);
    connect(keepTimer, &QTimer::timeout, this, [this] {
        if (!KeptGameFile.isEmpty() && Game.Changes() != KeptChanges) KeepGame();
    });
    keepTimer->start();
    // The sides decide where Undo stops and whether the board turns by itself: painted with the
    // next events, so that a Stop that unticks both is not held up by two paints.
    connect(Ui.Player1Box, &QCheckBox::toggled, this, [this](bool on) {
        Game.SetComputerPlays(White, on);
        Client->update();
    });
    connect(Ui.Player2Box, &QCheckBox::toggled, this, [this](bool on) {
        Game.SetComputerPlays(Black, on);
        Client->update();
    });
    connect(Ui.MoveList, &TMoveList::MoveClicked, this, [this](int count) {
        if (Game.GoTo(count)) ShowGame();
    });
    ShowComputerSides();
    View.Place(BoardArea(Ui, Client));

    // The client area is 614 x 475 below the menu bar.
    resize(614, 475 + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(311, 264));
    Ui.ComputerTimer->start();
    Ui.PromotionTimer->start();
    Ui.ClockTimer->start();
}

TMainForm::~TMainForm() = default;

void TMainForm::SetOtherForms(const TOtherForms& forms) {
    Forms = forms;
    if (Forms.LegalForm) Forms.LegalForm->LiveBoard = &Game.Board();
    if (Forms.PromotionForm) {
        Forms.PromotionForm->LiveBoard = &Game.Board();
        Forms.PromotionForm->Pictures = &PieceBitmaps;
    }
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!std::exchange(StartedUp, true)) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    // Exit asks nothing when the game is kept for the next start; when it cannot be kept, its
    // unsaved moves are not lost without a word.
    if (!KeptGameFile.isEmpty() && !KeepGame() && Game.UnsavedMoves() &&
        !MayReplaceGame("closing, as it cannot be kept for the next start")) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // Nothing more is played once the window has gone.
    Ui.ComputerTimer->stop();
    Ui.PromotionTimer->stop();
    Ui.ClockTimer->stop();
    emit Closed();
}

bool TMainForm::KeepGame() {
    KeptChanges = Game.Changes();
    return Game.Keep(QFile::encodeName(KeptGameFile).toStdString());
}

void TMainForm::ThinkingLimitChange() {
    Game.SetThinkingLimit(ThinkingLimitMs(Ui));
}

void TMainForm::LevelRdgClick(int item) {
    Game.ChooseLevel(item);
    // The difficulty waits for New Game: said where the player looks.
    if (item != Game.Level())
        QToolTip::showText(
            Ui.LevelItems[item]->mapToGlobal(QPoint(0, Ui.LevelItems[item]->height())),
            QString("%1 takes effect at New Game").arg(Levels[item].Label), Ui.LevelItems[item]);
    Repaint();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Client) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(Client);
        FormPaint(painter);
        return true;
    }
    case QEvent::MouseButtonPress:
        if (View.Press(Game, static_cast<QMouseEvent*>(event)->position().toPoint())) Repaint();
        return true;
    case QEvent::MouseMove:
        if (View.Drag(Game, static_cast<QMouseEvent*>(event)->position().toPoint()))
            Client->update();
        return true;
    case QEvent::MouseButtonRelease: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        FormMouseUp(at.x(), at.y());
        return true;
    }
    case QEvent::Resize:
        FormResize();
        return false;
    default:
        return false;
    }
}

void TMainForm::FormResize() {
    DockPanels(Ui, Client);
    View.Place(BoardArea(Ui, Client));
    Repaint();
}

void TMainForm::FormPaint(QPainter& painter) {
    View.Paint(painter, Game, PieceBitmaps, Client->devicePixelRatioF());
    UpdateStatus();
}

void TMainForm::UpdateStatus() {
    ShowReadOuts(Ui, Game.Board(), Game.Condition());
    const StatusTexts status = Game.Status();
    // "Stalemate - 3 move repetition" is too wide for the status panel at 16 pixels.
    SetFittedText(Ui.StatusLabel2, QString::fromStdString(status.First), 16);
    if (status.Second) SetFittedText(Ui.StatusLabel3, QString::fromStdString(*status.Second), 16);
    if (Forms.LegalForm) {
        Forms.LegalForm->Refresh(Game.Board().ToPlay);
        // Scheduled rather than painted here: this runs inside the main window's own paint.
        Forms.LegalForm->update();
    }
    if (!Ui.MoveList->isHidden()) Ui.MoveList->Show(Game.Moves(), Game.History().Count);
    UpdateActions(false);
    ShowClocks();
}

void TMainForm::ShowClocks() {
    if (!Game.GameClock().On()) return;
    const int running = Game.ClockSide();
    for (const int side : {White, Black}) {
        QLabel* clock = side == White ? Ui.WhiteClock : Ui.BlackClock;
        clock->setText(QString::fromStdString(ClockText(Game.ClockMs(side))));
        // White's clock light, Black's dark; the running one bold and framed in red.
        const QString style =
            QString("background: %1; color: %2; border: 3px solid %3; border-radius: 4px; "
                    "font-size: 20px; font-weight: %4;")
                .arg(side == White ? "#fffbe0" : "#303030", side == White ? "#000000" : "#ffffff",
                     side == running ? "#e03020" : "transparent",
                     side == running ? "bold" : "normal");
        if (clock->styleSheet() != style) clock->setStyleSheet(style);
    }
}

void TMainForm::ClockTimerTimer() {
    if (!Game.GameClock().On()) return;
    // A flag that falls ends the game: shown at once.
    if (Game.ClockTick())
        Repaint();
    else
        ShowClocks();
}

void TMainForm::ChooseRules(Rules rules) {
    Ui.Rules1->actions().at(rules == Rules::Standard ? 1 : 0)->setChecked(true);
    Game.ChooseRules(rules);
}

void TMainForm::ChooseClock(const TimeControl& clock) {
    const QString text = QString::fromStdString(TimeControlText(clock));
    QAction* ticked = Ui.ClockCustom1;
    for (QAction* preset : Ui.TimeControl1->actions())
        if (preset != Ui.ClockCustom1 && preset->data().toString() == text) ticked = preset;
    if (ticked == Ui.ClockCustom1) {
        Ui.ClockCustom1->setData(text);
        Ui.ClockCustom1->setText(QString("&Custom (%1)...").arg(QString(text).replace('+', " + ")));
    }
    ticked->setChecked(true);
    Game.ChooseClock(clock);
}

void TMainForm::RulesChange() {
    Game.ChooseRules(Ui.Rules1->checkedAction() == Ui.Rules1->actions().at(1) ? Rules::Standard
                                                                              : Rules::Brisko);
    Repaint();
}

void TMainForm::TimeControlChange(QAction* chosen) {
    TimeControl clock;
    if (chosen == Ui.ClockCustom1) {
        TClockDialog dialog(this);
        const TimeControl now = Game.NextClock();
        if (now.On()) {
            dialog.Minutes->setValue(static_cast<int>(now.BaseMs / 60000));
            dialog.Increment->setValue(static_cast<int>(now.IncMs / 1000));
        }
        RunModal(dialog);
        if (dialog.result() != QDialog::Accepted) {
            ChooseClock(Game.NextClock()); // the tick goes back
            return;
        }
        clock = {int64_t{dialog.Minutes->value()} * 60000,
                 int64_t{dialog.Increment->value()} * 1000};
    } else {
        ReadTimeControl(chosen->data().toString().toStdString(), clock);
    }
    ChooseClock(clock);
    Repaint();
}

void TMainForm::Resign1Click() {
    if (!Game.HumanMayEnd()) return;
    const QString side = Game.Board().ToPlay == White ? "White" : "Black";
    if (AskYesNo(this, QString("Do you resign this game for %1?").arg(side)) && Game.Resign())
        Repaint();
}

void TMainForm::OfferDraw1Click() {
    if (!Game.HumanMayEnd()) return;
    const QString side = Game.Board().ToPlay == White ? "White" : "Black";
    const QString other = Game.Board().ToPlay == White ? "Black" : "White";
    SetThinking(true);
    Game.OfferDraw(*Hooks, [&] {
        return AskYesNo(this, QString("%1 offers a draw. Does %2 accept?").arg(side, other));
    });
    Hooks->FlushConsidered();
    Ui.ProgBar->setValue(0);
    SetThinking(false);
    Repaint();
}
