// The considered-moves window: the computer's candidate moves with their scores, in the order
// it searched them. A developer tool behind the hidden View menu; the computer writes its memo
// whether or not the window is shown.
#pragma once

#include <QWidget>

class QPlainTextEdit;

class TDepth1Form : public QWidget {
    Q_OBJECT

  public:
    explicit TDepth1Form(QWidget* parent = nullptr);

    QPlainTextEdit* Box;
};
