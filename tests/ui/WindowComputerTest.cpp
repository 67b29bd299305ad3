// The computer's turns in the real main window: its replies through the timer, the memo and
// the depth read-out, and a search ended by "Stop", "New Game" or closing the window.
#include <QAction>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "tests/ui/WindowTestUtil.h"

namespace {

// Runs `action` once, from inside the computer's search (the first time it runs the window's
// events), as a user's click would arrive.
void WhileThinking(TMainForm& form, std::function<void()> action) {
    auto* poll = new QTimer(&form);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, poll, [&form, poll, action] {
        if (!form.Session().Thinking()) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

} // namespace

class WindowComputerTest : public QObject {
    Q_OBJECT

  private slots:
    void repliesThroughTheTimer() {
        START_WINDOW(session, form);
        const GameSession& game = form.Session();
        ClickMove(form, "e2e4");
        // A Stop between moves is forgotten by the next one.
        session.Click("StopButton");
        session.Find<QCheckBox>("Player2Box")->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Count, 3, 20000);
        QCOMPARE(game.Board().ToPlay, White);
        QVERIFY(session.Find<QCheckBox>("Player2Box")->isChecked());
        QCOMPARE(session.Find<QProgressBar>("ProgBar")->value(), 0);
        QVERIFY(!session.Find<QTimer>("MoveTimer")->isActive());
        // The memo holds the header and Black's 20 moves, each with its score.
        const QStringList lines = session.Forms->Depth1Form->Box->toPlainText().split('\n');
        QCOMPARE(lines.mid(0, 3),
                 QStringList({"Black", "Considered Moves:", "***********************"}));
        QCOMPARE(lines.size(), 23);
        const QRegularExpression moveLine("^[NBRQK]?[a-h][1-8][-x][a-h][1-8] -?\\d+$");
        for (int k = 3; k < lines.size(); ++k)
            QVERIFY2(moveLine.match(lines[k]).hasMatch(), qPrintable(lines[k]));
        // White waits for the human: the computer does not move again.
        QTest::qWait(100);
        QCOMPARE(game.History().Count, 3);

        // A quick White move at "Clever" raises the depth, and the read-out follows.
        session.Click("LevelItem1");
        session.Click("NewButton");
        QCOMPARE(session.Text("DepthLabel"), QString("Depth = 2"));
        SetPosition(form, "8/8/4k3/8/3PK3/8/8/8 w - - 0 45");
        session.Find<QCheckBox>("Player1Box")->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Count, 2, 20000);
        QCOMPARE(session.Text("DepthLabel"), QString("Depth = 3"));
    }

    void searchEndsWithoutAMove_data() {
        QTest::addColumn<QString>("how"); // a button, or "" to close the window
        QTest::addColumn<int>("countAfter");
        QTest::newRow("Stop") << "StopButton" << 2;
        QTest::newRow("New Game") << "NewButton" << 1;
        QTest::newRow("closing the window") << QString() << 2;
    }

    void searchEndsWithoutAMove() {
        QFETCH(QString, how);
        QFETCH(int, countAfter);
        START_WINDOW(session, form);
        session.Click("LevelItem2");
        session.Click("NewButton");
        QCOMPARE(session.Text("DepthLabel"), QString("Depth = 3"));
        ClickMove(form, "e2e4");
        bool pressed = false;
        WhileThinking(form, [&] {
            pressed = true;
            if (how.isEmpty())
                form.findChild<QAction*>("Exit1")->trigger();
            else
                session.Click(qPrintable(how));
        });
        session.Find<QCheckBox>("Player1Box")->setChecked(true);
        session.Find<QCheckBox>("Player2Box")->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(pressed && !form.Session().Thinking(), 20000);
        QCOMPARE(form.Session().History().Count, countAfter);
        QVERIFY(!session.Find<QCheckBox>("Player1Box")->isChecked());
        QVERIFY(!session.Find<QCheckBox>("Player2Box")->isChecked());
        QCOMPARE(session.Find<QProgressBar>("ProgBar")->value(), 0);
        QCOMPARE(form.isVisible(), !how.isEmpty());
        // The user plays on at once.
        QTest::qWait(50);
        QCOMPARE(form.Session().History().Count, countAfter);
    }
};

QTEST_MAIN(WindowComputerTest)
#include "WindowComputerTest.moc"
