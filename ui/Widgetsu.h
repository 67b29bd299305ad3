// Builders for the controls the windows are made of; every control gets the name tests find
// it by.
#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Makes a raised, opaque panel.
QFrame* MakePanel(QWidget* parent, const char* name);

// Makes a label at (left, top) of its parent, sized to its text.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top);

// Sets a label's text at `pixelSize`, narrowing the font down to 10 pixels for a text that
// would not fit the label's width.
void SetFittedText(QLabel* label, const QString& text, int pixelSize);

// Makes a push button at the given bounds of its parent.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect bounds);

// Makes a check box at the given bounds of its parent.
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds);

// Makes a read-only, unwrapped multi-line text box at the given bounds of its parent.
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, QRect bounds);

// Fills a list window with its read-only text box "Box", which keeps a vertical scroll bar.
QPlainTextEdit* FillWithListBox(QWidget* window);
