// Human play on the real main window: where a click lands, the selection, whole games to their
// end, the status lines, the promotion choice, and stepping back and forward.
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include "Boardpaintu.h"
#include "Fen.h"
#include "WindowTestUtil.h"

class WindowPlayTest : public QObject {
    Q_OBJECT

    // Puts a position on the board as if a game had reached it.
    static void SetPosition(TMainForm& form, const char* fen) {
        std::string error;
        QVERIFY2(ReadFen(fen, form.Board, error), error.c_str());
        ResetHistory(form.History);
        PushHistory(form.History, form.Board);
        form.Repaint();
    }

    static QRgb Fill(const TMainForm& form, int file, int row) {
        return form.BoardBitmap.pixel(SquareSize * file + 1, SquareSize * row + 1) | 0xff000000u;
    }

  private slots:
    void clickMapsToSquare_data();
    void clickMapsToSquare();
    void selection();
    void gameToTheEnd_data();
    void gameToTheEnd();
    void drawnStatus_data();
    void drawnStatus();
    void promotionThroughTheChooser();
    void realChooserIsModal();
    void chooserPicks_data();
    void chooserPicks();
    void clicksWaitWhileTheComputerThinks();
    void legalMovesWindow();
    void hiddenControlsAndMenus();
};

void WindowPlayTest::clickMapsToSquare_data() {
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
    QTest::newRow("progress panel") << normal << QPoint(100, 57) << QPoint(-1, -1);
    QTest::newRow("below the window") << normal << QPoint(100, 475 + 60) << QPoint(-1, -1);

    const QSize small(500, 400); // board area 302 x 343
    QTest::newRow("small, file 1") << small << QPoint(38, 57 + 258) << QPoint(1, 6);
    QTest::newRow("small, file 0") << small << QPoint(37, 57 + 258) << QPoint(0, 6);
    QTest::newRow("small, row 5") << small << QPoint(38, 57 + 257) << QPoint(-1, -1);
    QTest::newRow("small, panel") << small << QPoint(302, 57 + 258) << QPoint(-1, -1);

    // Shrunk to its top panel, the window has no rows left: a release below it is ignored.
    QTest::newRow("no rows") << QSize(400, 57) << QPoint(50, 100) << QPoint(-1, -1);
}

void WindowPlayTest::clickMapsToSquare() {
    QFETCH(QSize, client);
    QFETCH(QPoint, release);
    QFETCH(QPoint, selected);
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    if (client != QSize(614, 475))
        form.resize(client.width(), client.height() + form.menuBar()->height());
    QTRY_COMPARE(form.Client->size(), client);

    ReleaseAt(form, release.x(), release.y());
    QCOMPARE(QPoint(form.SelectedX, form.SelectedY), selected);
    QCOMPARE(form.Condition, selected.x() < 0 ? 0 : 1);
}

void WindowPlayTest::selection() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QCOMPARE(form.BoardArea(), QRect(0, 57, 416, 418));

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

    ClickMove(form, "d2d4");
    QCOMPARE(form.Board.Squares[3][4], static_cast<int>(Pawn));
    QCOMPARE(form.History.Count, 2);
    QCOMPARE(Fill(form, 3, 6), LastMoveColour);
    QCOMPARE(Fill(form, 3, 4), LastMoveColour);
    QCOMPARE(form.StatusLabel2->text(), QString("Black to play..."));
    QCOMPARE(form.ConditionLabel->text(), QString("Condition: 0"));
    QCOMPARE(form.ToPlayLabel->text(), QString("To Play: 2"));
}

void WindowPlayTest::gameToTheEnd_data() {
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("outcome");
    QTest::newRow("Black mates") << QStringList{"f2f3", "e7e5", "g2g4", "d8h4"} << "Black Wins!!"
                                 << "Checkmate!" << 2;
    QTest::newRow("White mates") << QStringList{"e2e4", "f7f6", "d2d4", "g7g5", "d1h5"}
                                 << "White Wins!!"
                                 << "Checkmate!" << 1;
    QTest::newRow("check") << QStringList{"e2e4", "f7f5", "d1h5"} << "Black to play..."
                           << "Check" << 0;
}

void WindowPlayTest::gameToTheEnd() {
    QFETCH(QStringList, moves);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, outcome);
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QCOMPARE(form.StatusLabel2->text(), QString("White to play..."));
    QCOMPARE(form.StatusLabel3->text(), QString());

    for (const QString& move : moves) ClickMove(form, move);
    QCOMPARE(form.History.Count, moves.size() + 1);
    QCOMPARE(form.Board.Outcome, outcome);
    QCOMPARE(form.StatusLabel2->text(), first);
    QCOMPARE(form.StatusLabel3->text(), second);
    if (outcome == 0) return;

    // The game is over: no piece can be picked up any more.
    ClickSquare(form, 0, 6);
    ClickSquare(form, 0, 1);
    QCOMPARE(form.Condition, 0);
    // Until a step back reopens it.
    form.BackButton->click();
    QCOMPARE(form.Board.Outcome, 0);
    ClickSquare(form, 0, form.Board.ToPlay == White ? 6 : 1);
    QCOMPARE(form.Condition, 1);
}

void WindowPlayTest::drawnStatus_data() {
    QTest::addColumn<int>("bored");
    QTest::addColumn<int>("repetition1");
    QTest::addColumn<int>("repetition2");
    QTest::addColumn<QString>("first");
    QTest::newRow("stalemate") << 0 << 0 << 0 << "Stalemate!!";
    QTest::newRow("50 moves") << 50 << 0 << 0 << "Stalemate - 50 move rule";
    QTest::newRow("49 moves") << 49 << 3 << 3 << "Stalemate!!";
    QTest::newRow("repetition") << 50 << 4 << 4 << "Stalemate - 3 move repetition";
    QTest::newRow("second side's repetition") << 0 << 0 << 4 << "Stalemate - 3 move repetition";
}

void WindowPlayTest::drawnStatus() {
    QFETCH(int, bored);
    QFETCH(int, repetition1);
    QFETCH(int, repetition2);
    QFETCH(QString, first);
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    form.StatusLabel3->setText("earlier");
    form.Board.Outcome = Drawn;
    form.Board.Bored50 = bored;
    form.Board.Repetition1 = repetition1;
    form.Board.Repetition2 = repetition2;
    form.Repaint();
    QCOMPARE(form.StatusLabel2->text(), first);
    QVERIFY(QFontMetrics(form.StatusLabel2->font()).horizontalAdvance(first) <=
            form.StatusLabel2->width());
    QCOMPARE(form.StatusLabel3->text(), QString("earlier"));
    QCOMPARE(form.BoredomLabel->text(), QString("Boredom: %1").arg(bored));
    QCOMPARE(form.RepetitionLabel2->text(), QString("Repetition 2: %1").arg(repetition2));
}

void WindowPlayTest::promotionThroughTheChooser() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    SetPosition(form, "7k/P7/8/8/8/8/6p1/K7 w - - 0 1");

    int shown = 0;
    SetModalHook([&](QDialog& dialog) {
        auto* chooser = qobject_cast<TPromotionForm*>(&dialog);
        QVERIFY(chooser);
        ++shown;
        // White takes the knight, the fourth square.
        chooser->FormMouseUp(34 + 3 * 52 + 10, 50);
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
    QCOMPARE(form.LastMove.X1, 0);
    QCOMPARE(form.LastMove.Y2, 0);
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

    // Back and forward step over the positions that wait for a choice.
    form.BackButton->click();
    QCOMPARE(form.History.Count, 3);
    QCOMPARE(form.Board.Squares[6][6], -static_cast<int>(Pawn));
    QCOMPARE(form.Board.ToPlay, Black);
    form.BackButton->click();
    QCOMPARE(form.History.Count, 1);
    QCOMPARE(form.Board.Squares[0][1], static_cast<int>(Pawn));
    form.BackButton->click();
    QCOMPARE(form.History.Count, 1);
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

void WindowPlayTest::realChooserIsModal() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    SetPosition(form, "k7/8/8/8/8/8/1p6/7K b - - 0 1");

    // Pick the rook on the real window once it is up.
    bool clicked = false;
    std::function<void()> answer = [&] {
        auto* chooser = qobject_cast<TPromotionForm*>(QApplication::activeModalWidget());
        if (!chooser) {
            QTimer::singleShot(20, answer);
            return;
        }
        QTest::mouseRelease(chooser, Qt::LeftButton, Qt::NoModifier, QPoint(86, 50));
        clicked = true;
    };
    QTimer::singleShot(0, answer);
    ClickMove(form, "b2b1");
    QTRY_VERIFY(clicked);
    QTRY_COMPARE(form.Board.ToPlay, White);
    QCOMPARE(form.Board.Squares[1][7], -static_cast<int>(Rook));
}

void WindowPlayTest::chooserPicks_data() {
    QTest::addColumn<int>("toPlay");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("choice");
    QTest::newRow("queen") << 3 << QPoint(85, 50) << 6;
    QTest::newRow("rook") << 3 << QPoint(86, 50) << 2;
    QTest::newRow("bishop") << 3 << QPoint(34 + 2 * 52, 32) << 4;
    QTest::newRow("knight") << 3 << QPoint(240, 84) << 3;
    QTest::newRow("below") << 3 << QPoint(200, 85) << 6;
    QTest::newRow("right") << 3 << QPoint(241, 50) << 6;
    QTest::newRow("black queen") << 4 << QPoint(40, 40) << -6;
    QTest::newRow("black rook") << 4 << QPoint(100, 40) << -2;
    QTest::newRow("black bishop") << 4 << QPoint(150, 40) << -4;
    QTest::newRow("black knight") << 4 << QPoint(200, 40) << -3;
    QTest::newRow("black, above") << 4 << QPoint(200, 31) << -6;
}

void WindowPlayTest::chooserPicks() {
    QFETCH(int, toPlay);
    QFETCH(QPoint, release);
    QFETCH(int, choice);
    Board board{};
    board.ToPlay = toPlay;
    TPromotionForm chooser;
    chooser.LiveBoard = &board;
    chooser.FormShow();
    chooser.FormMouseUp(release.x(), release.y());
    QCOMPARE(chooser.PromotionChoice, choice);
}

void WindowPlayTest::clicksWaitWhileTheComputerThinks() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    form.Thinking = true;
    ClickMove(form, "e2e4");
    QCOMPARE(form.Condition, 0);
    QCOMPARE(form.History.Count, 1);
    form.Thinking = false;
    ClickMove(form, "e2e4");
    QCOMPARE(form.History.Count, 2);
}

void WindowPlayTest::legalMovesWindow() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QPlainTextEdit* box = session.Forms->LegalForm->Box;
    QStringList lines = box->toPlainText().split('\n');
    QCOMPARE(lines.size(), 3 + 20);
    QCOMPARE(lines.mid(0, 3), (QStringList{"White", "Legal Moves:", "***************"}));
    QVERIFY(lines.contains("Ng1-f3"));

    ClickMove(form, "e2e4");
    ClickMove(form, "d7d5");
    lines = box->toPlainText().split('\n');
    QCOMPARE(lines.first(), QString("White"));
    QVERIFY(lines.contains("e4xd5"));

    SetPosition(form, "7k/P7/8/8/8/8/8/K7 w - - 0 1");
    SetModalHook([](QDialog&) {});
    form.PromotionTimer->stop();
    ClickMove(form, "a7a8");
    lines = box->toPlainText().split('\n');
    QCOMPARE(lines.first(), QString("Black"));
    QVERIFY(lines.contains("Queen"));
    QVERIFY(lines.contains("Knight"));
}

void WindowPlayTest::hiddenControlsAndMenus() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QCOMPARE(form.windowTitle(), QString("Brisko Chess!!"));
    QCOMPARE(form.Client->size(), QSize(614, 475));
    for (const char* name :
         {"Button1", "DepthBar", "DepthLabel", "ToPlayLabel", "CheckLabel", "RepetitionLabel2"})
        QVERIFY2(!form.findChild<QWidget*>(name)->isVisible(), name);
    for (const char* name : {"StatusLabel2", "Player1Box", "Player2Box", "LevelRdg", "StopButton",
                             "BackButton", "ForwardButton", "NewButton", "ProgBar"})
        QVERIFY2(form.findChild<QWidget*>(name)->isVisible(), name);
    for (const char* name : {"View1", "Openings1"})
        QVERIFY2(!form.findChild<QMenu*>(name)->menuAction()->isVisible(), name);
    QVERIFY(form.findChild<QMenu*>("File1")->menuAction()->isVisible());
    QVERIFY(!session.Forms->LegalForm->isVisible());
    QVERIFY(form.PromotionTimer->isActive());
    QVERIFY(!form.MoveTimer->isActive());

    // The difficulty is taken at New Game only.
    QCOMPARE(form.DepthBar->value(), 2);
    form.LevelItems[2]->setChecked(true);
    QCOMPARE(form.DepthBar->value(), 2);
    form.NewButton->click();
    QCOMPARE(form.DepthBar->value(), 3);
    QCOMPARE(form.DepthLabel->text(), QString("Depth = 3"));
    QCOMPARE(form.Opponent.FirstSlowdownMs, 2000);
}

QTEST_MAIN(WindowPlayTest)
#include "WindowPlayTest.moc"
