#include "ui/Depth1formu.h"

#include <QPlainTextEdit>

#include "ui/Widgetsu.h"

TDepth1Form::TDepth1Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Depth1Form");
    setWindowTitle("Depth1Form");
    resize(131, 649);
    move(791, 0);
    Box = FillWithListBox(this);
}
