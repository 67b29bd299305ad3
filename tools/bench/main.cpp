// bench [--level N] [--position NAME] [--write-golden FILE] [--check-golden FILE]:
// runs the computer's move choice on a fixed suite at each level and prints its root scores,
// best moves, Search calls and times.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "tools/bench/Suite.h"

namespace {

struct LevelTotal {
    double Seconds = 0.0;
    uint64_t SearchCalls = 0;
};

int Usage() {
    std::fprintf(stderr, "usage: bench [--level 0|1|2] [--position NAME] [--write-golden FILE]"
                         " [--check-golden FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int onlyLevel = -1;
    std::string onlyPosition;
    std::string writePath;
    std::string checkPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        const std::string value = argv[++i];
        if (arg == "--level" && value.size() == 1 && value[0] >= '0' && value[0] <= '2')
            onlyLevel = value[0] - '0';
        else if (arg == "--position")
            onlyPosition = value;
        else if (arg == "--write-golden")
            writePath = value;
        else if (arg == "--check-golden")
            checkPath = value;
        else
            return Usage();
    }

    std::map<std::string, std::string> golden;
    if (!checkPath.empty() && !ReadGolden(checkPath, golden)) {
        std::fprintf(stderr, "bench: cannot read %s\n", checkPath.c_str());
        return 2;
    }
    bool found = onlyPosition.empty();
    for (const SuitePosition& p : BenchSuite()) found = found || onlyPosition == p.Name;
    if (!found) {
        std::fprintf(stderr, "bench: no position named %s\n", onlyPosition.c_str());
        return 2;
    }

    std::string goldenText = "# level position root-move:final-score ... in search order\n";
    LevelTotal totals[LevelCount];
    int mismatches = 0;
    for (int level = 0; level < LevelCount; ++level) {
        if (onlyLevel >= 0 && level != onlyLevel) continue;
        for (const SuitePosition& p : BenchSuite()) {
            if (!onlyPosition.empty() && onlyPosition != p.Name) continue;
            Board board{};
            std::string error;
            if (!SetUpSuitePosition(p, board, error)) {
                std::fprintf(stderr, "bench: %s: %s\n", p.Name, error.c_str());
                return 1;
            }
            const BenchRun run = RunBench(board, level);
            totals[level].Seconds += run.Seconds;
            totals[level].SearchCalls += run.SearchCalls;

            std::printf("%s %s\n  scores:", Levels[level].Label, p.Name);
            for (size_t k = 0; k < run.Trace.Ordered.size(); ++k)
                std::printf(" %s %d", RootMoveName(run.Trace.Ordered[k]).c_str(),
                            run.Trace.Scores[k]);
            std::printf("\n  best %d:", run.Trace.Best);
            for (const Move& m : run.Trace.Ties) std::printf(" %s", RootMoveName(m).c_str());
            std::printf("\n  search calls %llu, %.3f s\n",
                        static_cast<unsigned long long>(run.SearchCalls), run.Seconds);

            const std::string line = GoldenLine(level, p, run.Trace);
            goldenText += line + "\n";
            if (!checkPath.empty()) {
                const auto it = golden.find(std::string(Levels[level].Label) + " " + p.Name);
                if (it == golden.end() || it->second != line) {
                    std::printf("  GOLDEN MISMATCH\n    want: %s\n    got:  %s\n",
                                it == golden.end() ? "(none)" : it->second.c_str(), line.c_str());
                    ++mismatches;
                }
            }
            std::fflush(stdout);
        }
    }

    for (int level = 0; level < LevelCount; ++level) {
        if (onlyLevel >= 0 && level != onlyLevel) continue;
        const LevelTotal& t = totals[level];
        std::printf("level %s: %.3f s, %llu search calls, %.0f nodes/s\n", Levels[level].Label,
                    t.Seconds, static_cast<unsigned long long>(t.SearchCalls),
                    t.Seconds > 0 ? static_cast<double>(t.SearchCalls) / t.Seconds : 0.0);
    }
    if (!writePath.empty()) {
        std::ofstream out(writePath, std::ios::binary);
        out << goldenText;
        if (!out) {
            std::fprintf(stderr, "bench: cannot write %s\n", writePath.c_str());
            return 1;
        }
    }
    if (!checkPath.empty()) {
        std::printf("golden: %s\n", mismatches == 0 ? "all scores match" : "MISMATCHES");
        return mismatches == 0 ? 0 : 1;
    }
    return 0;
}
