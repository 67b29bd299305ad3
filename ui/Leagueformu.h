// The league table window of sixteen numbered opponents; empty until the league is built.
#pragma once

#include <QWidget>

class TLeagueForm : public QWidget {
    Q_OBJECT

  public:
    explicit TLeagueForm(QWidget* parent = nullptr);
};
