// window-bench [pump|stop|movenow|chooser] [--level 0|1|2]: figures for the computer player inside
// the real main window. Run it headless (QT_QPA_PLATFORM=offscreen).
//   pump: the move choice over the bench suite with the window's hooks, without running the
//         events, running them at every node, and running them at most every few milliseconds,
//         each against the plain hooks of the bench tool run just before it, in eleven pairs.
//   stop: how long the search takes to return once "Stop" is pressed during a "Mean" search
//         of a busy middlegame, over several presses; --depth sets the depth bar, so that the
//         search lasts long enough to press it.
//   movenow: the same for "Move Now", up to its move being on the board.
//   chooser FILE: the list of a file's games on screen, as Import PGN shows it, and a search.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "notation/Fen.h"
#include "notation/Pgn.h"
#include "opponent/Choosemove.h"
#include "tools/bench/Suite.h"
#include "ui/Dialogsu.h"
#include "ui/Formsu.h"
#include "ui/Gamechooseru.h"
#include "ui/Windowhooksu.h"

namespace {

using Clock = std::chrono::steady_clock;

// The bench tool's answers: the level's depth, no window.
class PlainHooks : public OpponentHooks {
  public:
    explicit PlainHooks(int depthBar) : DepthBar(depthBar) {}
    int DepthBarPosition() override { return DepthBar; }

  private:
    int DepthBar;
};

struct Figures {
    double Seconds = 0.0;    // wall clock
    double CpuSeconds = 0.0; // processor time, which other work on the machine leaves alone
    uint64_t SearchCalls = 0;
    uint64_t Pumps = 0;
    double PumpSeconds = 0.0; // spent running the events
};

Figures RunSuiteOnce(TMainForm& form, OpponentHooks& hooks, int level) {
    Figures figures;
    for (const SuitePosition& p : BenchSuite()) {
        Board board{};
        std::string error;
        if (!SetUpSuitePosition(p, board, error)) continue;
        // The level's depth and parameters, as a new game sets them, without the book.
        form.Session().NewGame(level);
        Opponent& opponent = form.Session().Opponent();
        ClearOpenings(opponent.Book);
        opponent.Stop = false;
        hooks.SearchCalls = 0;
        // The depth bar's and level's repaints belong to the set-up, not to the search.
        QApplication::processEvents();
        const auto start = Clock::now();
        const std::clock_t cpuStart = std::clock();
        ChooseMove(opponent, board, hooks);
        figures.CpuSeconds += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        figures.Seconds += std::chrono::duration<double>(Clock::now() - start).count();
        figures.SearchCalls += hooks.SearchCalls;
    }
    return figures;
}

// Runs the suite once; with the window's hooks, also counts their pumps and the time in them.
Figures RunWith(TMainForm& form, OpponentHooks& hooks, int level) {
    auto* window = dynamic_cast<TWindowHooks*>(&hooks);
    if (window) window->Pumps = 0, window->PumpTime = {};
    Figures figures = RunSuiteOnce(form, hooks, level);
    if (window) {
        figures.Pumps = window->Pumps;
        figures.PumpSeconds = std::chrono::duration<double>(window->PumpTime).count();
    }
    return figures;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each kind of hooks runs right after the plain hooks, eleven times over; its cost is the median
// of the pairs' processor times, so that other work on the shared machine cancels out.
void Pump(TMainForm& form, int onlyLevel) {
    constexpr int Pairs = 11;
    std::printf("%-7s %-20s %8s %8s %12s %7s %8s %8s\n", "level", "hooks", "seconds", "cpu s",
                "search calls", "pumps", "in pumps", "cpu cost");
    for (int level = 0; level < LevelCount; ++level) {
        if (onlyLevel >= 0 && level != onlyLevel) continue;
        PlainHooks plain(Levels[level].DepthBarPosition);
        struct Variant {
            const char* Name;
            Clock::duration Interval;
        };
        const Variant variants[] = {
            {"window, no pump", std::chrono::hours(1)},
            {"window, every node", Clock::duration::zero()},
            {"window, every 5 ms", TWindowHooks(form).PumpInterval},
        };
        std::vector<double> plainSeconds, plainCpu;
        uint64_t calls = 0;
        for (const Variant& v : variants) {
            std::vector<double> seconds, cpu, pumps, share, cost;
            for (int pair = 0; pair < Pairs; ++pair) {
                const Figures base = RunWith(form, plain, level);
                TWindowHooks hooks(form);
                hooks.PumpInterval = v.Interval;
                const Figures f = RunWith(form, hooks, level);
                plainSeconds.push_back(base.Seconds);
                plainCpu.push_back(base.CpuSeconds);
                calls = base.SearchCalls;
                seconds.push_back(f.Seconds);
                cpu.push_back(f.CpuSeconds);
                pumps.push_back(static_cast<double>(f.Pumps));
                // "in pumps": the share of the run's time spent running the events.
                share.push_back(100.0 * f.PumpSeconds / f.Seconds);
                cost.push_back(100.0 * (f.CpuSeconds - base.CpuSeconds) / base.CpuSeconds);
            }
            std::printf("%-7s %-20s %8.3f %8.3f %12llu %7.0f %7.1f%% %7.1f%%\n",
                        Levels[level].Label, v.Name, Median(seconds), Median(cpu),
                        static_cast<unsigned long long>(calls), Median(pumps), Median(share),
                        Median(cost));
            std::fflush(stdout);
        }
        std::printf("%-7s %-20s %8.3f %8.3f %12llu %7s %8s %8s\n", Levels[level].Label,
                    "plain (bench tool)", Median(plainSeconds), Median(plainCpu),
                    static_cast<unsigned long long>(calls), "-", "-", "-");
    }
}

// Presses `button` ("StopButton" or "MoveNowButton") `delayMs` into a computer move as Black
// at "Mean" (at depth bar `depthBar` when it is 1 to 10); returns the milliseconds from the
// press being due to the turn having returned (with the move played, for Move Now), or -1 when
// the move ended first. With no press (a negative delay), returns the whole move's time.
double PressOnce(TMainForm& form, int depthBar, int delayMs, const char* button) {
    form.findChild<QRadioButton*>("LevelItem2")->setChecked(true);
    form.NewButtonClick();
    if (depthBar >= DepthBarMin && depthBar <= DepthBarMax)
        form.findChild<QSlider*>("DepthBar")->setValue(depthBar);
    Board board{};
    std::string error;
    ReadFen("r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 b - - 3 8", board, error);
    const GameSession& game = form.Session();
    form.Session().StartFrom(board);
    form.findChild<QCheckBox*>("Player2Box")->setChecked(true);

    Clock::time_point due{};
    bool pressed = false;
    if (delayMs >= 0)
        QTimer::singleShot(delayMs, Qt::PreciseTimer, &form, [&] {
            if (!game.Thinking()) return;
            pressed = true;
            form.findChild<QPushButton*>(button)->click();
        });
    const int countBefore = game.History().Count;
    const auto start = Clock::now();
    due = start + std::chrono::milliseconds(delayMs);
    form.ComputerTimerTimer();
    const auto end = Clock::now();
    if (delayMs < 0) return std::chrono::duration<double, std::milli>(end - start).count();
    const bool stop = std::string(button) == "StopButton";
    if (!pressed || game.History().Count != countBefore + (stop ? 0 : 1)) return -1.0;
    return std::chrono::duration<double, std::milli>(end - due).count();
}

void Press(TMainForm& form, int depthBar, const char* button) {
    const double whole = PressOnce(form, depthBar, -1, button);
    std::printf("the whole move takes %.0f ms\n", whole);
    std::vector<double> figures;
    for (int tenth = 1; tenth < 10; ++tenth) {
        const int delay = static_cast<int>(whole * tenth / 10);
        const double ms = PressOnce(form, depthBar, delay, button);
        if (ms < 0) {
            std::printf("press after %4d ms: the move was played first\n", delay);
            continue;
        }
        std::printf("press after %4d ms: the turn returned %.1f ms after it\n", delay, ms);
        std::fflush(stdout);
        figures.push_back(ms);
    }
    if (figures.empty()) return;
    std::sort(figures.begin(), figures.end());
    std::printf("median %.1f ms, worst %.1f ms over %zu presses\n", figures[figures.size() / 2],
                figures.back(), figures.size());
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's peak resident memory so far, in megabytes.
double PeakMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// From Import PGN's choice of a file to the list of its games on screen, as the window does it,
// then a search typed into the list.
int Chooser(const std::string& path) {
    const double before = PeakMb();
    const Clock::time_point start = Clock::now();
    std::string text, message;
    if (!ReadPgnFile(path, text, message)) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    const double read = MsSince(start);
    const std::vector<PgnListing> games = ListPgnGames(text);
    const double listed = MsSince(start);
    TGameChooser chooser(nullptr, games);
    chooser.show();
    if (!QTest::qWaitForWindowExposed(&chooser)) return 1;
    QApplication::processEvents();
    const double shown = MsSince(start);
    const Clock::time_point typing = Clock::now();
    QTest::keyClicks(chooser.findChild<QLineEdit*>("GameFilter"), "Player 12");
    QApplication::processEvents();
    const double searched = MsSince(typing);
    std::printf("chooser %s: %zu games on screen in %.0f ms (file read %.0f ms, listed %.0f ms, "
                "table shown %.0f ms); typing \"Player 12\" leaves %s in %.0f ms; peak memory "
                "%.0f MB (%.0f MB before)\n",
                path.c_str(), games.size(), shown, read, listed - read, shown - listed,
                chooser.findChild<QLabel*>("GameCount")->text().toUtf8().constData(), searched,
                PeakMb(), before);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: window-bench pump [--level 0|1|2] | stop|movenow [--depth "
                         "1..10] | chooser FILE.pgn\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return Usage();
    const std::string mode = argv[1];
    if (mode == "chooser") return argc == 3 ? Chooser(argv[2]) : Usage();
    int level = -1;
    int depthBar = 0;
    if (argc == 4) {
        const std::string option = argv[2];
        const int value = std::atoi(argv[3]);
        if (mode == "pump" && option == "--level" && value >= 0 && value < LevelCount)
            level = value;
        else if ((mode == "stop" || mode == "movenow") && option == "--depth" &&
                 value >= DepthBarMin && value <= DepthBarMax)
            depthBar = value;
        else
            return Usage();
    } else if (argc != 2) {
        return Usage();
    }
    if (mode != "pump" && mode != "stop" && mode != "movenow") return Usage();

    const auto forms = CreateForms();
    TMainForm& form = *forms->MainForm;
    form.findChild<QCheckBox*>("Player2Box")->setChecked(false);
    // The presses, not the limit, end the moves; each game played is let go without a question.
    form.Session().SetThinkingLimit(0);
    SetSaveQuestionHook([](const QString&) { return SaveAnswer::Discard; });
    form.show();
    QApplication::processEvents();
    if (mode == "pump")
        Pump(form, level);
    else
        Press(form, depthBar, mode == "stop" ? "StopButton" : "MoveNowButton");
    return 0;
}
