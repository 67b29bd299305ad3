// ucibench: drives UCI engines through pipes as a GUI does. "stop" measures how long brisko-uci
// takes from "stop" to "bestmove"; "match" plays it against itself or any other UCI engine
// under a clock (see Match.h).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "notation/Fen.h"
#include "tools/common/Pipeprocess.h"
#include "tools/ucibench/Match.h"

namespace {

int Usage();

using Clock = std::chrono::steady_clock;

const char* const BusyMiddlegame =
    "r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 b - - 3 8";

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

// One opening a line, in coordinates ("e2e4 e7e5"); blank lines and lines from '#' are skipped.
bool ReadOpenings(const std::string& path, std::vector<std::vector<std::string>>& openings) {
    std::ifstream file(path);
    std::string line;
    while (file && std::getline(file, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::vector<std::string> moves;
        for (std::string word; words >> word;) moves.push_back(word);
        if (!moves.empty()) openings.push_back(moves);
    }
    return !openings.empty();
}

// Reads the match's arguments: BASE_MS INC_MS [GAMES] [DEPTH] [LEVEL], then flags.
int Match(const std::string& program, int argc, char** argv) {
    MatchSetup setup;
    setup.Engines[0].Program = setup.Engines[1].Program = program;
    std::vector<std::string> plain;
    for (int i = 3; i < argc; ++i) {
        const std::string word = argv[i];
        const bool more = i + 1 < argc;
        if (word.rfind("--", 0) != 0) {
            plain.push_back(word);
        } else if ((word == "--option1" || word == "--option2") && more) {
            const std::string option = argv[++i];
            const size_t equals = option.find('=');
            if (equals == std::string::npos) return Usage();
            setup.Engines[word.back() - '1'].Options.emplace_back(option.substr(0, equals),
                                                                  option.substr(equals + 1));
        } else if (word == "--engine2" && more) {
            setup.Engines[1].Program = argv[++i];
        } else if (word == "--pgn" && more) {
            setup.PgnFile = argv[++i];
        } else if (word == "--openings" && more) {
            if (!ReadOpenings(argv[++i], setup.Openings)) {
                std::fprintf(stderr, "ucibench: no openings could be read from %s\n", argv[i]);
                return 1;
            }
        } else if (word == "--max-plies" && more) {
            setup.MaxPlies = std::max(1, std::atoi(argv[++i]));
        } else {
            return Usage();
        }
    }
    if (plain.size() < 2 || plain.size() > 5) return Usage();
    setup.BaseMs = std::atof(plain[0].c_str());
    setup.IncMs = std::atof(plain[1].c_str());
    setup.Games = plain.size() > 2 ? std::max(1, std::atoi(plain[2].c_str())) : 2;
    // brisko-uci searches as deep as the clock allows only with Depth 10.
    for (EngineSetup& engine : setup.Engines) {
        engine.IfListed.emplace_back("Depth", plain.size() > 3 ? plain[3] : "10");
        if (plain.size() > 4) engine.IfListed.emplace_back("Level", plain[4]);
    }
    return PlayMatch(setup);
}

int Usage() {
    std::fprintf(stderr, "usage: ucibench stop PROGRAM [PRESSES]\n"
                         "       ucibench match PROGRAM BASE_MS INC_MS [GAMES] [DEPTH] [LEVEL]\n"
                         "                [--engine2 PROGRAM] [--option1 NAME=VALUE]... "
                         "[--option2 NAME=VALUE]...\n"
                         "                [--pgn FILE] [--max-plies N] [--openings FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string mode = argv[1], program = argv[2];
    if (mode == "stop") return Stop(program, argc > 3 ? std::max(1, std::atoi(argv[3])) : 9);
    if (mode == "match") return Match(program, argc, argv);
    return Usage();
}
