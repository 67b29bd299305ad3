// brisko-uci driven through a pipe, as a GUI drives it: handshake, options, positions, each
// kind of "go", "stop" during an infinite search, and garbage.
#include <gtest/gtest.h>

#include <chrono>
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
          "option name Level type combo default Mean var Brisko var Clever var Mean\n",
          "option name Depth type spin default 3 min 1 max 10\n",
          "option name OwnBook type check default true\n", "option name BookFile type string"}},
        {{"setoption name Depth value 11", "setoption name Colour value red", "xyzzy",
          "setoption name BookFile value /no such/Openings.grd", "position startpos moves e2e5",
          "position fen 8/8/8 w", "position startpos e2e4", "isready"},
         "readyok",
         {"info string setoption ignored: Depth", "info string setoption ignored: no option",
          "info string unknown command 'xyzzy'",
          "info string position ignored: move 'e2e5' is not legal",
          "info string position ignored: the FEN is not a position: pieces:",
          "info string position ignored: 'e2e4' where 'moves' should be",
          "info string no opening book at '/no such/Openings.grd'"}},
        {{"setoption name Level value Brisko", "setoption name OwnBook value false",
          "position startpos moves e2e4 e7e5 g1f3", "go depth 2"},
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
        {{"position startpos moves e2e4", "go wtime 2000 btime 1500 winc 0 binc 100"},
         "bestmove",
         {"info depth "}}, // how deep depends on the machine's speed
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

} // namespace
