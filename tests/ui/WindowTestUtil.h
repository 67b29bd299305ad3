// Shared set-up for the window tests: a working folder of their own holding the piece
// pictures, the program's windows created as the program creates them, the messages they show,
// controls found by name, positions put on the board, and clicks on squares.
#pragma once

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "notation/Fen.h"
#include "ui/Dialogsu.h"
#include "ui/Formsu.h"

class WindowSession {
  public:
    WindowSession() {
        SetMessageHook([this](const QString& text) { Messages.append(text); });
    }

    // Copies the pictures into a fresh working folder, leaving out the ones named in `skip`,
    // creates the windows and shows the main one. The computer is kept off the board.
    bool Start(const QList<int>& skip = {}) {
        if (!Folder.isValid()) return false;
        QDir().mkpath(Folder.filePath("Images"));
        for (int i = 0; i < 12; ++i) {
            const QString name = QString("Images/%1.bmp").arg(i);
            if (!skip.contains(i) &&
                !QFile::copy(QString(BRISKO_ASSETS_DIR) + "/" + name, Folder.filePath(name)))
                return false;
        }
        QDir::setCurrent(Folder.path());
        Forms = CreateForms();
        Main = Forms->MainForm.get();
        Find<QCheckBox>("Player2Box")->setChecked(false);
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

    template <typename Control> Control* Find(const char* name) const {
        return Main->findChild<Control*>(name);
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    void Click(const char* button) const {
        QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
    }
    QString Path(const QString& name) const { return Folder.filePath(name); }

    QTemporaryDir Folder;
    QStringList Messages;
    std::unique_ptr<TForms> Forms;
    TMainForm* Main = nullptr;
};

// Starts a session in a test function and names its main window.
#define START_WINDOW(session, form)                                                                \
    WindowSession session;                                                                         \
    QVERIFY(session.Start());                                                                      \
    TMainForm& form = *session.Main

// Puts a position on the board as if a game had reached it.
inline void SetPosition(TMainForm& form, const char* fen) {
    Board board{};
    std::string error;
    QVERIFY2(ReadFen(fen, board, error), error.c_str());
    form.Session().StartFrom(board);
    form.Repaint();
}

inline QWidget* ClientArea(TMainForm& form) {
    return form.findChild<QWidget*>("ClientArea");
}

// The board area: below the top panel, left of the control panel.
inline QRect BoardArea(TMainForm& form) {
    const int top = form.findChild<QWidget*>("ProgPanel")->height();
    const QWidget* client = ClientArea(form);
    return {0, top, client->width() - form.findChild<QWidget*>("ControlPanel")->width(),
            client->height() - top};
}

// Releases the mouse at client position (x, y) of the main window.
inline void ReleaseAt(TMainForm& form, int x, int y) {
    QTest::mouseRelease(ClientArea(form), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

// Releases the mouse in the middle of square (file, row), whatever the window's size.
inline void ClickSquare(TMainForm& form, int file, int row) {
    const QRect area = BoardArea(form);
    ReleaseAt(form, (2 * file + 1) * area.width() / 16,
              area.top() + (2 * row + 1) * area.height() / 16);
}

// Plays a move given as "e2e4" by two clicks.
inline void ClickMove(TMainForm& form, const QString& move) {
    ClickSquare(form, move[0].toLatin1() - 'a', '8' - move[1].toLatin1());
    ClickSquare(form, move[2].toLatin1() - 'a', '8' - move[3].toLatin1());
}
