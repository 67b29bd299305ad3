// The league table window: sixteen numbered opponents ranked by points, with their games
// played. Results are entered in a panel that nothing shows; the table lives in memory only.
#pragma once

#include <QWidget>
#include <array>

#include "league/Leaguepositionu.h"

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TLeagueForm : public QWidget {
    Q_OBJECT

  public:
    explicit TLeagueForm(QWidget* parent = nullptr);

    ::League League{};
    // Indices into League, best first, as of the last ShowLeague.
    std::array<int, LeagueSize> Order{};

    QPlainTextEdit* NameBox;
    QPlainTextEdit* ScoreBox;
    QPlainTextEdit* NogBox;
    QPushButton* ResetButton;
    QFrame* GamePanel;
    QLineEdit* WinBox;
    QLineEdit* LoseBox;
    QPushButton* PlayButton;
    QPushButton* DrewButton;

    void FormCreate();
    void FormShow();
    // Shared by "Played" and "Drew"; `sender` tells them apart.
    void PlayButtonClick(const QPushButton* sender);
    void ResetButtonClick();
    void UpdateClick();
    // Rewrites the three memos in ranked order.
    void ShowLeague();

  protected:
    void showEvent(QShowEvent* event) override;
};
