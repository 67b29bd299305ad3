#include "Depth1formu.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TDepth1Form::TDepth1Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Depth1Form");
    setWindowTitle("Depth1Form");
    resize(131, 649);
    move(791, 0);
    Box = new QPlainTextEdit(this);
    Box->setObjectName("Box");
    Box->setReadOnly(true);
    Box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Box->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Box);
}
