// Builders for the controls the windows are made of; every control gets the name tests find
// it by.
#pragma once

#include <QRect>
#include <QString>

class QPlainTextEdit;
class QPushButton;
class QWidget;

// Makes a push button at the given bounds of its parent.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect bounds);

// Makes a read-only, unwrapped multi-line text box at the given bounds of its parent.
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, QRect bounds);

// Fills a list window with its read-only text box "Box", which keeps a vertical scroll bar.
QPlainTextEdit* FillWithListBox(QWidget* window);
