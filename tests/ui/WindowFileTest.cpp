// The File menu on the real main window: saving, save failures, opening, and the messages of
// damaged files. The dialogs are answered through their seams.
#include <QFileDialog>

#include "tests/ui/WindowTestUtil.h"

class WindowFileTest : public QObject {
    Q_OBJECT

    static QString Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

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
    void saveThenOpen() {
        START_WINDOW(session, form);
        const QString path = session.Path("game.bch");
        ClickMove(form, "e2e4");
        ClickMove(form, "e7e5");
        ClickMove(form, "g1f3");

        // Cancelled dialogs change nothing.
        Trigger(form, "Save1", QString());
        Trigger(form, "Open1", QString());
        QCOMPARE(form.FileName, QString());
        QCOMPARE(form.History.Count, 4);

        // Save with no name yet asks for one, and writes only the positions up to the one shown.
        form.BackButton->click();
        QCOMPARE(Trigger(form, "Save1", path), QString("SaveDlg"));
        QCOMPARE(form.FileName, path);
        const QString text = Read(path);
        QVERIFY(text.startsWith("BQ\r\nrnbqkbnr\r\n"));
        QVERIFY(text.endsWith("RepStale=F\r\nEND"));
        QCOMPARE(text.count("CONTINUE"), 2);
        const Board shown = form.Board;

        form.NewButton->click();
        QCOMPARE(form.FileName, QString());
        QCOMPARE(Trigger(form, "Open1", path), QString("OpenDlg"));
        QCOMPARE(session.Messages, QStringList());
        QCOMPARE(form.FileName, path);
        QCOMPARE(form.History.Count, 3);
        QCOMPARE(form.History.Stored, 3);
        QCOMPARE(std::memcmp(form.Board.Squares, shown.Squares, sizeof shown.Squares), 0);
        QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
        form.BackButton->click();
        form.BackButton->click();
        QCOMPARE(form.Board.Squares[4][6], static_cast<int>(Pawn));

        // The loaded game plays on; Save writes under the known name without asking.
        form.ForwardButton->click();
        form.ForwardButton->click();
        ClickMove(form, "g1f3");
        QCOMPARE(form.History.Count, 4);
        QCOMPARE(Trigger(form, "Save1", session.Path("unused.bch")), QString());
        QCOMPARE(Read(path).count("CONTINUE"), 3);
    }

    void failedSaveIsReported() {
        START_WINDOW(session, form);
        const QString good = session.Path("kept.bch");
        Trigger(form, "SaveAs1", good);
        const QString before = Read(good);
        QVERIFY(before.endsWith("END"));

        // Save As to a folder that does not exist: told, and the old name and file stay.
        const QString bad = session.Path("missing/folder/game.bch");
        ClickMove(form, "e2e4");
        Trigger(form, "SaveAs1", bad);
        QCOMPARE(session.Messages.size(), 1);
        QVERIFY(session.Messages.first().contains(bad));
        QCOMPARE(form.FileName, good);
        QCOMPARE(Read(good), before);
        QCOMPARE(form.History.Count, 2);

        // Save onto a name that has become a folder: told as well.
        QVERIFY(QFile::remove(good));
        QVERIFY(QDir().mkdir(good));
        form.findChild<QAction*>("Save1")->trigger();
        QCOMPARE(session.Messages.size(), 2);
        QVERIFY(session.Messages.last().contains(good));
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("loaded"); // positions kept, 0 when the file is refused
        const QByteArray head = "BQ\nrnbqkbnr\npppppppp\n00000000\n00000000\n00000000\n00000000\n"
                                "PPPPPPPP\nRNBQKBNR\n1\nQueenCastle1=T\nKingCastle1=T\n"
                                "QueenCastle2=T\nKingCastle2=T\n";
        QTest::newRow("short row")
            << QByteArray("BQ\nrnbqkbnr\npppp\n") << "Range check error" << 0;
        QTest::newRow("bad integer") << head + "ep1=x1\nep2=-1\n"
                                     << "'x1' is not a valid integer value" << 0;
        QTest::newRow("empty integer") << head + "ep1=\n"
                                       << "'' is not a valid integer value" << 0;
        QTest::newRow("two kings")
            << QByteArray("0000k000 00000000 00000000 00000000 00000000 00000000 00000000 "
                          "K000K000 1 END")
            << "Position 1 of the file cannot arise in a game: White has more than one king." << 0;
        QTest::newRow("cut short")
            << QByteArray("rnbqkbnr pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                          "RNBQKBNR 1 CONTINUE rnbq")
            << "The file ends before \"END\"; its first 1 positions were loaded." << 1;
    }

    void damagedFiles() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        QFETCH(int, loaded);
        START_WINDOW(session, form);
        const QString path = session.Path("damaged.bch"), kept = session.Path("kept.bch");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        ClickMove(form, "e2e4");
        Trigger(form, "SaveAs1", kept);
        ClickMove(form, "e7e5"); // not saved yet
        const Board before = form.Board;

        Trigger(form, "Open1", path);
        QCOMPARE(session.Messages, QStringList{message});
        // A refused file leaves the game, its history and its file name as they were; what a
        // damaged file still gave is saved only under a name the user confirms.
        QCOMPARE(form.FileName, loaded == 0 ? kept : QString());
        QCOMPARE(form.History.Count, loaded == 0 ? 3 : loaded);
        if (loaded == 0)
            QCOMPARE(std::memcmp(form.Board.Squares, before.Squares, sizeof before.Squares), 0);
        Trigger(form, "Save1", session.Path("other.bch"));
        QCOMPARE(Read(kept).count("CONTINUE"), loaded == 0 ? 2 : 1);
        QCOMPARE(Read(path), QString::fromLatin1(text));
        ClickMove(form, "d2d4");
        QCOMPARE(form.StatusLabel2->text(), QString("Black to play..."));
    }
};

QTEST_MAIN(WindowFileTest)
#include "WindowFileTest.moc"
