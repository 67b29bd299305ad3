// Start-up of the real main window: the pictures it loads, and what it does when some of them
// are missing or damaged.
#include "tests/ui/WindowTestUtil.h"
#include "ui/Boardpaintu.h"

class WindowStartTest : public QObject {
    Q_OBJECT

  private slots:
    void missingOrDamagedPicturesAreNamed() {
        WindowSession session;
        QDir().mkpath(session.Path("Images"));
        QFile damaged(session.Path("Images/5.bmp"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("BM not a picture") > 0);
        damaged.close();
        QVERIFY(session.Start({3, 5, 10}));
        TMainForm& form = *session.Main;
        QCOMPARE(session.Messages.size(), 1);
        for (const char* name : {"Images/3.bmp", "Images/5.bmp", "Images/10.bmp"})
            QVERIFY2(session.Messages.first().contains(name), name);
        QVERIFY(!session.Messages.first().contains("Images/4.bmp"));

        // The start-up went on: a new game is on the board and can be played.
        QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
        ClickMove(form, "e2e4");
        QCOMPARE(form.History.Count, 2);
        // The white queen's square is drawn bare...
        QCOMPARE(form.BoardBitmap.pixel(3 * 52 + 26, 7 * 52 + 26) | 0xff000000u, LightSquare);
        // ... while the white king is drawn without its transparent colour, and outlined.
        QCOMPARE(form.BoardBitmap.pixel(4 * 52 + 3, 7 * 52 + 3) | 0xff000000u, DarkSquare);
        bool outlined = false;
        for (int x = 4 * 52 + 2; x < 5 * 52 - 2; ++x)
            if (qGray(form.BoardBitmap.pixel(x, 7 * 52 + 30)) < 60) outlined = true;
        QVERIFY(outlined);
        // Codes outside the pieces have no picture.
        for (int code : {0, 7, -7, 999}) QCOMPARE(PictureIndex(code), -1);
    }
};

QTEST_MAIN(WindowStartTest)
#include "WindowStartTest.moc"
