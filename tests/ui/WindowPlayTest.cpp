// The board on the real main window: where a click lands at two sizes, what is drawn, the
// status lines, the promotion chooser, and start-up with pictures missing.
#include <QFontMetrics>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include "engine/Stalemateu.h"
#include "tests/ui/WindowTestUtil.h"
#include "ui/Boardpaintu.h"

class WindowPlayTest : public QObject {
    Q_OBJECT

    // The colour painted just inside the left outline of a square, beside its piece.
    static QRgb Fill(TMainForm& form, int file, int row) {
        const QRect area = BoardArea(form);
        return ClientArea(form)->grab().toImage().pixel(
                   SquareSize * file + 1, area.top() + SquareSize * row + SquareSize / 2) |
               0xff000000u;
    }

  private slots:
    void clickMapsToSquare_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QPoint>("selected"); // (-1, -1): nothing selected

        const QSize normal(614, 475); // board area 416 x 418
        QTest::newRow("file 1") << normal << QPoint(52, 57 + 314) << QPoint(1, 6);
        QTest::newRow("file 0") << normal << QPoint(51, 57 + 314) << QPoint(0, 6);
        QTest::newRow("row 5 is empty") << normal << QPoint(52, 57 + 313) << QPoint(-1, -1);
        QTest::newRow("last row") << normal << QPoint(415, 474) << QPoint(7, 7);
        QTest::newRow("left edge") << normal << QPoint(0, 400) << QPoint(-1, -1);
        QTest::newRow("control panel") << normal << QPoint(416, 400) << QPoint(-1, -1);
        QTest::newRow("below the window") << normal << QPoint(100, 475 + 60) << QPoint(-1, -1);

        const QSize small(500, 400); // board area 302 x 343
        QTest::newRow("small, file 1") << small << QPoint(38, 57 + 258) << QPoint(1, 6);
        QTest::newRow("small, file 0") << small << QPoint(37, 57 + 258) << QPoint(0, 6);
        QTest::newRow("small, row 5") << small << QPoint(38, 57 + 257) << QPoint(-1, -1);
        QTest::newRow("small, panel") << small << QPoint(302, 57 + 258) << QPoint(-1, -1);
        // Shrunk to its top panel, the window has no rows left: a release below it is ignored.
        QTest::newRow("no rows") << QSize(400, 57) << QPoint(50, 100) << QPoint(-1, -1);
    }

    void clickMapsToSquare() {
        QFETCH(QSize, client);
        QFETCH(QPoint, release);
        QFETCH(QPoint, selected);
        START_WINDOW(session, form);
        if (client != ClientArea(form)->size())
            form.resize(client.width(), client.height() + form.menuBar()->height());
        QTRY_COMPARE(ClientArea(form)->size(), client);

        ReleaseAt(form, release.x(), release.y());
        const GameSession& game = form.Session();
        QCOMPARE(QPoint(game.SelectedX(), game.SelectedY()), selected);
        QCOMPARE(session.Text("ConditionLabel"), QString("Condition: %1").arg(game.Condition()));
    }

    void drawsSelectionLastMoveAndStatus() {
        START_WINDOW(session, form);
        QCOMPARE(Fill(form, 4, 6), LightSquare);
        ClickSquare(form, 4, 6);
        QCOMPARE(Fill(form, 4, 6), SelectedColour);
        ClickSquare(form, 3, 6); // the selection moves, the old square is plain again
        QCOMPARE(Fill(form, 4, 6), LightSquare);
        QCOMPARE(Fill(form, 3, 6), SelectedColour);
        ClickSquare(form, 3, 4);
        for (const char* move : {"e7e5", "d4e5"}) ClickMove(form, move);
        QCOMPARE(Fill(form, 3, 6), DarkSquare);
        QCOMPARE(Fill(form, 3, 4), LastMoveColour);
        QCOMPARE(Fill(form, 4, 3), LastMoveColour);
        session.Click("BackButton"); // the last move stays marked
        QCOMPARE(Fill(form, 4, 3), LastMoveColour);
        QCOMPARE(session.Text("StatusLabel2"), QString("White to play..."));

        for (const char* move : {"d4e5", "a7a6", "d1d7"}) ClickMove(form, move);
        QCOMPARE(session.Text("StatusLabel2"), QString("Black to play..."));
        QCOMPARE(session.Text("StatusLabel3"), QString("Check"));
        QCOMPARE(session.Text("CheckLabel"), QString("Check: 2"));

        // A drawn game keeps the second line, and the longest first line fits the panel.
        Board drawn = form.Session().Board();
        drawn.Outcome = Drawn;
        drawn.Repetition1 = RepetitionLimit + 1;
        form.Session().StartFrom(drawn);
        form.Repaint();
        const QLabel* first = session.Find<QLabel>("StatusLabel2");
        QCOMPARE(first->text(), QString("Stalemate - 3 move repetition"));
        QVERIFY(QFontMetrics(first->font()).horizontalAdvance(first->text()) <= first->width());
        QCOMPARE(session.Text("StatusLabel3"), QString("Check"));
    }

    void humanPromotionOpensTheChooser() {
        START_WINDOW(session, form);
        SetPosition(form, "7k/P7/8/8/8/8/8/K7 w - - 0 1");
        int shown = 0;
        SetModalHook([&](QDialog& dialog) {
            auto* chooser = qobject_cast<TPromotionForm*>(&dialog);
            QVERIFY(chooser);
            ++shown;
            // The legal-moves window offers the side that chooses its pieces.
            QVERIFY(session.Forms->LegalForm->Box->toPlainText().contains("\nKnight"));
            chooser->FormMouseUp(34 + 3 * 52 + 10, 50); // the knight, the fourth square
        });
        ClickMove(form, "a7a8");
        QTRY_COMPARE(form.Session().Board().ToPlay, Black);
        QCOMPARE(form.Session().Board().Squares[0][0], static_cast<int>(Knight));
        QCOMPARE(shown, 1);
        // The legal-moves window follows the board.
        const QStringList lines = session.Forms->LegalForm->Box->toPlainText().split('\n');
        QCOMPARE(lines.mid(0, 3), (QStringList{"Black", "Legal Moves:", "***************"}));
        QVERIFY(lines.contains("Kh8-g8"));
    }

    void chooserPicks_data() {
        QTest::addColumn<int>("toPlay");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("choice");
        QTest::newRow("queen") << WhiteChooses << QPoint(85, 50) << int(Queen);
        QTest::newRow("rook") << WhiteChooses << QPoint(86, 50) << int(Rook);
        QTest::newRow("knight") << WhiteChooses << QPoint(240, 84) << int(Knight);
        QTest::newRow("below") << WhiteChooses << QPoint(200, 85) << int(Queen);
        QTest::newRow("black, above") << BlackChooses << QPoint(200, 31) << -Queen;
    }

    // The real chooser, shown modal and clicked once it is up, for a row's side and release.
    void chooserPicks() {
        QFETCH(int, toPlay);
        QFETCH(QPoint, release);
        QFETCH(int, choice);
        Board board{};
        board.ToPlay = toPlay;
        TPromotionForm chooser;
        chooser.LiveBoard = &board;
        chooser.FormShow();
        QTimer::singleShot(0, &chooser, [&] {
            (void)QTest::qWaitForWindowExposed(&chooser);
            QTest::mouseRelease(&chooser, Qt::LeftButton, Qt::NoModifier, release);
        });
        RunModal(chooser);
        QCOMPARE(chooser.PromotionChoice, choice);
    }

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
        QCOMPARE(session.Text("StatusLabel2"), QString("White to play..."));
        ClickMove(form, "e2e4");
        QCOMPARE(form.Session().History().Count, 2);
        // The white queen's square is drawn bare, the white king without its transparent
        // colour and outlined.
        const QImage shot = ClientArea(form)->grab().toImage();
        const int top = BoardArea(form).top();
        QCOMPARE(shot.pixel(3 * 52 + 26, top + 7 * 52 + 26) | 0xff000000u, LightSquare);
        QCOMPARE(shot.pixel(4 * 52 + 3, top + 7 * 52 + 3) | 0xff000000u, DarkSquare);
        bool outlined = false;
        for (int x = 4 * 52 + 2; x < 5 * 52 - 2; ++x)
            outlined = outlined || qGray(shot.pixel(x, top + 7 * 52 + 30)) < 60;
        QVERIFY(outlined);
    }
};

QTEST_MAIN(WindowPlayTest)
#include "WindowPlayTest.moc"
