// The computer's turns in the real main window: its replies, games it plays alone, "Stop" and
// the other ways a search is abandoned, its promotion choice, and the depth setting.
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "tests/ui/WindowTestUtil.h"

namespace {

// Runs `action` once, from inside the computer's search (the first time it runs the window's
// events), as a user's click would arrive.
void WhileThinking(TMainForm& form, std::function<void()> action) {
    auto* poll = new QTimer(&form);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, poll, [&form, poll, action] {
        if (!form.Thinking) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

// Tests whether each position of the game follows from the one before by a legal move (a
// promotion choice included).
bool LegalThroughout(const History& history) {
    for (int k = 1; k < history.Count; ++k) {
        Board before = history.Snapshots[k - 1];
        FindLegalMoves(before);
        bool found = false;
        for (int i = 0; i < before.LegalCount && !found; ++i) {
            Board next = before;
            const Move& m = before.LegalMoves[i];
            MakeMove(next, m.X1, m.Y1, m.X2, m.Y2);
            found =
                std::memcmp(next.Squares, history.Snapshots[k].Squares, sizeof next.Squares) == 0;
        }
        if (!found) return false;
    }
    return true;
}

QStringList MemoLines(const TForms& forms) {
    return forms.Depth1Form->Box->toPlainText().split('\n');
}

// Chooses a level (0 to 2) by its radio button and starts a new game with it.
void NewGameAtLevel(TMainForm& form, int level) {
    QTest::mouseClick(form.LevelItems[level], Qt::LeftButton);
    QTest::mouseClick(form.NewButton, Qt::LeftButton);
}

} // namespace

class WindowComputerTest : public QObject {
    Q_OBJECT

  private slots:
    void repliesAsBlack() {
        START_WINDOW(session, form);
        ClickMove(form, "e2e4");
        // A Stop between moves is forgotten by the next one.
        form.StopButtonClick();
        form.Player2Box->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
        QVERIFY(LegalThroughout(form.History));
        QCOMPARE(form.Board.ToPlay, White);
        QVERIFY(form.Player2Box->isChecked());
        QCOMPARE(form.ProgBar->value(), 0);
        QVERIFY(!form.MoveTimer->isActive());
        // The memo holds the header and Black's 20 moves, each with its score.
        const QStringList lines = MemoLines(*session.Forms);
        QCOMPARE(lines.mid(0, 3),
                 QStringList({"Black", "Considered Moves:", "***********************"}));
        QCOMPARE(lines.size(), 23);
        const QRegularExpression moveLine("^[NBRQK]?[a-h][1-8][-x][a-h][1-8] -?\\d+$");
        for (int k = 3; k < lines.size(); ++k)
            QVERIFY2(moveLine.match(lines[k]).hasMatch(), qPrintable(lines[k]));
        // White waits for the human: the computer does not move again.
        QTest::qWait(100);
        QCOMPARE(form.History.Count, 3);
    }

    void playsItselfUntilStoppedOrTheEnd() {
        START_WINDOW(session, form);
        form.Player1Box->setChecked(true);
        form.Player2Box->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(form.History.Count >= 7, 30000);
        int countAtStop = 0;
        WhileThinking(form, [&] {
            countAtStop = form.History.Count;
            QTest::mouseClick(form.StopButton, Qt::LeftButton);
        });
        QTRY_VERIFY_WITH_TIMEOUT(!form.Player1Box->isChecked() && !form.Thinking, 10000);
        QVERIFY(!form.Player2Box->isChecked());
        QCOMPARE(form.History.Count, countAtStop);
        QVERIFY(LegalThroughout(form.History));
        // Nothing plays on once both boxes are unticked.
        QTest::qWait(100);
        QCOMPARE(form.History.Count, countAtStop);

        // Ticked again a move from mate: a finished game is not played on, the boxes stay.
        SetPosition(form, "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4");
        form.Player1Box->setChecked(true);
        form.Player2Box->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(form.Board.Outcome, 1, 20000);
        QCOMPARE(form.StatusLabel2->text(), QString("White Wins!!"));
        QTest::qWait(100);
        QCOMPARE(form.History.Count, 2);
        QVERIFY(form.Player1Box->isChecked() && form.Player2Box->isChecked());
    }

    void abandonedSearch_data() {
        QTest::addColumn<int>("how");        // a button below, or closing the window
        QTest::addColumn<int>("countAfter"); // positions in the History once the search is over
        QTest::newRow("Stop") << 0 << 3;
        QTest::newRow("New Game") << 1 << 1;
        QTest::newRow("Back") << 2 << 2;
        QTest::newRow("Forward") << 3 << 4;
        QTest::newRow("closing the window") << 4 << 3;
    }

    // White's move is abandoned while the move timer still ticks: no move is played, both boxes
    // are unticked, and the abandoned move's time does not lower the depth a new game has set.
    void abandonedSearch() {
        QFETCH(int, how);
        QFETCH(int, countAfter);
        START_WINDOW(session, form);
        NewGameAtLevel(form, 2);
        // Three moves, then one back: White to move, with a position ahead to step forward to.
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) ClickMove(form, move);
        form.BackButtonClick();
        QPushButton* const buttons[] = {form.StopButton, form.NewButton, form.BackButton,
                                        form.ForwardButton};
        bool pressed = false;
        WhileThinking(form, [&] {
            pressed = true;
            if (how < 4)
                QTest::mouseClick(buttons[how], Qt::LeftButton);
            else
                form.Exit1Click();
            for (int tick = 0; tick < 70; ++tick) form.MoveTimerTimer();
        });
        form.Player1Box->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(pressed && !form.Thinking, 20000);
        QCOMPARE(form.History.Count, countAfter);
        QCOMPARE(std::memcmp(form.Board.Squares, form.History.Snapshots[countAfter - 1].Squares,
                             sizeof form.Board.Squares),
                 0);
        QVERIFY(!form.Player1Box->isChecked() && !form.Player2Box->isChecked());
        QCOMPARE(form.ProgBar->value(), 0);
        QCOMPARE(form.DepthBar->value(), 3);
        QCOMPARE(form.isVisible(), how < 4);
        // The user plays on at once.
        QTest::qWait(50);
        QCOMPARE(form.History.Count, countAfter);
    }

    void promotionTakesAnotherTick() {
        START_WINDOW(session, form);
        SetPosition(form, "8/8/8/8/8/2k5/p7/4K3 b - - 0 60");
        form.Player2Box->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
        // The pawn's move and the piece chosen are two turns.
        QCOMPARE(form.History.Snapshots[1].ToPlay, BlackChooses);
        QCOMPARE(form.History.Snapshots[1].Squares[0][7], -Pawn);
        QCOMPARE(form.Board.ToPlay, White);
        QCOMPARE(form.Board.Squares[0][7], -Queen);
        // The choice's lines go below the move's.
        const QStringList lines = MemoLines(*session.Forms);
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines[3], QString("Quick Scan First..."));
        const QStringList pieces{"Queen: ", "Rook: ", "Bishop: ", "Knight: "};
        for (int k = 0; k < 4; ++k)
            QVERIFY2(lines[4 + k].startsWith(pieces[k]), qPrintable(lines[4 + k]));
    }

    void depthFollowsTheLevel() {
        START_WINDOW(session, form);
        const int depths[3] = {2, 2, 3};
        for (int level = 0; level < 3; ++level) {
            form.DepthBar->setValue(7);
            QTest::mouseClick(form.LevelItems[level], Qt::LeftButton);
            QCOMPARE(form.DepthBar->value(), 7); // nothing until New Game
            QTest::mouseClick(form.NewButton, Qt::LeftButton);
            QCOMPARE(form.DepthBar->value(), depths[level]);
            QCOMPARE(form.DepthLabel->text(), QString("Depth = %1").arg(depths[level]));
        }
    }

    void depthFollowsThinkingTime_data() {
        QTest::addColumn<QString>("fen"); // empty: the start
        QTest::addColumn<int>("ticks");   // of the move timer, delivered in the search
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("slow White move lowers it") << QString() << 6 << 3 << 2;
        // A king and pawn ending: the move is found long before the first tick.
        QTest::newRow("quick White move raises it")
            << "8/8/4k3/8/3PK3/8/8/8 w - - 0 45" << 0 << 2 << 3;
        QTest::newRow("Black moves keep it")
            << "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1" << 0 << 2 << 2;
    }

    void depthFollowsThinkingTime() {
        QFETCH(QString, fen);
        QFETCH(int, ticks);
        QFETCH(int, before);
        QFETCH(int, after);
        START_WINDOW(session, form);
        NewGameAtLevel(form, 1);
        if (!fen.isEmpty()) SetPosition(form, qPrintable(fen));
        form.DepthBar->setValue(before);
        const bool white = form.Board.ToPlay == White;
        int timed = -1;
        WhileThinking(form, [&] {
            timed = form.MoveTimer->isActive();
            for (int tick = 0; tick < ticks; ++tick) form.MoveTimerTimer();
        });
        (white ? form.Player1Box : form.Player2Box)->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 2, 30000);
        QCOMPARE(timed, int(white)); // only White's moves are timed
        QVERIFY(!form.MoveTimer->isActive());
        QCOMPARE(form.DepthBar->value(), after);
        QCOMPARE(form.DepthLabel->text(), QString("Depth = %1").arg(after));
    }

    void humanChooserWaitsForTheComputer() {
        START_WINDOW(session, form);
        int choosers = 0;
        SetModalHook([&](QDialog&) { ++choosers; });
        SetPosition(form, "8/1P6/8/8/8/8/5k2/K7 w - - 0 60");
        QVERIFY(GameMove(form.Board, form.History, 1, 1, 1, 0));
        QCOMPARE(form.Board.ToPlay, WhiteChooses);
        // White's box is unticked while the computer chooses White's piece: the human's chooser
        // must not open on the board under the search, and the computer's choice is played.
        WhileThinking(form, [&] {
            form.Player1Box->setChecked(false);
            form.PromotionTimerTimer();
        });
        form.Player1Box->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
        QCOMPARE(choosers, 0);
        QCOMPARE(form.Board.ToPlay, Black);
        QCOMPARE(form.Board.Squares[1][0], Queen);
    }

    void nothingToPlay() {
        START_WINDOW(session, form);
        // Stalemate that the record does not know of: the computer finds no move and plays none.
        SetPosition(form, "k7/2Q5/1K6/8/8/8/8/8 b - - 0 60");
        QCOMPARE(form.Board.Outcome, InProgress);
        form.Player2Box->setChecked(true);
        QTest::qWait(100);
        QCOMPARE(form.History.Count, 1);
        QVERIFY(form.ComputerTimer->isActive());
    }
};

QTEST_MAIN(WindowComputerTest)
#include "WindowComputerTest.moc"
