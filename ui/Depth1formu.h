// The considered-moves window: the computer's candidate moves with their scores; empty until
// the computer's turns are built.
#pragma once

#include <QWidget>

class TDepth1Form : public QWidget {
    Q_OBJECT

  public:
    explicit TDepth1Form(QWidget* parent = nullptr);
};
