#include "ui/Mainu.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>

#include "ui/Boardpaintu.h"
#include "ui/Legalformu.h"
#include "ui/Promotionu.h"
#include "ui/Widgetsu.h"
#include "ui/Windowhooksu.h"

TMainForm::TMainForm() : Hooks(std::make_unique<TWindowHooks>(*this)) {
    setObjectName("MainForm");
    setWindowTitle("Brisko Chess!!");
    Client = new QWidget(this);
    Client->setObjectName("ClientArea");
    Client->installEventFilter(this);
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
        {"ComputerTimer", &TMainForm::ComputerTimerTimer},
        {"PromotionTimer", &TMainForm::PromotionTimerTimer},
        {"MoveTimer", &TMainForm::MoveTimerTimer},
    };
    for (const auto& [name, handler] : handlers) {
        if (auto* item = findChild<QAction*>(name))
            connect(item, &QAction::triggered, this, handler);
        else if (auto* timer = findChild<QTimer*>(name))
            connect(timer, &QTimer::timeout, this, handler);
        else
            connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this, handler);
    }
    connect(Ui.DepthBar, &QSlider::valueChanged, this, &TMainForm::DepthBarChange);
    connect(Ui.Player1Box, &QCheckBox::toggled, this,
            [this](bool on) { Game.SetComputerPlays(White, on); });
    connect(Ui.Player2Box, &QCheckBox::toggled, this,
            [this](bool on) { Game.SetComputerPlays(Black, on); });
    ShowComputerSides();

    // The client area is 614 x 475 below the menu bar.
    resize(614, 475 + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(311, 264));
    Ui.ComputerTimer->start();
    Ui.PromotionTimer->start();
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
    QMainWindow::closeEvent(event);
    emit Closed();
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

void TMainForm::FormPaint(QPainter& painter) {
    if (BoardBitmap.isNull())
        BoardBitmap = QImage(BoardPictureSize, BoardPictureSize, QImage::Format_RGB32);
    DrawBoard(BoardBitmap, Game.Board(), Game.SelectedX(), Game.SelectedY(), Game.LastMove(),
              PieceBitmaps);
    DrawStretched(painter, BoardBitmap, BoardArea(Ui, Client));
    UpdateStatus();
}

void TMainForm::UpdateStatus() {
    ShowReadOuts(Ui, Game.Board(), Game.Condition());
    const StatusTexts status = Game.Status();
    // "Stalemate - 3 move repetition" is too wide for the status panel at 16 pixels.
    SetFittedText(Ui.StatusLabel2, QString::fromStdString(status.First), 16);
    if (status.Second) Ui.StatusLabel3->setText(QString::fromStdString(*status.Second));
    if (Forms.LegalForm) {
        Forms.LegalForm->Refresh(Game.Board().ToPlay);
        // Scheduled rather than painted here: this runs inside the main window's own paint.
        Forms.LegalForm->update();
    }
}
