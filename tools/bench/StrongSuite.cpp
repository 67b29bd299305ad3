#include "tools/bench/StrongSuite.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>

#include "notation/San.h"
#include "strongplayer/StrongPlayer.h"

StrongBenchRun RunStrongBench(const Board& position, int depth, uint64_t nodes) {
    strong::StrongPlayer player(16);
    strong::ThinkLimits limits;
    limits.Depth = depth;
    limits.Nodes = nodes;
    StrongBenchRun run;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const strong::ThinkResult r = player.Think(position, std::vector<uint64_t>{}, limits, {});
    run.CpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.Nodes = r.Nodes;
    run.Depth = r.Depth;
    run.ScoreCp = r.ScoreCp;
    run.MateIn = r.MateIn;
    if (r.Move.Squares.X1 == PromotionChoice)
        run.Move = std::string(1, "  rnbkq"[r.Move.Promotion]);
    else if (r.Move.Squares.X1 != NoMove)
        run.Move = LongText(r.Move);
    return run;
}

bool ReadStrongSignature(const std::string& path, uint64_t& signature) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        signature = std::strtoull(line.c_str(), nullptr, 10);
        return true;
    }
    return false;
}

bool ReadEpd(const std::string& path, std::vector<EpdPosition>& positions) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        const size_t bm = line.find(" bm ");
        if (bm == std::string::npos) continue;
        EpdPosition p;
        p.Fen = line.substr(0, bm);
        const size_t end = line.find(';', bm);
        std::istringstream moves(
            line.substr(bm + 4, end == std::string::npos ? std::string::npos : end - bm - 4));
        for (std::string move; moves >> move;) p.BestMoves.push_back(move);
        const size_t id = line.find("id \"");
        if (id != std::string::npos) p.Id = line.substr(id + 4, line.find('"', id + 4) - id - 4);
        positions.push_back(p);
    }
    return true;
}
