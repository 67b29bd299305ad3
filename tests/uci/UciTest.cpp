// brisko-uci driven through a pipe, as a GUI drives it: handshake, options, positions, each
// kind of "go", "stop" during an infinite search, and garbage.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tools/common/Pipeprocess.h"

namespace {

// Sends `lines`, then reads up to the line that begins with `until`; returns every line read.
std::string Exchange(PipeProcess& engine, const std::vector<std::string>& lines,
                     const std::string& until) {
    for (const std::string& line : lines) engine.Send(line);
    std::string line, seen;
    EXPECT_TRUE(engine.WaitFor(until, line, 30000, &seen)) << "no " << until << " in:\n" << seen;
    return seen;
}

TEST(Uci, AnswersAGuiThroughAPipe) {
    PipeProcess engine(BRISKO_UCI_PROGRAM);
    ASSERT_TRUE(engine.Started());
    // What to send, the line that ends the answer, and what the answer holds.
    const std::tuple<std::vector<std::string>, const char*, std::vector<const char*>> steps[] = {
        {{"uci"},
         "uciok",
         {"id name Brisko Chess\n",
          "option name Level type combo default Fiendish var Brisko var Clever var Mean var Sly "
          "var Cunning var Fierce var Wicked var Fiendish\n",
          "option name Depth type spin default 0 min 0 max 10\n",
          "option name OwnBook type check default true\n", "option name BookFile type string",
          "option name Hash type spin default 16 min 1 max 1024\n",
          "option name UCI_LimitStrength type check default false\n",
          "option name UCI_Elo type spin default 1800 min 1350 max 2250\n"}},
        // The strongest level by default: every figure a GUI shows.
        {{"position startpos moves e2e4", "go depth 5"},
         "bestmove",
         {"info depth 1 seldepth ", "info depth 5 seldepth ", " hashfull ", " nodes ", " time ",
          " pv "}},
        {{"position fen 7k/8/6K1/8/8/8/8/R7 w - - 0 1", "go depth 3"},
         "bestmove a1a8",
         {"score mate 1 "}},
        {{"position fen 4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "go depth 3 searchmoves a7a8n"},
         "bestmove a7a8n",
         {}},
        {{"setoption name Hash value 0", "setoption name UCI_Elo value 3000",
          "setoption name UCI_LimitStrength value maybe", "setoption name Level value Hard",
          "isready"},
         "readyok",
         {"info string setoption ignored: Hash is a whole number of megabytes from 1 to 1024, "
          "not '0'",
          "info string setoption ignored: UCI_Elo is a whole number from 1350 to 2250, not '3000'",
          "info string setoption ignored: UCI_LimitStrength is true or false, not 'maybe'",
          "info string setoption ignored: Level is Brisko, Clever, Mean, Sly, Cunning, Fierce, "
          "Wicked or Fiendish, not 'Hard'"}},
        {{"setoption name Hash value 1", "setoption name UCI_LimitStrength value true",
          "setoption name UCI_Elo value 1350", "ucinewgame", "position startpos",
          "go wtime 1000 btime 1000"},
         "bestmove",
         {}},
        {{"setoption name Depth value 11", "setoption name Colour value red", "xyzzy",
          "setoption name BookFile value /no such/Openings.grd", "position startpos moves e2e5",
          "position fen 8/8/8 w", "position startpos e2e4", "isready"},
         "readyok",
         {"info string setoption ignored: Depth", "info string setoption ignored: no option",
          "info string unknown command 'xyzzy'",
          "info string position ignored: move 'e2e5' is not legal",
          "info string position ignored: the FEN is not a position: pieces:",
          "info string position ignored: 'e2e4' where 'moves' should be",
          "info string no opening book: '/no such/Openings.grd' cannot be opened"}},
        {{"setoption name UCI_LimitStrength value false", "setoption name Level value Brisko",
          "setoption name OwnBook value false", "position startpos moves e2e4 e7e5 g1f3",
          "go depth 2"},
         "bestmove",
         {"info depth 1 score cp ", "info depth 2 score cp "}},
        {{"position fen 7k/8/6K1/8/8/8/8/R7 w - - 0 1", "go depth 2"},
         "bestmove a1a8",
         {"score mate 1 nodes "}},
        {{"position fen 4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "go movetime 300"}, "bestmove a7a8", {}},
        // Castling across the attacked f1 is this game's own; a GUI never gets it.
        {{"position fen r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1",
          "go depth 1 searchmoves e1g1 e1c1"},
         "bestmove e1c1",
         {}},
        // How deep, if at all, depends on the machine's speed: a move comes in any case.
        {{"position startpos moves e2e4", "go wtime 2000 btime 1500 winc 0 binc 100"},
         "bestmove",
         {}},
        {{"position fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", "go depth 3"},
         "bestmove 0000",
         {"info string no legal move"}},
    };
    for (const auto& [send, until, expected] : steps) {
        const std::string seen = Exchange(engine, send, until);
        for (const char* text : expected)
            EXPECT_NE(seen.find(text), std::string::npos) << text << " not in:\n" << seen;
    }
    // An infinite search answers only when told to stop, and then at once.
    engine.Send("position startpos");
    engine.Send("go infinite");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    engine.Send("isready");
    std::string line;
    EXPECT_TRUE(engine.WaitFor("readyok", line, 5000));
    Exchange(engine, {"stop"}, "bestmove");
    // Every go had its one bestmove: nothing is left to come.
    EXPECT_EQ(Exchange(engine, {"stop", "isready"}, "readyok"), "readyok\n");
    engine.Send("quit");
    EXPECT_EQ(engine.Finish(5000), 0);
}

// A temporary folder with a FIFO, a big file and a folder in it, for the book option.
class Scratch {
  public:
    Scratch() {
        char name[] = "/tmp/uci-test-XXXXXX";
        folder = mkdtemp(name) ? name : "/tmp";
        mkfifo(Path("book.fifo").c_str(), 0600);
        std::ofstream(Path("big.grd")) << std::string(2 << 20, 'x');
    }
    ~Scratch() { std::filesystem::remove_all(folder); }
    std::string Path(const std::string& leaf) const { return folder + "/" + leaf; }

  private:
    std::string folder;
};

bool HasControlBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) < ' ' && c != '\n') || c == '\x7f';
    });
}

// Lines a GUI or a hostile hand may send: each is answered, and none hangs the engine, echoes
// a control byte or lets the order of the options decide the play.
TEST(Uci, HostileLinesAreAnsweredAndNeverHang) {
    const Scratch scratch;
    PipeProcess engine(BRISKO_UCI_PROGRAM);
    ASSERT_TRUE(engine.Started());
    const std::string garbage = std::string("go\0\x1b[2J\x1b]0;title\x07", 15);
    struct Row {
        std::vector<std::string> Send;
        const char* Until;
        std::vector<const char*> Holds;
        std::vector<const char*> Lacks;
    };
    const Row rows[] = {
        {{"uci"},
         "uciok",
         {"option name Depth type spin default 0 min 0 max 10\n",
          "option name Move Overhead type spin default 50 min 0 max 5000\n"},
         {}},
        // A book that cannot be read is named, and the engine plays on without one.
        {{"setoption name BookFile value " + scratch.Path("book.fifo"), "isready"},
         "readyok",
         {"info string no opening book: '/tmp/uci-test-", "book.fifo' is not a regular file"},
         {}},
        {{"setoption name BookFile value /dev/zero", "isready",
          "setoption name BookFile value " + scratch.Path(""), "isready",
          "setoption name BookFile value " + scratch.Path("big.grd"), "isready"},
         "readyok\nreadyok\nreadyok",
         {"'/dev/zero' is not a regular file", "' is not a regular file",
          "big.grd' is larger than 1 MB"},
         {}},
        {{garbage, "setoption name \x1b[31mred value \x07", "isready"},
         "readyok",
         {"info string unknown command 'go?", "no option is called '?[31mred'"},
         {}},
        // The clock's numbers are clamped, however large.
        {{"position startpos", "go wtime 1000 winc 9223372036854775807 btime 99999999999999999999"},
         "bestmove",
         {},
         {"ignored"}},
        {{"setoption name Move Overhead value 5001", "setoption name Move Overhead value 100",
          "isready"},
         "readyok",
         {"setoption ignored: Move Overhead is a whole number from 0 to 5000, not '5001'"},
         {"not '100'"}},
        // Stopped after the quick scan and before the first depth: the scan's best, not its last.
        {{"setoption name Level value Mean", "setoption name Depth value 0",
          "position fen k7/8/8/3q4/8/8/8/K2R4 w - - 0 1", "go nodes 3000"},
         "bestmove",
         {"bestmove d1d5"},
         {"info depth"}},
        // The depth chosen holds whatever order the options come in.
        {{"setoption name Depth value 4", "setoption name Level value Brisko",
          "setoption name OwnBook value false", "position startpos", "go"},
         "bestmove",
         {"info depth 3 "},
         {}},
        // A search stopped before its first depth answers a legal move, and no made-up line.
        {{"setoption name Depth value 0", "position startpos moves e2e4", "go nodes 1"},
         "bestmove",
         {},
         {"info depth 0", "info depth 1"}},
        // Cut short at once, it answers the move that wins the most, a promotion included.
        {{"position fen 4k3/7P/8/8/8/8/8/K7 w - - 0 1", "go nodes 1"},
         "bestmove",
         {"bestmove h7h8q"},
         {"info depth"}},
    };
    for (const Row& row : rows) {
        std::string seen;
        for (const std::string& line : row.Send) engine.Send(line);
        std::string line;
        for (const char* until = row.Until; *until;) {
            const char* end = std::strchr(until, '\n');
            const std::string want(until, end ? end : until + std::strlen(until));
            EXPECT_TRUE(engine.WaitFor(want, line, 10000, &seen)) << "no " << want << " in:\n"
                                                                  << seen;
            until = end ? end + 1 : until + std::strlen(until);
        }
        for (const char* text : row.Holds)
            EXPECT_NE(seen.find(text), std::string::npos) << text << " not in:\n" << seen;
        for (const char* text : row.Lacks)
            EXPECT_EQ(seen.find(text), std::string::npos) << text << " in:\n" << seen;
        EXPECT_FALSE(HasControlBytes(seen)) << seen;
    }
    // The line the engine expects, as deep as it searched, and no rate made up from no time.
    const std::string seen = Exchange(engine, {"position startpos", "go depth 3"}, "bestmove");
    std::istringstream lines(seen);
    size_t longest = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("info depth", 0) != 0) continue;
        const bool noTime = line.find(" time 0 ") != std::string::npos;
        EXPECT_FALSE(noTime && line.find(" nps ") != std::string::npos) << line;
        std::istringstream pv(line.substr(line.find(" pv ") + 4));
        longest = std::max<size_t>(longest, std::distance(std::istream_iterator<std::string>(pv),
                                                          std::istream_iterator<std::string>()));
    }
    EXPECT_GE(longest, 3u) << seen;
    engine.Send("quit");
    EXPECT_EQ(engine.Finish(5000), 0);
}

} // namespace
