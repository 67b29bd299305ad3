// The File menu's dialogs and messages on the real main window, answered through their seams,
// and the league table window.
#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "tests/ui/WindowTestUtil.h"
#include "ui/Leagueformu.h"

class WindowDialogsTest : public QObject {
    Q_OBJECT

    // Answers the file dialogs with `path` while running the menu item `action`, and tells
    // which dialog asked.
    static QString Trigger(TMainForm& form, const char* action, const QString& path) {
        QString asked;
        SetFileDialogHook([&](QFileDialog& dialog) {
            asked = dialog.objectName();
            return path;
        });
        form.findChild<QAction*>(action)->trigger();
        SetFileDialogHook({});
        return asked;
    }

  private slots:
    void saveAndOpen() {
        START_WINDOW(session, form);
        const GameSession& game = form.Session();
        const QString path = session.Path("game.bch");
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) ClickMove(form, move);
        // Cancelled dialogs change nothing.
        QCOMPARE(Trigger(form, "Save1", QString()), QString("SaveDlg"));
        QCOMPARE(Trigger(form, "Open1", QString()), QString("OpenDlg"));
        QCOMPARE(game.History().Count, 4);

        // Save with no name yet asks for one; then it writes under that name without asking.
        session.Click("BackButton");
        QCOMPARE(Trigger(form, "Save1", path), QString("SaveDlg"));
        QCOMPARE(Trigger(form, "Save1", session.Path("unused.bch")), QString());
        QVERIFY(!QFile::exists(session.Path("unused.bch")));

        session.Click("NewButton");
        QCOMPARE(Trigger(form, "Open1", path), QString("OpenDlg"));
        QCOMPARE(session.Messages, QStringList());
        QCOMPARE(game.History().Count, 3);
        QCOMPARE(session.Text("StatusLabel2"), QString("White to play..."));

        // A save that fails is told, naming the file.
        const QString bad = session.Path("missing/folder/game.bch");
        Trigger(form, "SaveAs1", bad);
        QCOMPARE(session.Messages, QStringList{QString("Cannot save the game to %1.").arg(bad)});
        QVERIFY(game.FileName() == QFile::encodeName(path).toStdString());

        // A damaged file is told, and the game on the board stays as it was.
        QFile damaged(session.Path("damaged.bch"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("BQ\nrnbqkbnr\npppp\n") > 0);
        damaged.close();
        ClickMove(form, "g1f3");
        Trigger(form, "Open1", damaged.fileName());
        QCOMPARE(session.Messages.last(), QString("Range check error"));
        QCOMPARE(game.History().Count, 4);
        QVERIFY(game.FileName() == QFile::encodeName(path).toStdString());
        ClickMove(form, "b8c6");
        QCOMPARE(game.History().Count, 5);
    }

    void leagueWindow() {
        START_WINDOW(session, form);
        TLeagueForm& league = *session.Forms->LeagueForm;
        const auto firstRow = [&] {
            return league.NameBox->toPlainText().section('\n', 0, 0) + " " +
                   league.ScoreBox->toPlainText().section('\n', 0, 0) + " " +
                   league.NogBox->toPlainText().section('\n', 0, 0);
        };
        form.League1Click();
        QVERIFY(QTest::qWaitForWindowExposed(&league));
        QCOMPARE(league.NameBox->toPlainText().count("Opponent: "), 16);
        QCOMPARE(firstRow(), QString("Opponent: 0 0 0"));

        // A result is recorded at once, listed only when the window is next shown.
        league.WinBox->setText("4");
        league.LoseBox->setText("1");
        QTest::mouseClick(league.PlayButton, Qt::LeftButton);
        QCOMPARE(firstRow(), QString("Opponent: 0 0 0"));
        league.hide();
        league.show();
        QCOMPARE(firstRow(), QString("Opponent: 4 3 1"));
        // A refused entry is told and records nothing.
        league.WinBox->setText("16");
        QTest::mouseClick(league.DrewButton, Qt::LeftButton);
        QCOMPARE(session.Messages, QStringList{"Invalid entry in Winner box!"});
        QTest::mouseClick(league.ResetButton, Qt::LeftButton);
        QCOMPARE(firstRow(), QString("Opponent: 0 0 0"));
    }
};

QTEST_MAIN(WindowDialogsTest)
#include "WindowDialogsTest.moc"
