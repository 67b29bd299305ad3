// The About box: the game's name, a small picture and an OK button.
#pragma once

#include <QDialog>

class TAboutForm : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutForm(QWidget* parent = nullptr);
};
