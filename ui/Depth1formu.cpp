#include "Depth1formu.h"

TDepth1Form::TDepth1Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Depth1Form");
    setWindowTitle("Scored Moves");
}
