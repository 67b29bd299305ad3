// The real main window, headless, driven by mouse and found by name: where a click lands at two
// sizes, what is drawn, the promotion chooser, start-up with pictures missing, the computer's
// turns through the timer and Stop during a search, the File dialogs and the league window.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "engine/Stalemateu.h"
#include "notation/Fen.h"
#include "ui/Boardpaintu.h"
#include "ui/Dialogsu.h"
#include "ui/Formsu.h"

namespace {

// The program's windows in a working folder of their own that holds the piece pictures, with
// the messages they show.
struct Session {
    QTemporaryDir Folder;
    QStringList Messages;
    std::unique_ptr<TForms> Forms;
    TMainForm* Main = nullptr;

    Session() {
        SetMessageHook([this](const QString& text) { Messages.append(text); });
    }
    ~Session() {
        SetMessageHook({});
        SetFileDialogHook({});
        SetModalHook({});
        Forms.reset();
        QDir::setCurrent(QDir::tempPath());
    }
    // Copies the pictures but those in `skip`, creates the windows and shows the main one,
    // with the computer kept off the board.
    bool Start(const QList<int>& skip = {}) {
        QDir().mkpath(Folder.filePath("Images"));
        for (int i = 0; i < 12; ++i) {
            const QString name = QString("Images/%1.bmp").arg(i);
            if (!skip.contains(i) && !QFile::copy(BRISKO_ASSETS_DIR "/" + name, Path(name)))
                return false;
        }
        QDir::setCurrent(Folder.path());
        Forms = CreateForms();
        Main = Forms->MainForm.get();
        Box("Player2Box")->setChecked(false);
        Main->show();
        return QTest::qWaitForWindowExposed(Main);
    }
    QString Path(const QString& name) const { return Folder.filePath(name); }
    QString Text(const char* label) const { return Main->findChild<QLabel*>(label)->text(); }
    QCheckBox* Box(const char* name) const { return Main->findChild<QCheckBox*>(name); }
    void Click(const char* button) const {
        QTest::mouseClick(Main->findChild<QAbstractButton*>(button), Qt::LeftButton);
    }
    const GameSession& Game() const { return Main->Session(); }
    QWidget* Client() const { return Main->findChild<QWidget*>("ClientArea"); }
    // Below the top panel, left of the control panel.
    QRect BoardArea() const {
        const int top = Main->findChild<QWidget*>("ProgPanel")->height();
        return {0, top, Client()->width() - Main->findChild<QWidget*>("ControlPanel")->width(),
                Client()->height() - top};
    }
    void ReleaseAt(int x, int y) const {
        QTest::mouseRelease(Client(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    // Releases the mouse in the middle of a square such as "e2", whatever the window's size.
    void ClickSquare(const char* square) const {
        const QRect area = BoardArea();
        ReleaseAt((2 * (square[0] - 'a') + 1) * area.width() / 16,
                  area.top() + (2 * ('8' - square[1]) + 1) * area.height() / 16);
    }
    void Play(const char* move) const {
        ClickSquare(move);
        ClickSquare(move + 2);
    }
    // The colour painted just inside the left outline of a square, beside its piece.
    QRgb Fill(const char* square) const {
        const QPoint at(SquareSize * (square[0] - 'a') + 1,
                        BoardArea().top() + SquareSize * ('8' - square[1]) + SquareSize / 2);
        return Client()->grab().toImage().pixel(at) | 0xff000000u;
    }
    void SetPosition(const char* fen) const {
        Board board{};
        std::string error;
        QVERIFY2(ReadFen(fen, board, error), error.c_str());
        Main->Session().StartFrom(board);
        Main->Repaint();
    }
};

#define START(session)                                                                             \
    Session session;                                                                               \
    QVERIFY(session.Start())

// Runs `action` once from inside the computer's search, as a user's click would arrive.
void WhileThinking(const Session& session, std::function<void()> action) {
    auto* poll = new QTimer(session.Main);
    QObject::connect(poll, &QTimer::timeout, poll, [&session, poll, action] {
        if (!session.Game().Thinking()) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(0);
}

// Answers the file dialogs with `path` while running the menu item `action`, and tells which
// dialog asked.
QString Trigger(const Session& session, const char* action, const QString& path) {
    QString asked;
    SetFileDialogHook([&](QFileDialog& dialog) {
        asked = dialog.objectName();
        return path;
    });
    session.Main->findChild<QAction*>(action)->trigger();
    SetFileDialogHook({});
    return asked;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void clickMapsToSquare_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QPoint>("selected"); // (-1, -1): nothing selected
        const QSize normal(614, 475);         // board area 416 x 418
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
        START(session);
        session.Main->resize(client.width(), client.height() + session.Main->menuBar()->height());
        QTRY_COMPARE(session.Client()->size(), client);
        session.ReleaseAt(release.x(), release.y());
        QCOMPARE(QPoint(session.Game().SelectedX(), session.Game().SelectedY()), selected);
        QCOMPARE(session.Text("ConditionLabel"),
                 QString("Condition: %1").arg(int(selected.x() >= 0)));
    }

    void drawsSelectionLastMoveAndStatus() {
        START(session);
        QCOMPARE(session.Fill("e2"), LightSquare);
        session.ClickSquare("e2");
        QCOMPARE(session.Fill("e2"), SelectedColour);
        session.ClickSquare("d2"); // the selection moves, the old square is plain again
        QCOMPARE(session.Fill("e2"), LightSquare);
        QCOMPARE(session.Fill("d2"), SelectedColour);
        session.ClickSquare("d4");
        for (const char* move : {"e7e5", "d4e5"}) session.Play(move);
        QCOMPARE(session.Fill("d2"), DarkSquare);
        QCOMPARE(session.Fill("d4"), LastMoveColour);
        session.Click("BackButton"); // the last move stays marked
        QCOMPARE(session.Fill("e5"), LastMoveColour);

        for (const char* move : {"d4e5", "a7a6", "d1d7"}) session.Play(move);
        QCOMPARE(session.Text("StatusLabel2"), QString("Black to play..."));
        QCOMPARE(session.Text("StatusLabel3"), QString("Check"));
        QCOMPARE(session.Text("CheckLabel"), QString("Check: 2"));
        // A drawn game keeps the second line, and the longest first line fits the panel.
        Board drawn = session.Game().Board();
        drawn.Outcome = Drawn;
        drawn.Repetition1 = RepetitionLimit + 1;
        session.Main->Session().StartFrom(drawn);
        session.Main->Repaint();
        const QLabel* first = session.Main->findChild<QLabel*>("StatusLabel2");
        QCOMPARE(first->text(), QString("Stalemate - 3 move repetition"));
        QVERIFY(QFontMetrics(first->font()).horizontalAdvance(first->text()) <= first->width());
        QCOMPARE(session.Text("StatusLabel3"), QString("Check"));
    }

    void humanPromotionOpensTheChooser() {
        START(session);
        session.SetPosition("7k/P7/8/8/8/8/8/K7 w - - 0 1");
        const QPlainTextEdit* legal = session.Forms->LegalForm->Box;
        int shown = 0;
        SetModalHook([&](QDialog& dialog) {
            ++shown;
            // The legal-moves window offers the side that chooses its pieces.
            QVERIFY(legal->toPlainText().contains("\nKnight"));
            auto* chooser = qobject_cast<TPromotionForm*>(&dialog);
            QVERIFY(chooser);
            chooser->FormMouseUp(34 + 3 * 52 + 10, 50); // the knight, the fourth square
        });
        session.Play("a7a8");
        QTRY_COMPARE(session.Game().Board().ToPlay, Black);
        QCOMPARE(session.Game().Board().Squares[0][0], static_cast<int>(Knight));
        QCOMPARE(shown, 1);
        QCOMPARE(legal->toPlainText().section('\n', 0, 2),
                 QString("Black\nLegal Moves:\n***************"));
        QVERIFY(legal->toPlainText().contains("Kh8-g8"));
    }

    // The real chooser, shown modal and clicked once it is up.
    void chooserPicks() {
        // The side that chooses, where the mouse is let go, and the piece it chooses.
        const std::tuple<int, QPoint, int> rows[] = {{WhiteChooses, {85, 50}, Queen},
                                                     {WhiteChooses, {86, 50}, Rook},
                                                     {WhiteChooses, {240, 84}, Knight},
                                                     {WhiteChooses, {200, 85}, Queen},   // below
                                                     {BlackChooses, {200, 31}, -Queen}}; // above
        for (const auto& [toPlay, release, choice] : rows) {
            Board board{};
            board.ToPlay = toPlay;
            TPromotionForm chooser;
            chooser.LiveBoard = &board;
            chooser.FormShow();
            const QPoint at = release;
            QTimer::singleShot(0, &chooser, [&chooser, at] {
                (void)QTest::qWaitForWindowExposed(&chooser);
                QTest::mouseRelease(&chooser, Qt::LeftButton, Qt::NoModifier, at);
            });
            RunModal(chooser);
            QCOMPARE(chooser.PromotionChoice, choice);
        }
    }

    void missingOrDamagedPicturesAreNamed() {
        Session session;
        QDir().mkpath(session.Path("Images"));
        QFile damaged(session.Path("Images/5.bmp"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("BM not a picture") > 0);
        damaged.close();
        QVERIFY(session.Start({3, 5, 10}));
        QCOMPARE(session.Messages,
                 QStringList{"Cannot load the piece pictures Images/3.bmp, Images/5.bmp, "
                             "Images/10.bmp."});
        // The game goes on. The white queen's square is drawn bare, the white king without its
        // transparent colour and outlined.
        session.Play("e2e4");
        QCOMPARE(session.Game().History().Count, 2);
        const QImage shot = session.Client()->grab().toImage();
        const int top = session.BoardArea().top();
        QCOMPARE(shot.pixel(3 * 52 + 26, top + 7 * 52 + 26) | 0xff000000u, LightSquare);
        QCOMPARE(shot.pixel(4 * 52 + 3, top + 7 * 52 + 3) | 0xff000000u, DarkSquare);
        bool outlined = false;
        for (int x = 4 * 52 + 2; x < 5 * 52 - 2; ++x)
            outlined = outlined || qGray(shot.pixel(x, top + 7 * 52 + 30)) < 60;
        QVERIFY(outlined);
    }

    void computerRepliesThroughTheTimer() {
        START(session);
        const GameSession& game = session.Game();
        session.Play("e2e4");
        session.Click("StopButton"); // a Stop between moves is forgotten by the next one
        session.Box("Player2Box")->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Count, 3, 20000);
        QVERIFY(session.Box("Player2Box")->isChecked());
        QCOMPARE(session.Main->findChild<QProgressBar*>("ProgBar")->value(), 0);
        QVERIFY(!session.Main->findChild<QTimer*>("MoveTimer")->isActive());
        // The memo holds the header and a line for each of Black's 20 moves.
        QCOMPARE(session.Forms->Depth1Form->Box->toPlainText().count('\n'), 22);
        QTest::qWait(100); // White waits for the human
        QCOMPARE(game.History().Count, 3);

        // A quick White move at "Clever" raises the depth, and the read-out follows.
        session.Click("LevelItem1");
        session.Click("NewButton");
        QCOMPARE(session.Text("DepthLabel"), QString("Depth = 2"));
        session.SetPosition("8/8/4k3/8/3PK3/8/8/8 w - - 0 45");
        session.Box("Player2Box")->setChecked(false);
        session.Box("Player1Box")->setChecked(true);
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
        START(session);
        session.Click("LevelItem2");
        session.Click("NewButton");
        QCOMPARE(session.Text("DepthLabel"), QString("Depth = 3"));
        session.Play("e2e4");
        bool pressed = false;
        WhileThinking(session, [&] {
            pressed = true;
            if (how.isEmpty())
                session.Main->findChild<QAction*>("Exit1")->trigger();
            else
                session.Click(qPrintable(how));
        });
        session.Box("Player1Box")->setChecked(true);
        session.Box("Player2Box")->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(pressed && !session.Game().Thinking(), 20000);
        QCOMPARE(session.Game().History().Count, countAfter);
        QVERIFY(!session.Box("Player1Box")->isChecked() && !session.Box("Player2Box")->isChecked());
        QCOMPARE(session.Main->findChild<QProgressBar*>("ProgBar")->value(), 0);
        QCOMPARE(session.Main->isVisible(), !how.isEmpty());
        QTest::qWait(50); // the user plays on at once
        QCOMPARE(session.Game().History().Count, countAfter);
    }

    void fileDialogsAndMessages() {
        START(session);
        const GameSession& game = session.Game();
        const QString path = session.Path("game.bch");
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) session.Play(move);
        // Cancelled dialogs change nothing.
        QCOMPARE(Trigger(session, "Save1", QString()), QString("SaveDlg"));
        QCOMPARE(Trigger(session, "Open1", QString()), QString("OpenDlg"));
        QCOMPARE(game.History().Count, 4);
        // Save with no name yet asks for one; then it writes under that name without asking.
        session.Click("BackButton");
        QCOMPARE(Trigger(session, "Save1", path), QString("SaveDlg"));
        QCOMPARE(Trigger(session, "Save1", session.Path("unused.bch")), QString());
        QVERIFY(!QFile::exists(session.Path("unused.bch")));

        session.Click("NewButton");
        QCOMPARE(Trigger(session, "Open1", path), QString("OpenDlg"));
        QCOMPARE(game.History().Count, 3);
        // A save that fails is told, naming the file.
        const QString bad = session.Path("missing/folder/game.bch");
        Trigger(session, "SaveAs1", bad);
        QCOMPARE(session.Messages, QStringList{QString("Cannot save the game to %1.").arg(bad)});
        // A damaged file is told, and the game on the board stays as it was.
        QFile damaged(session.Path("damaged.bch"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("BQ\nrnbqkbnr\npppp\n") > 0);
        damaged.close();
        Trigger(session, "Open1", damaged.fileName());
        QCOMPARE(session.Messages.last(), QString("Range check error"));
        QCOMPARE(game.History().Count, 3);
    }

    void leagueWindow() {
        START(session);
        TLeagueForm& league = *session.Forms->LeagueForm;
        const auto firstRow = [&] {
            return league.NameBox->toPlainText().section('\n', 0, 0) + " " +
                   league.ScoreBox->toPlainText().section('\n', 0, 0) + " " +
                   league.NogBox->toPlainText().section('\n', 0, 0);
        };
        session.Main->League1Click();
        QVERIFY(QTest::qWaitForWindowExposed(&league));
        QCOMPARE(league.NameBox->toPlainText().count("Opponent: "), 16);
        // A result is recorded at once, listed only when the window is next shown.
        league.WinBox->setText("4");
        league.LoseBox->setText("1");
        QTest::mouseClick(league.PlayButton, Qt::LeftButton);
        QCOMPARE(firstRow(), QString("Opponent: 0 0 0"));
        league.hide();
        league.show();
        QCOMPARE(firstRow(), QString("Opponent: 4 3 1"));
        league.WinBox->setText("16"); // a refused entry is told and records nothing
        QTest::mouseClick(league.DrewButton, Qt::LeftButton);
        QCOMPARE(session.Messages, QStringList{"Invalid entry in Winner box!"});
        QTest::mouseClick(league.ResetButton, Qt::LeftButton);
        QCOMPARE(firstRow(), QString("Opponent: 0 0 0"));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
