#include "Leagueformu.h"

TLeagueForm::TLeagueForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("LeagueForm");
    setWindowTitle("League");
}
