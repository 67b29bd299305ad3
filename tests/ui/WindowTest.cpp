// The real main window, headless, driven by mouse and found by name: where a click lands at two
// sizes, what is drawn, the promotion chooser, start-up with pictures missing, the computer's
// turns through the timer and Stop during a search, the File dialogs and the league window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCommandLineParser>
#include <QDataStream>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "engine/Stalemateu.h"
#include "notation/Fen.h"
#include "ui/Boardpaintu.h"
#include "ui/Clockdialogu.h"
#include "ui/Commandlineu.h"
#include "ui/Dialogsu.h"
#include "ui/Formsu.h"
#include "ui/Gamechooseru.h"
#include "ui/Settingsu.h"

namespace {

// The program's windows in a working folder of their own that holds the piece pictures, with
// the messages they show.
struct Session {
    QTemporaryDir Folder;
    QStringList Messages;
    // The Save / Discard / Cancel questions asked, and the answer each gets.
    QStringList SaveQuestions;
    SaveAnswer Answer = SaveAnswer::Discard;
    std::unique_ptr<TForms> Forms;
    TMainForm* Main = nullptr;

    Session() {
        SetMessageHook([this](const QString& text) { Messages.append(text); });
        SetSaveQuestionHook([this](const QString& text) {
            SaveQuestions.append(text);
            return Answer;
        });
    }
    ~Session() {
        SetMessageHook({});
        SetFileDialogHook({});
        SetModalHook({});
        SetQuestionHook({});
        SetSaveQuestionHook({});
        Forms.reset();
        QDir::setCurrent(QDir::tempPath());
    }
    // Copies the pictures but those in `skip`, creates the windows and shows the main one,
    // with the computer kept off the board; or, given a settings file (and a kept game's), as
    // the program starts.
    bool Start(const QList<int>& skip = {}, const QString& settings = {},
               const QString& kept = {}) {
        QDir().mkpath(Folder.filePath("Images"));
        for (int i = 0; i < 12; ++i) {
            const QString name = QString("Images/%1.bmp").arg(i);
            if (!skip.contains(i) && !QFile::copy(BRISKO_ASSETS_DIR "/" + name, Path(name)))
                return false;
        }
        QDir::setCurrent(Folder.path());
        Forms = CreateForms();
        Main = Forms->MainForm.get();
        if (settings.isEmpty())
            Box("Player2Box")->setChecked(false);
        else
            RememberSettings(*Main, settings);
        Main->KeepGameIn(kept);
        Main->show();
        return QTest::qWaitForWindowExposed(Main);
    }
    QString Path(const QString& name) const { return Folder.filePath(name); }
    QString Text(const char* label) const { return Main->findChild<QLabel*>(label)->text(); }
    QCheckBox* Box(const char* name) const { return Main->findChild<QCheckBox*>(name); }
    void Click(const char* button) const {
        QTest::mouseClick(Main->findChild<QAbstractButton*>(button), Qt::LeftButton);
    }
    QAction* Item(const char* name) const { return Main->findChild<QAction*>(name); }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(Main, Qt::Key(key), modifiers);
    }
    const GameSession& Game() const { return Main->Session(); }
    QWidget* Client() const { return Main->findChild<QWidget*>("ClientArea"); }
    // Below the top panel, left of the move list when it is shown, else of the control panel.
    QRect BoardArea() const {
        const int top = Main->findChild<QWidget*>("ProgPanel")->height();
        const QWidget* list = Main->findChild<QWidget*>("MoveList");
        const QWidget* right = list->isVisible() ? list : Main->findChild<QWidget*>("ControlPanel");
        return {0, top, right->x(), Client()->height() - top};
    }
    void ReleaseAt(int x, int y) const {
        QTest::mouseRelease(Client(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    // The middle of a square such as "e2" at the window's first size.
    QPoint Centre(const char* square) const {
        const QRect area = BoardArea();
        return {(2 * (square[0] - 'a') + 1) * area.width() / 16,
                area.top() + (2 * ('8' - square[1]) + 1) * area.height() / 16};
    }
    void ClickSquare(const char* square) const {
        ReleaseAt(Centre(square).x(), Centre(square).y());
    }
    void Drag(QPoint from, QPoint to) const {
        QTest::mousePress(Client(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(Client(), (from + to) / 2);
        QTest::mouseMove(Client(), to);
        QTest::mouseRelease(Client(), Qt::LeftButton, Qt::NoModifier, to);
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

// Runs `action` from inside the computer's search once it has thought for `ms` milliseconds.
void AfterThinking(const Session& session, int ms, std::function<void()> action) {
    WhileThinking(session, [&session, ms, action] {
        QTimer::singleShot(ms, session.Main, [&session, action] {
            if (session.Game().Thinking()) action();
        });
    });
}

// Runs `action` once the computer thinks and the second status line begins with `prefix`: on a
// busy machine the quick scan alone may take longer than any fixed wait.
void WhenStatus(const Session& session, const QString& prefix, std::function<void()> action) {
    auto* poll = new QTimer(session.Main);
    QObject::connect(poll, &QTimer::timeout, poll, [&session, poll, prefix, action] {
        if (!session.Game().Thinking() || !session.Text("StatusLabel3").startsWith(prefix)) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(10);
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
        QTest::addColumn<bool>("flip");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QString>("selected"); // "" for none
        const QSize normal(614, 475);          // the board fills its area, 416 x 418
        QTest::newRow("file 1") << normal << false << QPoint(52, 57 + 314) << "b2";
        QTest::newRow("file 0") << normal << false << QPoint(51, 57 + 314) << "a2";
        QTest::newRow("row 5 is empty") << normal << false << QPoint(52, 57 + 313) << "";
        QTest::newRow("last row") << normal << false << QPoint(415, 474) << "h1";
        QTest::newRow("left edge") << normal << false << QPoint(0, 400) << "";
        QTest::newRow("control panel") << normal << false << QPoint(416, 400) << "";
        QTest::newRow("below the window") << normal << false << QPoint(100, 475 + 60) << "";
        QTest::newRow("flipped") << normal << true << QPoint(6 * 52 + 4, 57 + 52 + 4) << "b2";
        const QSize large(1000, 700); // a square of 642 from (80, 57), 80.25 a square
        QTest::newRow("large") << large << false << QPoint(80 + 81 + 4, 57 + 482 + 4) << "b2";
        QTest::newRow("large, left of it") << large << false << QPoint(80, 400) << "";
        QTest::newRow("large, right of it") << large << false << QPoint(80 + 642, 400) << "";
        QTest::newRow("large, flipped") << large << true << QPoint(84, 61) << "h1";
        // Held at its smallest, 358 x 474: a square of 160 from (0, 185), every control shown.
        QTest::newRow("smallest") << QSize(100, 100) << false << QPoint(24, 185 + 124) << "b2";
    }

    // Also run at a device pixel ratio of 2.
    void clickMapsToSquare() {
        QFETCH(QSize, client);
        QFETCH(bool, flip);
        QFETCH(QPoint, release);
        QFETCH(QString, selected);
        START(session);
        if (flip) session.Item("FlipBoard1")->trigger();
        session.Main->resize(client.width(), client.height() + session.Main->menuBar()->height());
        QTRY_COMPARE(session.Client()->size(), client.expandedTo(session.Client()->minimumSize()));
        for (const QAbstractButton* button : session.Client()->findChildren<QAbstractButton*>())
            QVERIFY(!button->isVisible() ||
                    session.Client()->rect().contains(
                        QRect(button->mapTo(session.Client(), QPoint()), button->size())));
        session.ReleaseAt(release.x(), release.y());
        const GameSession& game = session.Game();
        const QString name = QString(QChar('a' + game.SelectedX())) + QChar('8' - game.SelectedY());
        QCOMPARE(game.Condition() ? name : QString(), selected);
        QCOMPARE(session.Text("ConditionLabel"), QString("Condition: %1").arg(game.Condition()));
        // The square painted as selected is the one clicked.
        const QImage shot = session.Client()->grab().toImage();
        QRect green;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if ((shot.pixel(x, y) | 0xff000000u) == SelectedColour)
                    green |=
                        QRect((QPointF(x, y) / shot.devicePixelRatio()).toPoint(), QSize(1, 1));
        QCOMPARE(green.isEmpty(), selected.isEmpty());
        QVERIFY(green.isEmpty() || green.adjusted(-2, -2, 2, 2).contains(release));
    }

    void drawsSelectionLastMoveAndStatus() {
        START(session);
        session.ClickSquare("e2");
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
        session.Item("HighlightCheck1")->trigger();
        QCOMPARE(session.Fill("e8"), CheckColour);
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

    void dragToAPromotionOpensTheChooser() {
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
        // A drag back to its square, or off the board, changes nothing.
        session.Drag(session.Centre("a7"), session.Centre("a7") + QPoint(20, 0));
        session.Drag(session.Centre("a7"), QPoint(500, 100));
        QTest::qWait(150);
        QCOMPARE(std::make_pair(session.Game().History().Count, shown), std::make_pair(1, 0));
        session.Drag(session.Centre("a7"), session.Centre("a8"));
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

    // The strong levels follow the game's own, say how strong they are, think aloud with depth
    // and score, answer Move Now, and are remembered.
    void strongLevelsInTheWindow() {
        QTemporaryDir kept;
        const QString file = kept.filePath("settings.ini");
        {
            Session first;
            QVERIFY(first.Start({}, file));
            const auto* fiendish = first.Main->findChild<QAbstractButton*>("LevelItem7");
            QCOMPARE(fiendish->text(), QString("Fiendish"));
            QCOMPARE(
                fiendish->toolTip(),
                QString("About %1 Elo. Takes effect at the next New Game").arg(DifficultyElo(7)));
            first.Click("LevelItem7");
            QCOMPARE(first.Text("StatusLabel3"), QString("Fiendish at New Game"));
            first.Click("NewButton");
            first.Play("e2e4");
            QString bar;
            bool shown = false;
            // Looked at while the search pumps, until it shows a depth (a loaded machine may
            // take a while), then cut short.
            int polls = 0;
            auto* poll = new QTimer(first.Main);
            QObject::connect(poll, &QTimer::timeout, poll, [&] {
                if (!first.Game().Thinking()) return;
                bar = first.Main->findChild<QProgressBar*>("ProgBar")->format();
                shown = first.Main->findChild<QPushButton*>("MoveNowButton")->isVisible();
                if (!bar.startsWith("Thinking: depth ") && ++polls < 100) return;
                poll->stop();
                first.Click("MoveNowButton");
            });
            poll->start(50);
            QTRY_COMPARE_WITH_TIMEOUT(first.Game().History().Count, 3, 20000);
            QVERIFY(first.Game().StrongProgress().Depth > 0);
            // Under a heavy load the reply may be over before the poll first runs.
            if (!bar.isEmpty()) {
                QVERIFY2(bar.startsWith("Thinking: depth "), qPrintable(bar));
                QVERIFY(shown);
                QVERIFY(first.Game().CutShort());
            }
            first.Main->close();
        }
        Session second;
        QVERIFY(second.Start({}, file));
        QVERIFY(second.Main->findChild<QAbstractButton*>("LevelItem7")->isChecked());
        QVERIFY(second.Game().StrongThinks());
    }

    void searchEndsWithoutAMove_data() {
        QTest::addColumn<QString>("how"); // a button, or "" to close the window
        QTest::addColumn<int>("countAfter");
        QTest::addColumn<bool>("sidesKept"); // only Stop frees both sides
        QTest::newRow("Stop") << "StopButton" << 2 << false;
        QTest::newRow("Escape") << "Escape" << 2 << false;
        QTest::newRow("New Game") << "NewButton" << 1 << true;
        QTest::newRow("< Back") << "BackButton" << 1 << true;
        QTest::newRow("closing the window") << QString() << 2 << true;
    }

    void searchEndsWithoutAMove() {
        QFETCH(QString, how);
        QFETCH(int, countAfter);
        QFETCH(bool, sidesKept);
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
            else if (how == "Escape")
                session.Key(Qt::Key_Escape);
            else
                session.Click(qPrintable(how));
        });
        // Both sides where Stop is to free both; else Black's alone, and White waits for the human.
        session.Box("Player1Box")->setChecked(!sidesKept);
        session.Box("Player2Box")->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(pressed && !session.Game().Thinking(), 20000);
        QCOMPARE(session.Game().History().Count, countAfter);
        QVERIFY(!session.Box("Player1Box")->isChecked());
        QCOMPARE(session.Box("Player2Box")->isChecked(), sidesKept);
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
        QCOMPARE(session.Messages.last(),
                 QString("Range check error\n\n\"damaged.bch\" is not a game that Brisko Chess!! "
                         "saved."));
        QCOMPARE(game.History().Count, 3);
        // Save As asks before it replaces a file: No keeps it, Yes replaces it.
        const QString other = session.Path("other.bch");
        QVERIFY(QFile(other).open(QIODevice::WriteOnly));
        QStringList asked;
        for (const bool yes : {false, true}) {
            SetQuestionHook([&](const QString& text) { return asked.append(text), yes; });
            Trigger(session, "SaveAs1", other);
            QCOMPARE(QFileInfo(other).size() > 0, yes);
        }
        QCOMPARE(asked, QStringList(2, "other.bch already exists.\nDo you want to replace it?"));
    }

    void undoAndKeysAgainstTheComputer() {
        START(session);
        const GameSession& game = session.Game();
        QAction* undo = session.Item("Undo1");
        QVERIFY(!undo->isEnabled() && !session.Item("Redo1")->isEnabled());
        session.Box("Player2Box")->setChecked(true);
        bool disabled = false;
        WhileThinking(
            session, [&] { disabled = !undo->isEnabled() && !session.Item("Hint1")->isEnabled(); });
        session.Play("e2e4");
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Count, 3, 20000);
        QVERIFY(disabled && undo->isEnabled());
        // Ctrl+Z takes back the reply and the move, and the computer waits.
        session.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(game.History().Count, 1);
        QTest::qWait(100);
        QCOMPARE(game.History().Count, 1);
        session.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(game.History().Count, 3);

        // Between two humans the arrows, Home and End step as Back and Forward do.
        session.Box("Player2Box")->setChecked(false);
        const std::pair<int, int> steps[] = {
            {Qt::Key_Home, 1}, {Qt::Key_End, 3}, {Qt::Key_Left, 2}, {Qt::Key_Right, 3}};
        for (const auto& [key, count] : steps) {
            session.Key(key);
            QCOMPARE(game.History().Count, count);
        }
    }

    void moveListAndPgnThroughTheMenus() {
        START(session);
        const GameSession& game = session.Game();
        session.Item("MoveList1")->trigger();
        const auto* list = session.Main->findChild<QTableWidget*>("MoveList");
        QVERIFY(list->isVisible());
        QCOMPARE(session.BoardArea().width(), 416); // the window grew instead
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) session.Play(move);
        QCOMPARE(list->currentItem()->text(), QString("Nf3"));
        // A click on a move shows the position after it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(0, 1)).center());
        QCOMPARE(game.History().Count, 3);
        QCOMPARE(list->currentItem()->text(), QString("e5"));

        // Exported up to the position shown, imported back; a refused paste changes nothing.
        Trigger(session, "ExportPgn1", session.Path("game.pgn"));
        session.Click("NewButton");
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(Trigger(session, "ImportPgn1", session.Path("game.pgn")), QString("ImportDlg"));
        QCOMPARE(std::make_pair(game.History().Count, list->rowCount()), std::make_pair(3, 1));
        QGuiApplication::clipboard()->setText("8/8/8/8/8/8/8/8 w - - 0 1");
        session.Item("PastePosition1")->trigger();
        QCOMPARE(session.Messages, QStringList("pieces: White has no king"));
        QCOMPARE(game.History().Count, 3);
    }

    // A file of real games: Import PGN lists them, the search box filters them, and the game
    // chosen replaces the one on the board; the command line and a cancel choose none.
    void importChoosesAmongTheGamesOfAFile() {
        START(session);
        const GameSession& game = session.Game();
        const QString file = BRISKO_TEST_DATA "/games.pgn";
        // What is typed in the search box, the rows it leaves, the row double-clicked (-1: the
        // Import button), and the positions of the game then on the board (1: none chosen).
        const std::tuple<QString, QStringList, int, int> rows[] = {
            {"", {"Morphy, Paul", "Anderssen, Adolf", "Anderssen, Adolf", "?"}, -1, 34},
            {"kieseritzky", {"Anderssen, Adolf"}, -1, 46},
            {"anderssen 1852", {"Anderssen, Adolf"}, 0, 48},
            {"Anderssen", {"Anderssen, Adolf", "Anderssen, Adolf"}, 1, 48},
            {"nobody", {}, -1, 1},
        };
        for (const auto& [typed, white, clicked, positions] : rows) {
            session.Click("NewButton");
            QStringList shown;
            QString count;
            SetModalHook([&, typed = typed, clicked = clicked](QDialog& dialog) {
                auto* filter = dialog.findChild<QLineEdit*>("GameFilter");
                auto* list = dialog.findChild<QTableView*>("GameList");
                QVERIFY(qobject_cast<TGameChooser*>(&dialog) && filter && list);
                dialog.show();
                QVERIFY(QTest::qWaitForWindowExposed(&dialog));
                QTest::keyClicks(filter, typed);
                for (int row = 0; row < list->model()->rowCount(); ++row)
                    shown.append(list->model()->index(row, 1).data().toString());
                count = dialog.findChild<QLabel*>("GameCount")->text();
                // The row marked is the one Import takes: the first shown.
                const QModelIndexList marked = list->selectionModel()->selectedRows();
                QCOMPARE(marked.size(), shown.isEmpty() ? 0 : 1);
                QVERIFY(shown.isEmpty() || marked.first().row() == 0);
                if (clicked < 0) {
                    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->buttons().first(),
                                      Qt::LeftButton);
                    return;
                }
                const QRect cell = list->visualRect(list->model()->index(clicked, 2));
                // A double click is a click, then the second press as a double click.
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
            });
            Trigger(session, "ImportPgn1", file);
            QCOMPARE(shown, white);
            QCOMPARE(count, typed.isEmpty() ? QString("4 games")
                                            : QString("%1 of 4 games").arg(white.size()));
            QCOMPARE(game.History().Count, positions);
        }
        // Cancel keeps the game; the command line takes the first game without asking.
        int asked = 0;
        SetModalHook([&](QDialog& dialog) {
            ++asked;
            dialog.reject();
        });
        Trigger(session, "ImportPgn1", file);
        QCOMPARE(game.History().Count, 1);
        session.Main->ImportGame(file);
        QCOMPARE(std::make_pair(game.History().Count, asked), std::make_pair(34, 1));
        // A pasted text of several games offers them too.
        QGuiApplication::clipboard()->setText("1. e4 *\n1. d4 d5 *\n");
        session.Item("PasteGame1")->trigger();
        QCOMPARE(std::make_pair(game.History().Count, asked), std::make_pair(34, 2));
        // What was skipped is told once the game is on the board.
        QGuiApplication::clipboard()->setText("1. e4 e5 2. Nf3 [%clk 0:01] Nc6 *");
        session.Item("PasteGame1")->trigger();
        QCOMPARE(game.History().Count, 5);
        QCOMPARE(session.Messages, QStringList("The game was imported, with these remarks:\n"
                                               "Line 1: '[%clk 0:01]' is not PGN and was skipped"));
    }

    // Kept in a settings file of its own: a first start finds nothing and looks as it always
    // has; the next one finds what the first changed.
    void settingsAreRemembered() {
        QTemporaryDir kept;
        const QString file = kept.filePath("settings.ini");
        {
            Session first;
            QVERIFY(first.Start({}, file));
            QCOMPARE(
                first.Client()->grab().toImage().convertToFormat(QImage::Format_RGB32),
                QImage(BRISKO_TEST_DATA "/first-start.png").convertToFormat(QImage::Format_RGB32));
            QStringList menus;
            for (const QAction* menu : first.Main->menuBar()->actions())
                if (menu->isVisible()) menus.append(menu->text());
            QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Game", "&Help"}));
            first.Item("ThinkingLimit30000")->trigger();
            first.Item("RulesStandard1")->trigger();
            first.Item("Clock5_0")->trigger();
            first.Click("LevelItem2");
            first.Box("Player2Box")->setChecked(false);
            for (const char* option : {"FlipBoard1", "Coordinates1", "HighlightCheck1"})
                first.Item(option)->trigger();
            first.Main->resize(800, 600);
            Trigger(first, "SaveAs1", kept.filePath("game.bch"));
            first.Main->close();
        }
        Session second;
        QVERIFY(second.Start({}, file));
        QCOMPARE(second.Main->size(), QSize(800, 600));
        QCOMPARE(second.Text("DepthLabel"), QString("Depth = 3")); // Mean, from the start
        QVERIFY(!second.Box("Player2Box")->isChecked());
        for (const char* option :
             {"FlipBoard1", "AutoFlip1", "Coordinates1", "HighlightCheck1", "LegalTargets1"})
            QCOMPARE(second.Item(option)->isChecked(), option[0] != 'A' && option[0] != 'L');
        QCOMPARE(second.Main->findChild<QFileDialog*>("OpenDlg")->directory().absolutePath(),
                 kept.path());
        QVERIFY(second.Item("ThinkingLimit30000")->isChecked());
        QVERIFY(second.Item("RulesStandard1")->isChecked() && second.Item("Clock5_0")->isChecked());
        QCOMPARE(second.Game().GameRules(), Rules::Standard);
        QCOMPARE(second.Game().GameClock(), (TimeControl{300000, 0}));
        QCOMPARE(second.Game().ThinkingLimit(), 30000);
    }

    // Against the computer: stepping through the game never makes it play again, and a move of
    // the player's own from an earlier position replaces the rest, as always.
    void reviewAgainstTheComputer() {
        START(session);
        const GameSession& game = session.Game();
        session.Item("MoveList1")->trigger();
        session.Box("Player2Box")->setChecked(true);
        for (const char* move : {"e2e4", "g1f3"}) {
            session.Play(move);
            const int replied = game.History().Stored + 1;
            QTRY_COMPARE_WITH_TIMEOUT(game.History().Stored, replied, 20000);
        }
        const auto* list = session.Main->findChild<QTableWidget*>("MoveList");
        const auto cell = [&](int row, int column) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(row, column)).center());
        };
        // Each step, the position it shows, and the second status line there.
        const std::tuple<std::function<void()>, int, const char*> steps[] = {
            {[&] { session.Key(Qt::Key_Home); }, 1, "Review: End, Forward"},
            {[&] { session.Key(Qt::Key_Right); }, 2, "Review: End, Forward"}, // Black's turn
            {[&] { cell(1, 0); }, 4, "Review: End, Forward"},                 // ... and again
            {[&] { session.Click("BackButton"); }, 3, "Review: End, Forward"},
            {[&] { session.Key(Qt::Key_End); }, 5, ""},
            {[&] { cell(0, 1); }, 3, "Review: End, Forward"},
        };
        for (const auto& [step, count, second] : steps) {
            step();
            QTest::qWait(100); // time enough for the computer to begin
            QCOMPARE(game.History().Count, count);
            QCOMPARE(game.History().Stored, 5);
            QCOMPARE(session.Text("StatusLabel3"), QString(second));
        }
        session.Play("d2d4");
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Count, 5, 20000);
        QCOMPARE(game.History().Stored, 5);
        QCOMPARE(list->item(1, 0)->text(), QString("d4"));
    }

    // Move Now and the limit end a long search with the best move found so far; while it thinks
    // the status and the progress bar say so.
    void moveNowAndTheThinkingLimit() {
        START(session);
        const GameSession& game = session.Game();
        session.Click("LevelItem2");
        session.Click("NewButton");
        // Deep enough that only Move Now or the limit ends the move.
        session.Main->findChild<QSlider*>("DepthBar")->setValue(9);
        session.Item("ThinkingLimit0")->trigger();
        session.Box("Player2Box")->setChecked(true);
        session.Play("e2e4");
        const auto* bar = session.Main->findChild<QProgressBar*>("ProgBar");
        const auto* moveNow = session.Main->findChild<QPushButton*>("MoveNowButton");
        QStringList shown;
        WhenStatus(session, "Depth 8", [&] {
            shown << session.Text("StatusLabel2").left(12) << session.Text("StatusLabel3").left(8)
                  << bar->text().left(18);
            QVERIFY(moveNow->isVisible() && session.Item("MoveNow1")->isEnabled());
            session.Key(Qt::Key_M, Qt::ControlModifier);
        });
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Stored, 3, 20000);
        QCOMPARE(shown, QStringList({"Thinking... ", "Depth 8:", "Thinking: depth 8,"}));
        QVERIFY(game.CutShort());
        QCOMPARE(session.Text("StatusLabel2"), QString("White to play..."));
        QVERIFY(!moveNow->isVisible() && !bar->isTextVisible());
        QVERIFY(!session.Item("MoveNow1")->isEnabled());

        // The limit, chosen in the Game menu, on a clock that runs 50 ms a reading.
        int64_t fake = 0;
        session.Main->Session().SetClock([&fake] { return fake += 50; });
        session.Item("ThinkingLimit1000")->trigger();
        session.Play("d2d4");
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Stored, 5, 20000);
        QVERIFY(game.CutShort());
        // The button does the same.
        session.Item("ThinkingLimit0")->trigger();
        AfterThinking(session, 100, [&] { session.Click("MoveNowButton"); });
        session.Play("g1f3");
        QTRY_COMPARE_WITH_TIMEOUT(game.History().Stored, 7, 20000);
        QVERIFY(game.CutShort());
    }

    // New Game, Open, Import PGN, Paste Game and Paste Position ask before moves that no file
    // holds are thrown away; Cancel and Escape keep them.
    void unsavedMovesAreNotDroppedWithoutAsking_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("doing");
        QTest::addColumn<int>("storedAfter"); // once the moves are discarded
        QTest::newRow("New Game") << "NewButton"
                                  << "starting a new game" << 1;
        QTest::newRow("Ctrl+N") << "Ctrl+N"
                                << "starting a new game" << 1;
        QTest::newRow("Open") << "Ctrl+O"
                              << "opening another game" << 3;
        QTest::newRow("Import PGN") << "ImportPgn1"
                                    << "importing a game" << 2;
        QTest::newRow("Paste Game") << "Ctrl+V"
                                    << "pasting a game" << 2;
        QTest::newRow("Paste Position") << "Ctrl+Shift+V"
                                        << "pasting a position" << 1;
    }

    void unsavedMovesAreNotDroppedWithoutAsking() {
        QFETCH(QString, how);
        QFETCH(QString, doing);
        QFETCH(int, storedAfter);
        START(session);
        const GameSession& game = session.Game();
        for (const char* move : {"e2e4", "e7e5"}) session.Play(move);
        Trigger(session, "SaveAs1", session.Path("game.bch"));
        session.Play("g1f3");
        session.Key(Qt::Key_Left); // Nf3 is in no file
        QFile pgn(session.Path("game.pgn"));
        QVERIFY(pgn.open(QIODevice::WriteOnly) && pgn.write("1. d4 *\n") > 0);
        pgn.close();
        SetFileDialogHook([&](QFileDialog& dialog) {
            return session.Path(dialog.objectName() == "OpenDlg" ? "game.bch" : "game.pgn");
        });
        QGuiApplication::clipboard()->setText(how == "Ctrl+V" ? "1. c4 *"
                                                              : "4k3/8/8/8/8/8/8/4K3 w - - 0 1");
        const auto act = [&] {
            if (how.startsWith("Ctrl"))
                QTest::keySequence(session.Main, QKeySequence(how));
            else if (how.endsWith("1"))
                session.Item(qPrintable(how))->trigger();
            else
                session.Click(qPrintable(how));
        };
        session.Answer = SaveAnswer::Cancel;
        act();
        QCOMPARE(
            session.SaveQuestions,
            QStringList("The game has moves that are not saved.\nSave them before " + doing + "?"));
        QCOMPARE(std::make_pair(game.History().Count, game.History().Stored), std::make_pair(3, 4));
        // Escape in the real question is Cancel.
        SetSaveQuestionHook({});
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        act();
        QCOMPARE(game.History().Stored, 4);
        session.Main->activateWindow(); // after the real question, the window's keys again
        QVERIFY(QTest::qWaitForWindowActive(session.Main));
        SetSaveQuestionHook([&](const QString&) { return SaveAnswer::Discard; });
        act();
        QCOMPARE(game.History().Stored, storedAfter);
    }

    // Save in the question saves the whole game first, under the game's own file.
    void saveBeforeANewGame() {
        START(session);
        const GameSession& game = session.Game();
        for (const char* move : {"e2e4", "e7e5"}) session.Play(move);
        Trigger(session, "SaveAs1", session.Path("game.bch"));
        session.Play("g1f3");
        session.Key(Qt::Key_Home);
        session.Answer = SaveAnswer::Save;
        session.Click("NewButton");
        QCOMPARE(game.History().Stored, 1);
        Trigger(session, "Open1", session.Path("game.bch"));
        QCOMPARE(game.History().Stored, 4);
        // Nothing unsaved, also once exported as PGN: no question.
        session.Click("NewButton");
        session.Play("d2d4");
        Trigger(session, "ExportPgn1", session.Path("game.pgn"));
        session.Click("NewButton");
        QCOMPARE(game.History().Stored, 1);
        QCOMPARE(session.SaveQuestions.size(), 1);
    }

    // The game in progress is kept at Exit, which asks nothing, and comes back at the next
    // start with its sides, its move list and the position shown; a kept file that cannot be
    // read is passed over.
    void aGameInProgressComesBackAtTheNextStart() {
        QTemporaryDir data;
        const QString settings = data.filePath("settings.ini");
        const QString kept = data.filePath("kept-game");
        {
            Session first;
            QVERIFY(first.Start({}, settings, kept));
            first.Item("MoveList1")->trigger();
            first.Click("LevelItem1");
            first.Click("NewButton");
            for (const char* move : {"e2e4", "g1f3"}) {
                first.Play(move);
                const int replied = first.Game().History().Stored + 1;
                QTRY_COMPARE_WITH_TIMEOUT(first.Game().History().Stored, replied, 20000);
            }
            first.Key(Qt::Key_Left);
            first.Click("LevelItem2"); // chosen, not yet in play
            first.Key(Qt::Key_Q, Qt::ControlModifier);
            QVERIFY(!first.Main->isVisible());
            QVERIFY(first.SaveQuestions.isEmpty());
        }
        Session second;
        QVERIFY(second.Start({}, settings, kept));
        const GameSession& game = second.Game();
        QCOMPARE(std::make_pair(game.History().Count, game.History().Stored), std::make_pair(4, 5));
        QCOMPARE(second.Main->findChild<QTableWidget*>("MoveList")->rowCount(), 2);
        QVERIFY(second.Box("Player2Box")->isChecked() && !second.Box("Player1Box")->isChecked());
        QCOMPARE(game.Level(), 1);
        QCOMPARE(second.Text("StatusLabel3"), QString("Review: End, Forward"));
        second.Key(Qt::Key_End);
        QCOMPARE(second.Text("StatusLabel3"), QString("Mean at New Game"));
        QTest::qWait(100); // the computer waits for White
        QCOMPARE(game.History().Stored, 5);
        second.Main->close();

        QFile damaged(kept);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("hello") > 0);
        damaged.close();
        Session third;
        QVERIFY(third.Start({}, settings, kept));
        QCOMPARE(third.Game().History().Stored, 1);
        QVERIFY(third.Messages.isEmpty());
    }

    // A click on a button, a box, a level or the move list leaves the keyboard on the board,
    // where Up, Space and Return do nothing; Tab still reaches every control.
    void keyboardStaysOnTheBoard() {
        START(session);
        const GameSession& game = session.Game();
        session.Main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(session.Main));
        session.Item("MoveList1")->trigger();
        for (const char* move : {"e2e4", "e7e5"}) session.Play(move);
        const auto* list = session.Main->findChild<QTableWidget*>("MoveList");
        const std::function<void()> clicks[] = {
            [&] { session.Click("ForwardButton"); },
            [&] { session.Click("BackButton"); },
            [&] { session.Click("Player1Box"), session.Click("Player1Box"); },
            [&] { session.Click("LevelItem1"); },
            [&] {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  list->visualItemRect(list->item(0, 0)).center());
            },
        };
        for (const auto& click : clicks) {
            click();
            QCOMPARE(QApplication::focusWidget(), session.Client());
            const int count = game.History().Count;
            for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_Return})
                QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(std::make_pair(game.History().Count, game.History().Stored),
                     std::make_pair(count, 3));
        }
        QSet<QString> reached;
        for (int tab = 0; tab < 12; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget()->objectName());
        }
        // The Difficulty group is one stop: the arrows choose inside it.
        for (const char* name : {"ClientArea", "Player1Box", "Player2Box", "LevelItem0",
                                 "StopButton", "BackButton", "ForwardButton", "NewButton"})
            QVERIFY2(reached.contains(name), name);
        // The level chosen says when it comes in.
        session.Click("LevelItem2");
        QCOMPARE(QToolTip::text(), QString("Mean takes effect at New Game"));
        QCOMPARE(session.Text("StatusLabel3"), QString("Mean at New Game"));
        session.Click("NewButton");
        QCOMPARE(session.Text("StatusLabel3"), QString());
    }

    // The rules and clock come from the command line or the Game menu and apply from the next
    // game; the clocks stand in the panel, the running one standing out, and a flag ends the
    // game; Resign and Offer Draw end it too.
    void rulesClocksResignAndDraws() {
        START(session);
        const GameSession& game = session.Game();
        int64_t now = 0;
        session.Main->Session().SetClock([&now] { return now; });
        QCommandLineParser parser;
        AddGameOptions(parser);
        QVERIFY(parser.parse({"brisko-chess", "--rules", "standard", "--clock", "3+2"}));
        GameOptions options;
        QCOMPARE(ReadGameOptions(parser, options), QString());
        ApplyGameOptions(*session.Main, options);
        QVERIFY(session.Item("RulesStandard1")->isChecked() &&
                session.Item("Clock3_2")->isChecked());
        session.Main->Repaint();
        QCOMPARE(session.Text("StatusLabel3"), QString("Standard rules at New Game"));
        const auto* panel = session.Main->findChild<QWidget*>("ClockPanel");
        QVERIFY(!panel->isVisible());
        session.Click("NewButton");
        QVERIFY(panel->isVisible());
        QCOMPARE(std::make_pair(session.Text("WhiteClock"), session.Text("BlackClock")),
                 std::make_pair(QString("3:00"), QString("3:00")));
        QVERIFY(session.Main->findChild<QLabel*>("WhiteClock")->font().bold());
        now += 4000;
        session.Play("e2e4");
        QCOMPARE(session.Text("WhiteClock"), QString("2:58"));
        QVERIFY(session.Main->findChild<QLabel*>("BlackClock")->font().bold());
        // Black's flag falls on the clock's next tick.
        now += 180000;
        QTRY_COMPARE(session.Text("StatusLabel3"), QString("Black's time is up"));
        QCOMPARE(session.Text("StatusLabel2"), QString("White Wins!!"));
        QCOMPARE(session.Text("BlackClock"), QString("0.0"));

        // A custom time control, through its dialog; cancelled, the earlier one stays ticked.
        for (const bool accept : {true, false}) {
            SetModalHook([accept](QDialog& dialog) {
                auto* clock = qobject_cast<TClockDialog*>(&dialog);
                clock->Minutes->setValue(7);
                clock->Increment->setValue(5);
                accept ? dialog.accept() : dialog.reject();
            });
            session.Item("ClockCustom1")->trigger();
        }
        QVERIFY(session.Item("ClockCustom1")->isChecked());
        QCOMPARE(session.Item("ClockCustom1")->text(), QString("&Custom (7 + 5)..."));
        QCOMPARE(game.NextClock(), (TimeControl{420000, 5000}));
        session.Item("ClockNone")->trigger();
        session.Click("NewButton");
        QVERIFY(!panel->isVisible());

        // Resign asks first; between two humans a draw offer asks the other.
        QStringList asked;
        for (const bool yes : {false, true}) {
            SetQuestionHook([&asked, yes](const QString& text) { return asked.append(text), yes; });
            session.Item("OfferDraw1")->trigger();
        }
        QCOMPARE(session.Text("StatusLabel2"), QString("Draw agreed"));
        session.Click("NewButton");
        session.Play("e2e4");
        session.Item("Resign1")->trigger();
        QCOMPARE(asked, QStringList({"White offers a draw. Does Black accept?",
                                     "White offers a draw. Does Black accept?",
                                     "Do you resign this game for Black?"}));
        QCOMPARE(std::make_pair(session.Text("StatusLabel2"), session.Text("StatusLabel3")),
                 std::make_pair(QString("White Wins!!"), QString("Black resigns")));
        QVERIFY(!session.Item("Resign1")->isEnabled() && !session.Item("OfferDraw1")->isEnabled());
    }

    // A damaged settings file: every value out of its range is left out, and a window size of
    // a billion pixels is the first size again, on the screen.
    void settingsOutOfRangeAreIgnored() {
        QTemporaryDir kept;
        const QString file = kept.filePath("settings.ini");
        QSize first;
        {
            Session plain;
            QVERIFY(plain.Start({}, kept.filePath("unused.ini")));
            first = plain.Main->size();
        }
        {
            QSettings damaged(file, QSettings::IniFormat);
            QByteArray blob;
            QDataStream out(&blob, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_4_0);
            const QRect huge(-1000000000, 5, 1000000000, 1000000000);
            out << quint32(0x1D9D0CB) << quint16(3) << quint16(0) << huge << huge << qint32(0)
                << quint8(0) << quint8(0) << qint32(800) << huge;
            damaged.setValue("Window/Geometry", blob);
            damaged.setValue("Level", "banana");
            damaged.setValue("Sides/Player2Box", "banana");
            damaged.setValue("View/FlipBoard", "banana");
            damaged.setValue("View/Coordinates", "true");
            damaged.setValue("Files/Folder", kept.filePath("missing"));
        }
        Session session;
        QVERIFY(session.Start({}, file));
        const QRect screen = session.Main->screen()->availableGeometry();
        QCOMPARE(session.Main->size(), first);
        QVERIFY(screen.contains(session.Main->frameGeometry().topLeft()));
        QVERIFY(session.Box("Player2Box")->isChecked()); // as at a first start
        QVERIFY(!session.Item("FlipBoard1")->isChecked());
        QVERIFY(session.Item("Coordinates1")->isChecked());
        QCOMPARE(session.Text("DepthLabel"), QString("Depth = 2")); // Brisko, the first level
        QVERIFY(session.Main->findChild<QFileDialog*>("OpenDlg")->directory().exists());
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
