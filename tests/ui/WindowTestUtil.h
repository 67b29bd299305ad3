// Shared set-up for the window tests: a working folder of their own holding the piece
// pictures, the program's windows created as the program creates them, and clicks on squares.
#pragma once

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "Dialogsu.h"
#include "Formsu.h"

class WindowSession {
  public:
    // Copies the pictures into a fresh working folder, leaving out the ones named in `skip`,
    // creates the windows and shows the main one. The computer is kept off the board.
    bool Start(const QList<int>& skip = {}) {
        if (!Folder.isValid()) return false;
        QDir().mkpath(Folder.filePath("Images"));
        for (int i = 0; i < 12; ++i) {
            if (skip.contains(i)) continue;
            const QString name = QString("Images/%1.bmp").arg(i);
            if (!QFile::copy(QString(BRISKO_ASSETS_DIR) + "/" + name, Folder.filePath(name)))
                return false;
        }
        QDir::setCurrent(Folder.path());
        Forms = CreateForms();
        Main = Forms->MainForm.get();
        Main->Player2Box->setChecked(false);
        Main->show();
        return QTest::qWaitForWindowExposed(Main);
    }

    ~WindowSession() {
        SetMessageHook({});
        SetFileDialogHook({});
        SetModalHook({});
        Forms.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QString Path(const QString& name) const { return Folder.filePath(name); }

    QTemporaryDir Folder;
    std::unique_ptr<TForms> Forms;
    TMainForm* Main = nullptr;
};

// Releases the mouse at client position (x, y) of the main window.
inline void ReleaseAt(TMainForm& form, int x, int y) {
    QTest::mouseRelease(form.Client, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

// Releases the mouse in the middle of square (file, row), whatever the window's size.
inline void ClickSquare(TMainForm& form, int file, int row) {
    const QRect area = form.BoardArea();
    ReleaseAt(form, (2 * file + 1) * area.width() / 16,
              area.top() + (2 * row + 1) * area.height() / 16);
}

// Plays a move given as "e2e4" by two clicks.
inline void ClickMove(TMainForm& form, const QString& move) {
    const auto file = [&](int i) { return move[i].toLatin1() - 'a'; };
    const auto row = [&](int i) { return '8' - move[i].toLatin1(); };
    ClickSquare(form, file(0), row(1));
    ClickSquare(form, file(2), row(3));
}
