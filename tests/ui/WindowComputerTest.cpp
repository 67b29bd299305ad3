// The computer's turns in the real main window: its replies, games it plays alone, "Stop" and
// the other ways a search is abandoned, its promotion choice, the depth setting, and the
// considered-moves window.
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>

#include "Fen.h"
#include "Findu.h"
#include "Legalu.h"
#include "Makemoveu.h"
#include "WindowTestUtil.h"
#include "Windowhooksu.h"

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

// Puts a position on the board as if a game had reached it.
void SetPosition(TMainForm& form, const char* fen) {
    std::string error;
    QVERIFY2(ReadFen(fen, form.Board, error), error.c_str());
    ResetHistory(form.History);
    PushHistory(form.History, form.Board);
    form.Repaint();
}

// Tests whether some legal move of `before` leads to `after` (a promotion choice included).
bool FollowsByALegalMove(Board before, const Board& after) {
    FindLegalMoves(before);
    for (int i = 0; i < before.LegalCount; ++i) {
        Board next = before;
        const Move& m = before.LegalMoves[i];
        MakeMove(next, m.X1, m.Y1, m.X2, m.Y2);
        if (std::memcmp(next.Squares, after.Squares, sizeof next.Squares) == 0) return true;
    }
    return false;
}

QStringList MemoLines(const TForms& forms) {
    return forms.Depth1Form->Box->toPlainText().split('\n');
}

} // namespace

class WindowComputerTest : public QObject {
    Q_OBJECT

  private slots:
    void repliesAsBlack();
    void playsItselfToTheEnd();
    void playsItselfUntilStopped();
    void abandonedSearch_data();
    void abandonedSearch();
    void closingWhileThinking();
    void promotionTakesAnotherTick();
    void depthFollowsTheLevel_data();
    void depthFollowsTheLevel();
    void slowWhiteMoveLowersTheDepth();
    void quickWhiteMoveRaisesTheDepth();
    void blackMovesKeepTheDepth();
    void considerdMovesWindow();
    void stopBetweenMovesIsForgotten();
    void newGameKeepsItsDepth();
    void humanChooserWaitsForTheComputer();
    void nothingToPlay();
};

void WindowComputerTest::repliesAsBlack() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    form.Player2Box->setChecked(true); // as the program starts
    ClickMove(form, "e2e4");
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
    Board afterE4 = form.History.Snapshots[1];
    const Move& m = form.LastMove;
    QVERIFY(IsLegal(afterE4, m.X1, m.Y1, m.X2, m.Y2));
    QVERIFY(afterE4.Squares[m.X1][m.Y1] < 0);
    QCOMPARE(form.Board.ToPlay, White);
    QCOMPARE(form.ProgBar->value(), 0);
    QVERIFY(form.ComputerTimer->isActive());
    QVERIFY(!form.MoveTimer->isActive());
    // The memo holds the header and Black's 20 moves in the order searched.
    const QStringList lines = MemoLines(*session.Forms);
    QCOMPARE(lines.mid(0, 3),
             QStringList({"Black", "Considered Moves:", "***********************"}));
    QCOMPARE(lines.size(), 23);
    // White waits for the human: the computer does not move again.
    QTest::qWait(100);
    QCOMPARE(form.History.Count, 3);
}

void WindowComputerTest::playsItselfToTheEnd() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    SetPosition(form, "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4");
    form.Player1Box->setChecked(true);
    form.Player2Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.Board.Outcome, 1, 20000);
    QCOMPARE(form.StatusLabel2->text(), QString("White Wins!!"));
    QCOMPARE(form.History.Count, 2);
    QCOMPARE(form.LastMove.X2, 5); // Qxf7#
    QCOMPARE(form.LastMove.Y2, 1);
    // A finished game is not played on, and the boxes stay as they were.
    QTest::qWait(100);
    QCOMPARE(form.History.Count, 2);
    QVERIFY(form.Player1Box->isChecked() && form.Player2Box->isChecked());
}

void WindowComputerTest::playsItselfUntilStopped() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    form.Player1Box->setChecked(true);
    form.Player2Box->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(form.History.Count >= 7, 30000);
    int countAtStop = 0;
    WhileThinking(form, [&] {
        countAtStop = form.History.Count;
        QTest::mouseClick(form.StopButton, Qt::LeftButton);
    });
    QTRY_VERIFY_WITH_TIMEOUT(!form.Player1Box->isChecked(), 10000);
    QVERIFY(!form.Player2Box->isChecked());
    QVERIFY(!form.Thinking);
    QCOMPARE(form.History.Count, countAtStop);
    QCOMPARE(form.ProgBar->value(), 0);
    for (int k = 1; k < form.History.Count; ++k)
        QVERIFY2(FollowsByALegalMove(form.History.Snapshots[k - 1], form.History.Snapshots[k]),
                 qPrintable(QString("position %1").arg(k)));
    // Nothing plays on once both boxes are unticked.
    QTest::qWait(100);
    QCOMPARE(form.History.Count, countAtStop);
}

void WindowComputerTest::abandonedSearch_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("countAfter"); // positions in the History once the search is over
    QTest::newRow("Stop") << "Stop" << 4;
    QTest::newRow("New Game") << "New Game" << 1;
    QTest::newRow("Back") << "Back" << 3;
    QTest::newRow("Forward") << "Forward" << 5;
}

void WindowComputerTest::abandonedSearch() {
    QFETCH(QString, how);
    QFETCH(int, countAfter);
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    // Two moves each, then one back: Black to move, with a position ahead to step forward to.
    for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6"}) ClickMove(form, move);
    form.BackButtonClick();
    QCOMPARE(form.History.Count, 4);
    const std::map<QString, QPushButton*> buttons = {{"Stop", form.StopButton},
                                                     {"New Game", form.NewButton},
                                                     {"Back", form.BackButton},
                                                     {"Forward", form.ForwardButton}};
    QPushButton* button = buttons.at(how);
    bool pressed = false;
    WhileThinking(form, [&] {
        pressed = true;
        QTest::mouseClick(button, Qt::LeftButton);
    });
    form.Player2Box->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(pressed && !form.Thinking, 20000);
    QCOMPARE(form.History.Count, countAfter);
    QCOMPARE(std::memcmp(form.Board.Squares, form.History.Snapshots[countAfter - 1].Squares,
                         sizeof form.Board.Squares),
             0);
    QVERIFY(!form.Player1Box->isChecked());
    QVERIFY(!form.Player2Box->isChecked());
    QCOMPARE(form.ProgBar->value(), 0);
    QVERIFY(form.ComputerTimer->isActive());
    // The user plays on at once.
    QTest::qWait(50);
    QCOMPARE(form.History.Count, countAfter);
}

void WindowComputerTest::closingWhileThinking() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QSignalSpy closed(&form, &TMainForm::Closed);
    ClickMove(form, "e2e4");
    WhileThinking(form, [&] { form.Exit1Click(); });
    form.Player2Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!form.Thinking, 20000);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.History.Count, 2);
    QVERIFY(!form.Player2Box->isChecked());
    // The windows are destroyed once the turn has returned, as the program does on leaving.
    session.Forms.reset();
}

void WindowComputerTest::promotionTakesAnotherTick() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    SetPosition(form, "8/8/8/8/8/2k5/p7/4K3 b - - 0 60");
    form.Player2Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
    // The pawn's move and the piece chosen are two turns.
    QCOMPARE(form.History.Snapshots[1].ToPlay, BlackChooses);
    QCOMPARE(form.History.Snapshots[1].Squares[0][7], -Pawn);
    QCOMPARE(form.Board.ToPlay, White);
    QCOMPARE(form.Board.Squares[0][7], -Queen);
    QCOMPARE(form.LastMove.X1, PromotionChoice);
    QCOMPARE(form.LastMove.Y1, -Queen);
    const QStringList lines = MemoLines(*session.Forms);
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines.mid(0, 4), QStringList({"Black", "Considered Moves:", "***********************",
                                           "Quick Scan First..."}));
    QVERIFY(lines[4].startsWith("Queen: "));
    QVERIFY(lines[5].startsWith("Rook: "));
    QVERIFY(lines[6].startsWith("Bishop: "));
    QVERIFY(lines[7].startsWith("Knight: "));
}

void WindowComputerTest::depthFollowsTheLevel_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("depth");
    QTest::newRow("Brisko") << 0 << 2;
    QTest::newRow("Clever") << 1 << 2;
    QTest::newRow("Mean") << 2 << 3;
}

void WindowComputerTest::depthFollowsTheLevel() {
    QFETCH(int, item);
    QFETCH(int, depth);
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    form.DepthBar->setValue(7);
    QTest::mouseClick(form.LevelItems[item], Qt::LeftButton);
    QCOMPARE(form.DepthBar->value(), 7); // nothing until New Game
    QTest::mouseClick(form.NewButton, Qt::LeftButton);
    QCOMPARE(form.DepthBar->value(), depth);
    QCOMPARE(form.DepthLabel->text(), QString("Depth = %1").arg(depth));
    QCOMPARE(form.Opponent.FirstSlowdownMs, Levels[item].FirstSlowdownMs);
    QCOMPARE(form.Opponent.CaptureStepStart, Levels[item].CaptureStepStart);
}

void WindowComputerTest::slowWhiteMoveLowersTheDepth() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QTest::mouseClick(form.LevelItems[1], Qt::LeftButton);
    form.NewButtonClick();
    form.DepthBar->setValue(3);
    // Six ticks of the move timer, delivered in the search, make 600 ms of thinking.
    bool timed = false;
    WhileThinking(form, [&] {
        timed = form.MoveTimer->isActive();
        for (int tick = 0; tick < 6; ++tick) form.MoveTimerTimer();
    });
    form.Player1Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 2, 30000);
    QVERIFY(timed);
    QVERIFY(!form.MoveTimer->isActive());
    QVERIFY(form.Opponent.ElapsedMs >= 600);
    QCOMPARE(form.DepthBar->value(), 2);
    QCOMPARE(form.DepthLabel->text(), QString("Depth = 2"));
}

void WindowComputerTest::quickWhiteMoveRaisesTheDepth() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QTest::mouseClick(form.LevelItems[1], Qt::LeftButton);
    form.NewButtonClick();
    // A king and pawn ending: the move is found long before the first tick.
    SetPosition(form, "8/8/4k3/8/3PK3/8/8/8 w - - 0 45");
    form.Player1Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 2, 20000);
    QVERIFY(form.Opponent.ElapsedMs < 200);
    QCOMPARE(form.DepthBar->value(), 3);
    QCOMPARE(form.DepthLabel->text(), QString("Depth = 3"));
}

void WindowComputerTest::blackMovesKeepTheDepth() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QTest::mouseClick(form.LevelItems[1], Qt::LeftButton);
    form.NewButtonClick();
    form.Opponent.ElapsedMs = 12345;
    ClickMove(form, "e2e4");
    int timed = -1;
    WhileThinking(form, [&] { timed = form.MoveTimer->isActive(); });
    form.Player2Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
    QCOMPARE(timed, 0);
    QCOMPARE(form.Opponent.ElapsedMs, 12345);
    QCOMPARE(form.DepthBar->value(), 2);
}

void WindowComputerTest::considerdMovesWindow() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    TDepth1Form& window = *session.Forms->Depth1Form;
    QCOMPARE(window.windowTitle(), QString("Depth1Form"));
    QVERIFY(!window.isVisible());
    form.ScoredMoves1Click();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(131, 649));
    // White's turn from the start: the header says White, then one line per move, each the
    // move's text and its score.
    form.Player1Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 2, 20000);
    form.Player1Box->setChecked(false);
    const QStringList lines = MemoLines(*session.Forms);
    QCOMPARE(lines.size(), 23);
    QCOMPARE(lines[0], QString("White"));
    const QRegularExpression moveLine("^[NBRQK]?[a-h][1-8][-x][a-h][1-8] -?\\d+$");
    for (int k = 3; k < lines.size(); ++k)
        QVERIFY2(moveLine.match(lines[k]).hasMatch(), qPrintable(lines[k]));
    QVERIFY2(lines.indexOf(QRegularExpression("^Ng1-f3 -?\\d+$")) >= 3,
             qPrintable(lines.join('|')));
}

void WindowComputerTest::stopBetweenMovesIsForgotten() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    ClickMove(form, "e2e4");
    form.StopButtonClick();
    form.Player2Box->setChecked(true);
    QTRY_COMPARE_WITH_TIMEOUT(form.History.Count, 3, 20000);
    QVERIFY(form.Player2Box->isChecked());
}

void WindowComputerTest::newGameKeepsItsDepth() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    QTest::mouseClick(form.LevelItems[2], Qt::LeftButton);
    form.NewButtonClick();
    // New Game during a White move, then the move timer's ticks while the search unwinds: the
    // abandoned move's time must not lower the new game's depth.
    WhileThinking(form, [&] {
        form.NewButtonClick();
        for (int tick = 0; tick < 70; ++tick) form.MoveTimerTimer();
    });
    form.Player1Box->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(!form.Player1Box->isChecked() && !form.Thinking, 20000);
    QCOMPARE(form.History.Count, 1);
    QCOMPARE(form.DepthBar->value(), 3);
}

void WindowComputerTest::humanChooserWaitsForTheComputer() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
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

void WindowComputerTest::nothingToPlay() {
    WindowSession session;
    QVERIFY(session.Start());
    TMainForm& form = *session.Main;
    // Stalemate that the record does not know of: the computer finds no move and plays none.
    SetPosition(form, "k7/2Q5/1K6/8/8/8/8/8 b - - 0 60");
    QCOMPARE(form.Board.Outcome, InProgress);
    form.Player2Box->setChecked(true);
    QTest::qWait(100);
    QCOMPARE(form.History.Count, 1);
    QCOMPARE(form.LastMove.X1, NoMove);
    QVERIFY(form.ComputerTimer->isActive());
}

QTEST_MAIN(WindowComputerTest)
#include "WindowComputerTest.moc"
