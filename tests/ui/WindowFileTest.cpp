// The File menu on the real main window: saving, save failures, opening, and the messages of
// damaged files. The dialogs are answered through their seams.
#include <QFileDialog>

#include "WindowTestUtil.h"

class WindowFileTest : public QObject {
    Q_OBJECT

    static QString Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    static void Write(const QString& path, const QByteArray& text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Answers the next file dialogs with `path`, remembering which dialog asked.
    QString Asked;
    void Answer(const QString& path) {
        SetFileDialogHook([this, path](QFileDialog& dialog) {
            Asked = dialog.objectName();
            return path;
        });
    }

    QStringList Messages;
    void WatchMessages() {
        Messages.clear();
        SetMessageHook([this](const QString& text) { Messages.append(text); });
    }

  private slots:
    void dialogsAskForSavedGames();
    void saveThenOpen();
    void cancelledDialogsChangeNothing();
    void failedSaveIsReported();
    void damagedFiles_data();
    void damagedFiles();
};

void WindowFileTest::dialogsAskForSavedGames() {
    WindowSession session;
    QVERIFY(session.Start());
    for (QFileDialog* dialog : {session.Main->SaveDlg, session.Main->OpenDlg}) {
        QCOMPARE(dialog->defaultSuffix(), QString("bch"));
        QCOMPARE(dialog->nameFilters(),
                 (QStringList{"Brisko Chess Files (*.bch)", "All Files (*.*)"}));
    }
    QCOMPARE(session.Main->OpenDlg->fileMode(), QFileDialog::ExistingFile);
    QVERIFY(session.Main->SaveDlg->testOption(QFileDialog::DontConfirmOverwrite));
}

void WindowFileTest::saveThenOpen() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    const QString path = session.Path("game.bch");

    // Save with no name yet asks for one.
    Answer(path);
    form.findChild<QAction*>("Save1")->trigger();
    QCOMPARE(Asked, QString("SaveDlg"));
    QCOMPARE(form.FileName, path);
    QString text = Read(path);
    QVERIFY(text.startsWith("BQ\r\nrnbqkbnr\r\n"));
    QVERIFY(text.endsWith("RepStale=F\r\nEND"));
    QCOMPARE(text.count("CONTINUE"), 0);

    // After Back, Save writes only the positions up to the one shown.
    ClickMove(form, "e2e4");
    ClickMove(form, "e7e5");
    ClickMove(form, "g1f3");
    form.BackButton->click();
    Asked.clear();
    form.findChild<QAction*>("Save1")->trigger();
    QCOMPARE(Asked, QString()); // the name is known
    QCOMPARE(Read(path).count("CONTINUE"), 2);
    const Board shown = form.Board;

    form.NewButton->click();
    QCOMPARE(form.FileName, QString());
    WatchMessages();
    form.findChild<QAction*>("Open1")->trigger();
    QCOMPARE(Asked, QString("OpenDlg"));
    QCOMPARE(Messages, QStringList());
    QCOMPARE(form.FileName, path);
    QCOMPARE(form.History.Count, 3);
    QCOMPARE(form.History.Stored, 3);
    QCOMPARE(std::memcmp(form.Board.Squares, shown.Squares, sizeof shown.Squares), 0);
    QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
    form.ForwardButton->click();
    QCOMPARE(form.History.Count, 3);
    form.BackButton->click();
    form.BackButton->click();
    QCOMPARE(form.History.Count, 1);
    QCOMPARE(form.Board.Squares[4][6], static_cast<int>(Pawn));

    // The loaded game plays on.
    form.ForwardButton->click();
    form.ForwardButton->click();
    ClickMove(form, "g1f3");
    QCOMPARE(form.History.Count, 4);
    QCOMPARE(form.Board.Squares[5][5], static_cast<int>(Knight));

    // Save As writes under the new name and keeps it.
    const QString other = session.Path("other");
    Answer(other + ".bch");
    form.findChild<QAction*>("SaveAs1")->trigger();
    QCOMPARE(form.FileName, other + ".bch");
    QCOMPARE(Read(other + ".bch").count("CONTINUE"), 3);
}

void WindowFileTest::cancelledDialogsChangeNothing() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    ClickMove(form, "e2e4");
    Answer(QString());
    form.findChild<QAction*>("Save1")->trigger();
    form.findChild<QAction*>("Open1")->trigger();
    QCOMPARE(form.FileName, QString());
    QCOMPARE(form.History.Count, 2);
    QCOMPARE(form.LastMove.Y2, 4);
}

void WindowFileTest::failedSaveIsReported() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    const QString good = session.Path("kept.bch");
    Answer(good);
    form.findChild<QAction*>("SaveAs1")->trigger();
    const QString before = Read(good);

    // Save As to a folder that does not exist: told, and the old name stays.
    WatchMessages();
    const QString bad = session.Path("missing/folder/game.bch");
    Answer(bad);
    ClickMove(form, "e2e4");
    form.findChild<QAction*>("SaveAs1")->trigger();
    QCOMPARE(Messages.size(), 1);
    QVERIFY(Messages.first().contains(bad));
    QCOMPARE(form.FileName, good);
    QCOMPARE(Read(good), before);
    QCOMPARE(form.History.Count, 2);

    // Save onto a name that has become a folder: told as well.
    QVERIFY(QFile::remove(good));
    QVERIFY(QDir().mkdir(good));
    form.findChild<QAction*>("Save1")->trigger();
    QCOMPARE(Messages.size(), 2);
    QVERIFY(Messages.last().contains(good));
}

void WindowFileTest::damagedFiles_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    const QByteArray rows = "rnbqkbnr\npppppppp\n00000000\n00000000\n00000000\n00000000\n"
                            "PPPPPPPP\n";
    QTest::newRow("short row") << QByteArray("BQ\nrnbqkbnr\npppp\n") << "Range check error";
    QTest::newRow("bad integer") << QByteArray("BQ\n" + rows +
                                               "RNBQKBNR\n1\nQueenCastle1=T\nKingCastle1=T\n"
                                               "QueenCastle2=T\nKingCastle2=T\nep1=x1\nep2=-1\n")
                                 << "'x1' is not a valid integer value";
    QTest::newRow("empty integer") << QByteArray("BQ\n" + rows +
                                                 "RNBQKBNR\n1\nQueenCastle1=T\nKingCastle1=T\n"
                                                 "QueenCastle2=T\nKingCastle2=T\nep1=\n")
                                   << "'' is not a valid integer value";
}

void WindowFileTest::damagedFiles() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    const QString path = session.Path("damaged.bch");
    Write(path, text);
    ClickMove(form, "e2e4");

    WatchMessages();
    Answer(path);
    form.findChild<QAction*>("Open1")->trigger();
    QCOMPARE(Messages, QStringList{message});
    // The new game that began the load stays on the board.
    QCOMPARE(form.FileName, path);
    QCOMPARE(form.History.Count, 1);
    QCOMPARE(form.History.Stored, 1);
    QCOMPARE(form.Board.Squares[4][6], static_cast<int>(Pawn));
    QCOMPARE(form.LastMove.X1, -1);
    QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
    ClickMove(form, "d2d4");
    QCOMPARE(form.History.Count, 2);
}

QTEST_MAIN(WindowFileTest)
#include "WindowFileTest.moc"
