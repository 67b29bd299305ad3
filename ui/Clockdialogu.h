// The custom time control: minutes for each side and an increment in seconds a move.
#pragma once

#include <QDialog>

class QSpinBox;

class TClockDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TClockDialog(QWidget* parent = nullptr);

    QSpinBox* Minutes;
    QSpinBox* Increment;
};
