#include "tools/bench/StrongModes.h"

#include <cstdio>
#include <string>

#include "notation/Fen.h"
#include "notation/San.h"
#include "strongplayer/StrongPlayer.h"
#include "tools/bench/StrongSuite.h"
#include "tools/bench/Suite.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: bench --strong [--depth N] [--position NAME] [--check-signature FILE]\n"
                 "       bench --strong-nps [--nodes N]\n"
                 "       bench --wac FILE [--ms N] [--first N] [--count N]\n");
    return 2;
}

bool ReadInt(const std::string& text, long long& value, long long low, long long high) {
    try {
        size_t used = 0;
        value = std::stoll(text, &used);
        return used == text.size() && value >= low && value <= high;
    } catch (...) {
        return false;
    }
}

// Each suite position to a fixed depth: its move, score, nodes and times, then the signature.
int SuiteMode(int depth, const std::string& only, const std::string& checkPath) {
    uint64_t signature = 0;
    double seconds = 0, cpu = 0;
    for (const SuitePosition& p : BenchSuite()) {
        if (!only.empty() && only != p.Name) continue;
        Board board{};
        std::string error;
        if (!SetUpSuitePosition(p, board, error)) {
            std::fprintf(stderr, "bench: %s: %s\n", p.Name, error.c_str());
            return 1;
        }
        const StrongBenchRun run = RunStrongBench(board, depth);
        signature += run.Nodes;
        seconds += run.Seconds;
        cpu += run.CpuSeconds;
        std::printf("%-24s %-6s %s %-6d nodes %9llu  %.3f s, cpu %.3f s\n", p.Name,
                    run.Move.c_str(), run.MateIn ? "mate" : "cp  ",
                    run.MateIn ? run.MateIn : run.ScoreCp,
                    static_cast<unsigned long long>(run.Nodes), run.Seconds, run.CpuSeconds);
        std::fflush(stdout);
    }
    std::printf("depth %d: %.3f s, cpu %.3f s, %.0f nodes per cpu second\n", depth, seconds, cpu,
                cpu > 0 ? static_cast<double>(signature) / cpu : 0.0);
    std::printf("strong signature %llu\n", static_cast<unsigned long long>(signature));
    if (checkPath.empty()) return 0;
    uint64_t golden = 0;
    if (!ReadStrongSignature(checkPath, golden)) {
        std::fprintf(stderr, "bench: cannot read %s\n", checkPath.c_str());
        return 2;
    }
    const bool same = golden == signature && only.empty() && depth == StrongBenchDepth;
    std::printf("signature: %s (recorded %llu)\n", same ? "matches" : "MISMATCH",
                static_cast<unsigned long long>(golden));
    return same ? 0 : 1;
}

// Nodes per second in the opening and a middlegame.
int NpsMode(uint64_t nodes) {
    const struct {
        const char* Name;
        const char* Fen;
    } positions[] = {
        {"opening", StartFen.data()},
        {"middlegame", "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 w - - 0 7"},
    };
    for (const auto& p : positions) {
        Board board{};
        std::string error;
        ReadFen(p.Fen, board, error);
        const StrongBenchRun run = RunStrongBench(board, 0, nodes);
        std::printf(
            "%-10s %llu nodes, depth %d, %.3f s, cpu %.3f s: %.0f nodes per second (cpu %.0f)\n",
            p.Name, static_cast<unsigned long long>(run.Nodes), run.Depth, run.Seconds,
            run.CpuSeconds, static_cast<double>(run.Nodes) / run.Seconds,
            static_cast<double>(run.Nodes) / run.CpuSeconds);
        std::fflush(stdout);
    }
    return 0;
}

// A tactical suite at a fixed time a position: solved when the answer is a best move.
int WacMode(const std::string& path, long long ms, long long first, long long count) {
    std::vector<EpdPosition> positions;
    if (!ReadEpd(path, positions) || positions.empty()) {
        std::fprintf(stderr, "bench: cannot read %s\n", path.c_str());
        return 2;
    }
    strong::StrongPlayer player(64);
    int solved = 0, tried = 0;
    for (size_t i = static_cast<size_t>(first); i < positions.size() && tried < count; ++i) {
        const EpdPosition& p = positions[i];
        Board board{};
        std::string error;
        if (!ReadFen(p.Fen, board, error)) {
            std::printf("%s: %s\n", p.Id.c_str(), error.c_str());
            continue;
        }
        ++tried;
        player.NewGame();
        strong::ThinkLimits limits;
        limits.HardMs = ms;
        const strong::ThinkResult r = player.Think(board, std::vector<uint64_t>{}, limits, {});
        const std::string answer = r.Move.Squares.X1 == NoMove ? "none" : SanText(board, r.Move);
        bool ok = false;
        for (const std::string& best : p.BestMoves) {
            ChessMove wanted{};
            ok = ok || (ReadSan(board, best, wanted) == MoveRead::Legal &&
                        wanted.Squares == r.Move.Squares && wanted.Promotion == r.Move.Promotion);
        }
        solved += ok;
        std::printf("%s %-7s %s (depth %d)%s\n", p.Id.c_str(), answer.c_str(),
                    ok ? "solved" : "missed", r.Depth,
                    ok ? "" : (" want " + p.BestMoves.front()).c_str());
        std::fflush(stdout);
    }
    std::printf("solved %d of %d at %lld ms a position\n", solved, tried, ms);
    return 0;
}

} // namespace

int StrongMain(int argc, char** argv) {
    const std::string mode = argv[1];
    long long depth = StrongBenchDepth, nodes = 3000000, ms = 1000, first = 0, count = 1000;
    std::string only, checkPath, path;
    int i = 2;
    if (mode == "--wac") {
        if (argc < 3) return Usage();
        path = argv[i++];
    }
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        const std::string value = argv[++i];
        bool ok = true;
        if (arg == "--depth")
            ok = ReadInt(value, depth, 1, 64);
        else if (arg == "--nodes")
            ok = ReadInt(value, nodes, 1, 1LL << 40);
        else if (arg == "--ms")
            ok = ReadInt(value, ms, 1, 1LL << 30);
        else if (arg == "--first")
            ok = ReadInt(value, first, 0, 1 << 20);
        else if (arg == "--count")
            ok = ReadInt(value, count, 1, 1 << 20);
        else if (arg == "--position")
            only = value;
        else if (arg == "--check-signature")
            checkPath = value;
        else
            ok = false;
        if (!ok) return Usage();
    }
    if (mode == "--strong") return SuiteMode(static_cast<int>(depth), only, checkPath);
    if (mode == "--strong-nps") return NpsMode(static_cast<uint64_t>(nodes));
    if (mode == "--wac") return WacMode(path, ms, first, count);
    return Usage();
}
