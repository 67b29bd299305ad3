// The league table window: its ranking, "Reset", the results panel and its two messages.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "tests/ui/WindowTestUtil.h"
#include "ui/Leagueformu.h"

namespace {

// The three memos read line by line as "number points games", the rows a user sees.
QStringList Rows(const TLeagueForm& league) {
    const QStringList names = league.NameBox->toPlainText().split('\n');
    const QStringList points = league.ScoreBox->toPlainText().split('\n');
    const QStringList games = league.NogBox->toPlainText().split('\n');
    QStringList rows;
    for (int k = 0; k < names.size() && k < points.size() && k < games.size(); ++k) {
        if (!names[k].startsWith("Opponent: ")) return {};
        rows.append(names[k].mid(10) + " " + points[k] + " " + games[k]);
    }
    return rows;
}

void Enter(TLeagueForm& league, const QString& winner, const QString& loser, bool drew) {
    league.WinBox->setText(winner);
    league.LoseBox->setText(loser);
    QTest::mouseClick(drew ? league.DrewButton : league.PlayButton, Qt::LeftButton);
}

} // namespace

class WindowLeagueTest : public QObject {
    Q_OBJECT

  private slots:
    void ranking_data() {
        QTest::addColumn<QStringList>("results"); // "W L" played, "A B =" drawn
        QTest::addColumn<QStringList>("top");     // the first rows shown

        QTest::newRow("5 beats 3")
            << QStringList{"5 3"}
            << QStringList{"5 3 1", "0 0 0", "1 0 0", "2 0 0", "3 0 1", "4 0 0", "6 0 0", "7 0 0"};
        QTest::newRow("draw, then a win")
            << QStringList{"2 9 =", "9 2"}
            << QStringList{"9 4 2", "2 1 2", "0 0 0", "1 0 0", "3 0 0", "4 0 0"};
        QTest::newRow("drew against itself")
            << QStringList{"7 7 ="} << QStringList{"7 2 2", "0 0 0", "1 0 0"};
    }

    void ranking() {
        QFETCH(QStringList, results);
        QFETCH(QStringList, top);
        TLeagueForm league;
        for (const QString& result : results) {
            const QStringList parts = result.split(' ');
            Enter(league, parts[0], parts[1], parts.size() == 3);
        }
        league.show();
        const QStringList rows = Rows(league);
        QCOMPARE(rows.size(), 16);
        QCOMPARE(rows.mid(0, top.size()), top);
        QCOMPARE(league.Order[0], top[0].split(' ')[0].toInt());
    }

    void refusedEntries_data() {
        QTest::addColumn<QString>("winner");
        QTest::addColumn<QString>("loser");
        QTest::addColumn<QString>("message");
        const QString badWinner = "Invalid entry in Winner box!";
        QTest::newRow("winner 16") << QString("16") << QString("3") << badWinner;
        QTest::newRow("both bad") << QString("x") << QString("y") << badWinner;
        QTest::newRow("loser empty") << QString("3") << QString() << "Invalid entry in Loser box!";
    }

    void refusedEntries() {
        QFETCH(QString, winner);
        QFETCH(QString, loser);
        QFETCH(QString, message);
        WindowSession session; // not started: it only gathers the messages
        TLeagueForm league;
        Enter(league, winner, loser, false);
        Enter(league, winner, loser, true);
        QCOMPARE(session.Messages, QStringList({message, message}));
        for (const LeaguePosition& p : league.League) QCOMPARE(p.Games, 0);
    }

    void shownFromTheMenuThenReset() {
        WindowSession session;
        QVERIFY(session.Start());
        TLeagueForm& league = *session.Forms->LeagueForm;
        QVERIFY(!league.isVisible());
        session.Main->League1Click();
        QVERIFY(QTest::qWaitForWindowExposed(&league));
        QVERIFY(!league.GamePanel->isVisible());
        QStringList rows = Rows(league);
        QCOMPARE(rows.size(), 16);
        for (int k = 0; k < 16; ++k) QCOMPARE(rows[k], QString("%1 0 0").arg(k));

        // A result is recorded at once, listed only when the window is next shown.
        Enter(league, "4", "1", false);
        QCOMPARE(league.League[4].Points, 3);
        QCOMPARE(Rows(league)[0], QString("0 0 0"));
        league.hide();
        league.show();
        QCOMPARE(Rows(league)[0], QString("4 3 1"));
        QTest::mouseClick(league.ResetButton, Qt::LeftButton);
        QCOMPARE(Rows(league)[0], QString("0 0 0"));
        QCOMPARE(league.League[4].Games, 0);
    }
};

QTEST_MAIN(WindowLeagueTest)
#include "WindowLeagueTest.moc"
