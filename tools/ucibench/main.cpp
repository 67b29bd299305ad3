// ucibench: drives brisko-uci through pipes as a GUI does. "stop" measures how long the engine
// takes from "stop" to "bestmove"; "match" plays it against itself under a clock and reports
// whether either side ever ran out of time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/Checkmateu.h"
#include "engine/Stalemateu.h"
#include "notation/Fen.h"
#include "notation/San.h"
#include "tools/common/Pipeprocess.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const BusyMiddlegame =
    "r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 b - - 3 8";
// First moves that send the games of a match different ways.
const char* const Openings[] = {"e2e4", "d2d4", "c2c4", "g1f3", "e2e3", "b2b3", "g2g3", "f2f4"};

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool Handshake(PipeProcess& engine, const std::string& depth, const std::string& level) {
    std::string line;
    engine.Send("uci");
    if (!engine.WaitFor("uciok", line, 5000)) return false;
    if (!level.empty()) engine.Send("setoption name Level value " + level);
    if (!depth.empty()) engine.Send("setoption name Depth value " + depth);
    engine.Send("isready");
    return engine.WaitFor("readyok", line, 5000);
}

int Stop(const std::string& program, int presses) {
    PipeProcess engine(program);
    if (!engine.Started() || !Handshake(engine, "10", "")) {
        std::fprintf(stderr, "ucibench: %s does not answer as a UCI engine\n", program.c_str());
        return 1;
    }
    std::vector<double> latencies;
    std::string line;
    for (int k = 0; k < presses; ++k) {
        engine.Send(std::string("position fen ") + BusyMiddlegame);
        engine.Send("go infinite");
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + 97 * k % 700));
        const Clock::time_point pressed = Clock::now();
        engine.Send("stop");
        if (!engine.WaitFor("bestmove", line, 5000)) {
            std::printf("press %d: no bestmove within 5 s\n", k + 1);
            return 1;
        }
        latencies.push_back(MsSince(pressed));
        std::printf("press %d: %.2f ms, %s\n", k + 1, latencies.back(), line.c_str());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("stop to bestmove over %d presses: median %.2f ms, worst %.2f ms\n", presses,
                latencies[latencies.size() / 2], latencies.back());
    return 0;
}

struct Side {
    double ClockMs;
    double LeastLeftMs;
    double LongestMs = 0;
};

// Plays one game; returns "1-0", "0-1", "1/2-1/2", or a loss with its reason.
std::string PlayGame(PipeProcess* engines[2], int game, double baseMs, double incMs, int maxPlies,
                     Side sides[2], int& plies) {
    Board board{};
    SetUpBoard(board);
    std::string moves;
    sides[0] = sides[1] = Side{baseMs, baseMs};
    for (PipeProcess* engine : {engines[0], engines[1]}) engine->Send("ucinewgame");
    for (plies = 0; plies < maxPlies; ++plies) {
        const int s = board.ToPlay == White ? 0 : 1;
        const char* side = s == 0 ? "White" : "Black";
        ChessMove move{};
        std::string text;
        if (plies == 0) {
            text = Openings[game % (sizeof Openings / sizeof Openings[0])];
        } else {
            PipeProcess& engine = *engines[s];
            engine.Send("position startpos moves" + moves);
            char go[160];
            std::snprintf(go, sizeof go, "go wtime %.0f btime %.0f winc %.0f binc %.0f",
                          sides[0].ClockMs, sides[1].ClockMs, incMs, incMs);
            const Clock::time_point asked = Clock::now();
            engine.Send(go);
            std::string line;
            const int patience = static_cast<int>(sides[s].ClockMs) + 5000;
            if (!engine.WaitFor("bestmove", line, patience)) return std::string(side) + " hung";
            const double took = MsSince(asked);
            sides[s].ClockMs -= took;
            sides[s].LongestMs = std::max(sides[s].LongestMs, took);
            sides[s].LeastLeftMs = std::min(sides[s].LeastLeftMs, sides[s].ClockMs);
            if (sides[s].ClockMs < 0) return std::string(side) + " lost on time";
            sides[s].ClockMs += incMs;
            text = line.substr(std::strlen("bestmove "));
            text = text.substr(0, text.find(' '));
        }
        if (ReadLong(board, text, move) != MoveRead::Legal ||
            CastlesAcrossAttack(board, move.Squares))
            return std::string(side) + " played the illegal move " + text;
        PlayChessMove(board, move);
        moves += " " + text;
        if (IsMate(board)) return board.ToPlay == White ? "0-1" : "1-0";
        if (IsStalemate(board)) return "1/2-1/2";
    }
    return "1/2-1/2 (move limit)";
}

int Match(const std::string& program, double baseMs, double incMs, int games,
          const std::string& depth, const std::string& level) {
    PipeProcess a(program), b(program);
    if (!a.Started() || !b.Started() || !Handshake(a, depth, level) ||
        !Handshake(b, depth, level)) {
        std::fprintf(stderr, "ucibench: %s does not answer as a UCI engine\n", program.c_str());
        return 1;
    }
    int timeLosses = 0, faults = 0;
    double leastLeft = baseMs;
    for (int g = 0; g < games; ++g) {
        // The two programs take turns at White.
        PipeProcess* engines[2] = {g % 2 == 0 ? &a : &b, g % 2 == 0 ? &b : &a};
        Side sides[2]{};
        int plies = 0;
        const Clock::time_point start = Clock::now();
        const std::string result = PlayGame(engines, g, baseMs, incMs, 600, sides, plies);
        timeLosses += result.find("on time") != std::string::npos;
        faults +=
            result.find("illegal") != std::string::npos || result.find("hung") != std::string::npos;
        leastLeft = std::min({leastLeft, sides[0].LeastLeftMs, sides[1].LeastLeftMs});
        std::printf("game %d: %s after %d plies in %.0f s; least clock left White %.0f ms, Black "
                    "%.0f ms; longest move White %.0f ms, Black %.0f ms\n",
                    g + 1, result.c_str(), plies, MsSince(start) / 1000, sides[0].LeastLeftMs,
                    sides[1].LeastLeftMs, sides[0].LongestMs, sides[1].LongestMs);
        std::fflush(stdout);
    }
    std::printf("%d games at %.0f ms + %.0f ms: %d lost on time, %d illegal or hung, least clock "
                "left %.0f ms\n",
                games, baseMs, incMs, timeLosses, faults, leastLeft);
    return timeLosses + faults > 0 ? 1 : 0;
}

int Usage() {
    std::fprintf(stderr, "usage: ucibench stop PROGRAM [PRESSES]\n"
                         "       ucibench match PROGRAM BASE_MS INC_MS [GAMES] [DEPTH] [LEVEL]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string mode = argv[1], program = argv[2];
    if (mode == "stop") return Stop(program, argc > 3 ? std::max(1, std::atoi(argv[3])) : 9);
    if (mode == "match" && argc >= 5)
        return Match(program, std::atof(argv[3]), std::atof(argv[4]),
                     argc > 5 ? std::max(1, std::atoi(argv[5])) : 2, argc > 6 ? argv[6] : "10",
                     argc > 7 ? argv[7] : "");
    return Usage();
}
