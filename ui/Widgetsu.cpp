#include "ui/Widgetsu.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(bounds);
    return button;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, QRect bounds) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(bounds);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return memo;
}

QPlainTextEdit* FillWithListBox(QWidget* window) {
    auto* box = new QPlainTextEdit(window);
    box->setObjectName("Box");
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    return box;
}
