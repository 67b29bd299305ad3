#include "ui/Widgetsu.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QFrame* MakePanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // Opaque, so that a control repainting inside it (the progress bar, many times a second
    // while the computer thinks) does not repaint the board and its status work underneath.
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void SetFittedText(QLabel* label, const QString& text, int pixelSize) {
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    while (font.pixelSize() > 10 && QFontMetrics(font).horizontalAdvance(text) > label->width())
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
    label->setText(text);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(bounds);
    return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(bounds);
    return box;
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
