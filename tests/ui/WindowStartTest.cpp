// Start-up of the real main window: the pictures it loads, and what it does when one of them
// cannot be read.
#include <QLabel>

#include "Boardpaintu.h"
#include "WindowTestUtil.h"

class WindowStartTest : public QObject {
    Q_OBJECT

  private slots:
    void picturesAreLoaded();
    void missingPicturesAreNamed();
    void damagedPictureIsNamed();
    void pictureIndexes();
};

void WindowStartTest::picturesAreLoaded() {
    QStringList messages;
    SetMessageHook([&](const QString& text) { messages.append(text); });
    WindowSession session;
    QVERIFY(session.Start());
    const TMainForm& form = *session.Main;
    QCOMPARE(messages, QStringList());
    for (const QImage& picture : form.PieceBitmaps) QCOMPARE(picture.size(), QSize(48, 48));
    QCOMPARE(form.BoardBitmap.size(), QSize(416, 416));
    // The transparent colour is left out: the dark square shows around the white king on e1...
    QCOMPARE(form.BoardBitmap.pixel(4 * 52 + 3, 7 * 52 + 3) | 0xff000000u, DarkSquare);
    // ... and its dark outline is drawn.
    bool outlined = false;
    for (int x = 4 * 52 + 2; x < 5 * 52 - 2; ++x)
        if (qGray(form.BoardBitmap.pixel(x, 7 * 52 + 30)) < 60) outlined = true;
    QVERIFY(outlined);
    QCOMPARE(form.Opponent.CaptureStep, 1.0f);
    QVERIFY(!form.Opponent.Stop);
}

void WindowStartTest::missingPicturesAreNamed() {
    QStringList messages;
    SetMessageHook([&](const QString& text) { messages.append(text); });
    WindowSession session;
    QVERIFY(session.Start({3, 10}));
    TMainForm& form = *session.Main;
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains("Images/3.bmp"));
    QVERIFY(messages.first().contains("Images/10.bmp"));
    QVERIFY(form.PieceBitmaps[3].isNull());
    QVERIFY(!form.PieceBitmaps[4].isNull());

    // The start-up went on: a new game is on the board and can be played.
    QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
    QCOMPARE(form.History.Count, 1);
    ClickMove(form, "e2e4");
    QCOMPARE(form.History.Count, 2);
    // The queen's square is drawn bare.
    QCOMPARE(form.BoardBitmap.pixel(3 * 52 + 26, 7 * 52 + 26) | 0xff000000u, LightSquare);
}

void WindowStartTest::damagedPictureIsNamed() {
    QStringList messages;
    SetMessageHook([&](const QString& text) { messages.append(text); });
    WindowSession session;
    QDir().mkpath(session.Folder.filePath("Images"));
    QFile damaged(session.Folder.filePath("Images/5.bmp"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("BM not a picture");
    damaged.close();
    QVERIFY(session.Start({5}));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains("Images/5.bmp"));
    QVERIFY(!messages.first().contains("Images/4.bmp"));
}

void WindowStartTest::pictureIndexes() {
    const int expected[13] = {9, 10, 8, 7, 6, 11, -1, 5, 0, 1, 2, 4, 3};
    for (int code = -6; code <= 6; ++code) QCOMPARE(PictureIndex(code), expected[code + 6]);
    QCOMPARE(PictureIndex(7), -1);
    QCOMPARE(PictureIndex(-7), -1);
    QCOMPARE(PictureIndex(999), -1);
}

QTEST_MAIN(WindowStartTest)
#include "WindowStartTest.moc"
