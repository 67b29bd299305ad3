// Human play on the real main window: where a click lands, the selection, whole games to their
// end, the status lines, the promotion choice, stepping back and forward, and the legal moves.
#include <QFontMetrics>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "tests/ui/WindowTestUtil.h"
#include "ui/Boardpaintu.h"

class WindowPlayTest : public QObject {
    Q_OBJECT

    static QRgb Fill(const TMainForm& form, int file, int row) {
        return form.BoardBitmap.pixel(SquareSize * file + 1, SquareSize * row + 1) | 0xff000000u;
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
        if (client != form.Client->size())
            form.resize(client.width(), client.height() + form.menuBar()->height());
        QTRY_COMPARE(form.Client->size(), client);

        ReleaseAt(form, release.x(), release.y());
        QCOMPARE(QPoint(form.SelectedX, form.SelectedY), selected);
        QCOMPARE(form.Condition, selected.x() < 0 ? 0 : 1);
    }

    void selection() {
        START_WINDOW(session, form);
        // Nothing selected: an empty square or an enemy piece does nothing.
        ClickSquare(form, 4, 4);
        ClickSquare(form, 4, 1);
        QCOMPARE(form.Condition, 0);
        QCOMPARE(Fill(form, 4, 1), DarkSquare);

        ClickSquare(form, 4, 6);
        QCOMPARE(QPoint(form.SelectedX, form.SelectedY), QPoint(4, 6));
        QCOMPARE(Fill(form, 4, 6), SelectedColour);
        // Another own piece takes the selection; the old square is plain again.
        ClickSquare(form, 3, 6);
        QCOMPARE(QPoint(form.SelectedX, form.SelectedY), QPoint(3, 6));
        QCOMPARE(Fill(form, 4, 6), LightSquare);
        // An illegal target keeps it; the selected square itself drops it.
        ClickSquare(form, 3, 2);
        QCOMPARE(form.Condition, 1);
        ClickSquare(form, 3, 6);
        QCOMPARE(form.Condition, 0);
        QCOMPARE(QPoint(form.SelectedX, form.SelectedY), QPoint(-1, -1));

        // Clicks wait while the computer thinks.
        form.Thinking = true;
        ClickMove(form, "d2d4");
        QCOMPARE(form.Condition, 0);
        form.Thinking = false;

        ClickMove(form, "d2d4");
        QCOMPARE(form.Board.Squares[3][4], static_cast<int>(Pawn));
        QCOMPARE(form.History.Count, 2);
        QCOMPARE(Fill(form, 3, 6), LastMoveColour);
        QCOMPARE(Fill(form, 3, 4), LastMoveColour);
        QCOMPARE(form.StatusLabel2->text(), QString("Black to play..."));
    }

    void gameToTheEnd_data() {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("outcome");
        QTest::newRow("Black mates")
            << QStringList{"f2f3", "e7e5", "g2g4", "d8h4"} << "Black Wins!!"
            << "Checkmate!" << 2;
        QTest::newRow("White mates")
            << QStringList{"e2e4", "f7f6", "d2d4", "g7g5", "d1h5"} << "White Wins!!"
            << "Checkmate!" << 1;
        QTest::newRow("check") << QStringList{"e2e4", "f7f5", "d1h5"} << "Black to play..."
                               << "Check" << 0;
    }

    void gameToTheEnd() {
        QFETCH(QStringList, moves);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, outcome);
        START_WINDOW(session, form);
        QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
        QCOMPARE(form.StatusLabel3->text(), QString());

        for (const QString& move : moves) ClickMove(form, move);
        QCOMPARE(form.History.Count, moves.size() + 1);
        QCOMPARE(form.Board.Outcome, outcome);
        QCOMPARE(form.StatusLabel2->text(), first);
        QCOMPARE(form.StatusLabel3->text(), second);
        if (outcome == 0) return;

        // The game is over: no piece can be picked up any more...
        ClickSquare(form, 0, 6);
        ClickSquare(form, 0, 1);
        QCOMPARE(form.Condition, 0);
        // ... until a step back reopens it.
        form.BackButton->click();
        QCOMPARE(form.Board.Outcome, 0);
        ClickSquare(form, 0, form.Board.ToPlay == White ? 6 : 1);
        QCOMPARE(form.Condition, 1);
    }

    void drawnStatus() {
        START_WINDOW(session, form);
        struct Row {
            int Bored, Repetition1, Repetition2;
            const char* First;
        };
        for (const Row& row :
             {Row{0, 0, 0, "Stalemate!!"}, Row{50, 0, 0, "Stalemate - 50 move rule"},
              Row{49, 3, 3, "Stalemate!!"}, Row{50, 4, 4, "Stalemate - 3 move repetition"},
              Row{0, 0, 4, "Stalemate - 3 move repetition"}}) {
            form.StatusLabel3->setText("earlier");
            form.Board.Outcome = Drawn;
            form.Board.Bored50 = row.Bored;
            form.Board.Repetition1 = row.Repetition1;
            form.Board.Repetition2 = row.Repetition2;
            form.Repaint();
            QCOMPARE(form.StatusLabel2->text(), QString(row.First));
            // The longest text still fits the status panel.
            QVERIFY(QFontMetrics(form.StatusLabel2->font()).horizontalAdvance(row.First) <=
                    form.StatusLabel2->width());
            QCOMPARE(form.StatusLabel3->text(), QString("earlier"));
        }
    }

    void promotionBackAndForward() {
        START_WINDOW(session, form);
        SetPosition(form, "7k/P7/8/8/8/8/6p1/K7 w - - 0 1");

        int shown = 0;
        SetModalHook([&](QDialog& dialog) {
            auto* chooser = qobject_cast<TPromotionForm*>(&dialog);
            QVERIFY(chooser);
            ++shown;
            chooser->FormMouseUp(34 + 3 * 52 + 10, 50); // the knight, the fourth square
        });
        ClickMove(form, "a7a8");
        QCOMPARE(form.Board.ToPlay, WhiteChooses);
        QCOMPARE(form.StatusLabel2->text(), QString());
        // No piece belongs to a side that must choose.
        ClickSquare(form, 7, 0);
        QCOMPARE(form.Condition, 0);
        QTRY_COMPARE(form.Board.ToPlay, Black);
        QCOMPARE(shown, 1);
        QCOMPARE(form.Board.Squares[0][0], static_cast<int>(Knight));
        QCOMPARE(form.History.Count, 3);

        // Black answers with a promotion of its own; the chooser is closed without a choice.
        SetModalHook([&](QDialog& dialog) {
            ++shown;
            dialog.reject();
        });
        ClickMove(form, "g2g1");
        QTRY_COMPARE(form.Board.ToPlay, White);
        QCOMPARE(shown, 2);
        QCOMPARE(form.Board.Squares[6][7], -static_cast<int>(Queen));
        QCOMPARE(form.History.Count, 5);

        // Back and forward step over the positions that wait for a choice, and never reopen it.
        form.BackButton->click();
        QCOMPARE(form.History.Count, 3);
        QCOMPARE(form.Board.Squares[6][6], -static_cast<int>(Pawn));
        QCOMPARE(form.Board.ToPlay, Black);
        form.BackButton->click();
        form.BackButton->click();
        QCOMPARE(form.History.Count, 1);
        QCOMPARE(form.Board.Squares[0][1], static_cast<int>(Pawn));
        form.ForwardButton->click();
        QCOMPARE(form.History.Count, 3);
        QCOMPARE(form.Board.Squares[0][0], static_cast<int>(Knight));
        form.ForwardButton->click();
        form.ForwardButton->click();
        QCOMPARE(form.History.Count, 5);
        QCOMPARE(form.Board.ToPlay, White);
        QTest::qWait(250);
        QCOMPARE(shown, 2);
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

    void legalMovesWindow() {
        START_WINDOW(session, form);
        const QPlainTextEdit* box = session.Forms->LegalForm->Box;
        QStringList lines = box->toPlainText().split('\n');
        QCOMPARE(lines.size(), 3 + 20);
        QCOMPARE(lines.mid(0, 3), (QStringList{"White", "Legal Moves:", "***************"}));
        QVERIFY(lines.contains("Ng1-f3"));

        // After a promotion the side that chooses is offered the pieces.
        SetPosition(form, "7k/P7/8/8/8/8/8/K7 w - - 0 1");
        SetModalHook([](QDialog&) {});
        form.PromotionTimer->stop();
        ClickMove(form, "a7a8");
        lines = box->toPlainText().split('\n');
        QCOMPARE(lines.first(), QString("Black"));
        QVERIFY(lines.contains("Queen"));
        QVERIFY(lines.contains("Knight"));
    }
};

QTEST_MAIN(WindowPlayTest)
#include "WindowPlayTest.moc"
