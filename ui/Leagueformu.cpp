#include "ui/Leagueformu.h"

#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include "league/Leagueentryu.h"
#include "league/Leagueu.h"
#include "ui/Dialogsu.h"
#include "ui/Widgetsu.h"

TLeagueForm::TLeagueForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("LeagueForm");
    setWindowTitle("League Table");
    // Client area of a 210 x 324 window with its frame.
    resize(202, 290);

    NameBox = MakeMemo(this, "NameBox", {8, 8, 113, 241});
    ScoreBox = MakeMemo(this, "ScoreBox", {120, 8, 41, 241});
    NogBox = MakeMemo(this, "NogBox", {160, 8, 33, 241});
    ResetButton = MakeButton(this, "ResetButton", "Reset", {8, 256, 185, 25});

    GamePanel = MakePanel(this, "GamePanel");
    GamePanel->setGeometry(264, 8, 121, 169);
    MakeLabel(GamePanel, "PlayGameLabel", "Play Game", 32, 8);
    MakeLabel(GamePanel, "WinLabel", "Winner", 8, 36);
    MakeLabel(GamePanel, "LoseLabel", "Loser", 8, 68);
    WinBox = new QLineEdit(GamePanel);
    WinBox->setObjectName("WinBox");
    WinBox->setGeometry(64, 32, 49, 21);
    LoseBox = new QLineEdit(GamePanel);
    LoseBox->setObjectName("LoseBox");
    LoseBox->setGeometry(64, 64, 49, 21);
    PlayButton = MakeButton(GamePanel, "PlayButton", "Played", {8, 96, 105, 25});
    DrewButton = MakeButton(GamePanel, "DrewButton", "Drew", {8, 132, 105, 25});
    GamePanel->hide();

    connect(ResetButton, &QPushButton::clicked, this, &TLeagueForm::ResetButtonClick);
    connect(PlayButton, &QPushButton::clicked, this, [this] { PlayButtonClick(PlayButton); });
    connect(DrewButton, &QPushButton::clicked, this, [this] { PlayButtonClick(DrewButton); });
    FormCreate();
}

void TLeagueForm::FormCreate() {
    ResetLeague(League);
}

void TLeagueForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window restored from the task bar is not newly shown.
    if (!event->spontaneous()) FormShow();
}

void TLeagueForm::FormShow() {
    ShowLeague();
}

void TLeagueForm::ShowLeague() {
    NameBox->clear();
    ScoreBox->clear();
    NogBox->clear();
    Order = LeagueOrder(League);
    const LeagueLines lines = LeagueStandings(League);
    for (int k = 0; k < LeagueSize; ++k) {
        NameBox->appendPlainText(QString::fromStdString(lines.Names[k]));
        ScoreBox->appendPlainText(QString::fromStdString(lines.Points[k]));
        NogBox->appendPlainText(QString::fromStdString(lines.Games[k]));
    }
    // Each memo starts at its first line, so that the three columns stay side by side.
    for (QPlainTextEdit* memo : {NameBox, ScoreBox, NogBox}) memo->moveCursor(QTextCursor::Start);
}

void TLeagueForm::PlayButtonClick(const QPushButton* sender) {
    const LeagueEntry entry = EnterLeagueResult(
        League, WinBox->text().toStdString(), LoseBox->text().toStdString(), sender == DrewButton);
    if (entry != LeagueEntry::Recorded) {
        ShowMessage(this, LeagueEntryMessage(entry));
        return;
    }
    UpdateClick();
}

void TLeagueForm::ResetButtonClick() {
    ResetLeague(League);
    ShowLeague();
    repaint();
}

void TLeagueForm::UpdateClick() {
    update();
}
