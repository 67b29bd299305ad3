// The league table window: its ranking, "Reset", the results panel and its two messages.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "Leagueformu.h"
#include "WindowTestUtil.h"

namespace {

struct Row {
    int Number;
    int Points;
    int Games;
    bool operator==(const Row&) const = default;
};

// Names a row in a failed comparison.
char* toString(const Row& row) {
    return qstrdup(
        qPrintable(QString("(%1, %2, %3)").arg(row.Number).arg(row.Points).arg(row.Games)));
}

// The three memos read line by line, as the rows a user sees.
QList<Row> Rows(const TLeagueForm& league) {
    const QStringList names = league.NameBox->toPlainText().split('\n');
    const QStringList points = league.ScoreBox->toPlainText().split('\n');
    const QStringList games = league.NogBox->toPlainText().split('\n');
    QList<Row> rows;
    for (int k = 0; k < names.size() && k < points.size() && k < games.size(); ++k) {
        if (!names[k].startsWith("Opponent: ")) return {};
        rows.append({names[k].mid(10).toInt(), points[k].toInt(), games[k].toInt()});
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
    void shownByTheMainWindowOnly();
    void ranking_data();
    void ranking();
    void refusedEntries_data();
    void refusedEntries();
    void memosWaitForShowOrReset();
};

void WindowLeagueTest::shownByTheMainWindowOnly() {
    WindowSession session;
    QVERIFY(session.Start());
    TLeagueForm& league = *session.Forms->LeagueForm;
    QVERIFY(!league.isVisible());
    QCOMPARE(league.windowTitle(), QString("League Table"));
    session.Main->League1Click();
    QVERIFY(QTest::qWaitForWindowExposed(&league));
    QVERIFY(!league.GamePanel->isVisible());
    const QList<Row> rows = Rows(league);
    QCOMPARE(rows.size(), 16);
    for (int k = 0; k < 16; ++k) QCOMPARE(rows[k], (Row{k, 0, 0}));
}

void WindowLeagueTest::ranking_data() {
    QTest::addColumn<QStringList>("results"); // "W L" played, "A B =" drawn
    QTest::addColumn<QList<int>>("top");      // number, points, games of the first rows
    QTest::addColumn<QList<int>>("next");     // the numbers that follow, in order

    QTest::newRow("5 beats 3") << QStringList{"5 3"} << QList<int>{5, 3, 1}
                               << QList<int>{0, 1, 2, 3, 4, 6, 7};
    QTest::newRow("draw, then a win")
        << QStringList{"2 9 =", "9 2"} << QList<int>{9, 4, 2, 2, 1, 2} << QList<int>{0, 1, 3, 4};
    QTest::newRow("drew against itself")
        << QStringList{"7 7 ="} << QList<int>{7, 2, 2} << QList<int>{0, 1};
}

void WindowLeagueTest::ranking() {
    QFETCH(QStringList, results);
    QFETCH(QList<int>, top);
    QFETCH(QList<int>, next);
    TLeagueForm league;
    for (const QString& result : results) {
        const QStringList parts = result.split(' ');
        Enter(league, parts[0], parts[1], parts.size() == 3);
    }
    league.show();
    const QList<Row> rows = Rows(league);
    QCOMPARE(rows.size(), 16);
    for (int k = 0; k < top.size() / 3; ++k)
        QCOMPARE(rows[k], (Row{top[3 * k], top[3 * k + 1], top[3 * k + 2]}));
    for (int k = 0; k < next.size(); ++k) QCOMPARE(rows[top.size() / 3 + k].Number, next[k]);
    QCOMPARE(league.Order[0], top[0]);
}

void WindowLeagueTest::refusedEntries_data() {
    QTest::addColumn<QString>("winner");
    QTest::addColumn<QString>("loser");
    QTest::addColumn<QString>("message");
    const QString badWinner = "Invalid entry in Winner box!";
    const QString badLoser = "Invalid entry in Loser box!";
    QTest::newRow("winner 16") << QString("16") << QString("3") << badWinner;
    QTest::newRow("both bad") << QString("x") << QString("y") << badWinner;
    QTest::newRow("loser empty") << QString("3") << QString() << badLoser;
}

void WindowLeagueTest::refusedEntries() {
    QFETCH(QString, winner);
    QFETCH(QString, loser);
    QFETCH(QString, message);
    QStringList messages;
    SetMessageHook([&](const QString& text) { messages.append(text); });
    TLeagueForm league;
    Enter(league, winner, loser, false);
    Enter(league, winner, loser, true);
    SetMessageHook({});
    QCOMPARE(messages, QStringList({message, message}));
    for (const LeaguePosition& p : league.League) QCOMPARE(p.Games, 0);
}

void WindowLeagueTest::memosWaitForShowOrReset() {
    TLeagueForm league;
    league.show();
    Enter(league, "4", "1", false);
    // Recorded at once, listed only when the window is next shown.
    QCOMPARE(league.League[4].Points, 3);
    QCOMPARE(Rows(league)[0], (Row{0, 0, 0}));
    league.hide();
    league.show();
    QCOMPARE(Rows(league)[0], (Row{4, 3, 1}));
    QTest::mouseClick(league.ResetButton, Qt::LeftButton);
    QCOMPARE(Rows(league)[0], (Row{0, 0, 0}));
    QCOMPARE(league.League[4].Games, 0);
}

QTEST_MAIN(WindowLeagueTest)
#include "WindowLeagueTest.moc"
