// bench [--level N] [--position NAME] [--depth N] [--write-golden FILE] [--check-golden FILE]:
// runs the computer's move choice on a fixed suite at each level and prints its root scores,
// best moves, Search calls and times, then the signature: the Search calls of everything run.
// bench --strong ..., --strong-nps ..., --wac ...: the strong player's modes (StrongModes.h).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "tools/bench/StrongModes.h"
#include "tools/bench/Suite.h"

namespace {

struct LevelTotal {
    double Seconds = 0.0;
    double CpuSeconds = 0.0;
    uint64_t SearchCalls = 0;
};

int Usage() {
    std::fprintf(stderr, "usage: bench [--level 0|1|2] [--position NAME] [--depth 1..10]"
                         " [--write-golden FILE] [--check-golden FILE]\n"
                         "(the golden file holds the levels' own depths: not with --depth)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 &&
        (std::strcmp(argv[1], "--strong") == 0 || std::strcmp(argv[1], "--strong-nps") == 0 ||
         std::strcmp(argv[1], "--wac") == 0))
        return StrongMain(argc, argv);
    int onlyLevel = -1;
    int depthBar = 0;
    std::string onlyPosition;
    std::string writePath;
    std::string checkPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        const std::string value = argv[++i];
        if (arg == "--level" && value.size() == 1 && value[0] >= '0' && value[0] <= '2')
            onlyLevel = value[0] - '0';
        else if (arg == "--depth" &&
                 (value == "10" || (value.size() == 1 && value[0] >= '1' && value[0] <= '9')))
            depthBar = std::stoi(value);
        else if (arg == "--position")
            onlyPosition = value;
        else if (arg == "--write-golden")
            writePath = value;
        else if (arg == "--check-golden")
            checkPath = value;
        else
            return Usage();
    }
    if (depthBar != 0 && (!writePath.empty() || !checkPath.empty())) return Usage();

    Golden golden;
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
    uint64_t signature = 0;
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
            const BenchRun run = RunBench(board, level, depthBar);
            totals[level].Seconds += run.Seconds;
            totals[level].CpuSeconds += run.CpuSeconds;
            totals[level].SearchCalls += run.SearchCalls;
            signature += run.SearchCalls;

            std::printf("%s %s\n  scores:", Levels[level].Label, p.Name);
            for (size_t k = 0; k < run.Trace.Ordered.size(); ++k)
                std::printf(" %s %d", RootMoveName(run.Trace.Ordered[k]).c_str(),
                            run.Trace.Scores[k]);
            std::printf("\n  best %d:", run.Trace.Best);
            for (const Move& m : run.Trace.Ties) std::printf(" %s", RootMoveName(m).c_str());
            std::printf("\n  search calls %llu, %.3f s, cpu %.3f s\n",
                        static_cast<unsigned long long>(run.SearchCalls), run.Seconds,
                        run.CpuSeconds);

            const std::string line = GoldenLine(level, p, run.Trace);
            goldenText += line + "\n";
            if (!checkPath.empty()) {
                const auto it = golden.Lines.find(GoldenKey(level, p));
                if (it == golden.Lines.end() || it->second != line) {
                    std::printf("  GOLDEN MISMATCH\n    want: %s\n    got:  %s\n",
                                it == golden.Lines.end() ? "(none)" : it->second.c_str(),
                                line.c_str());
                    ++mismatches;
                }
            }
            std::fflush(stdout);
        }
    }

    for (int level = 0; level < LevelCount; ++level) {
        if (onlyLevel >= 0 && level != onlyLevel) continue;
        const LevelTotal& t = totals[level];
        std::printf("level %s: %.3f s, cpu %.3f s, %llu search calls, %.0f calls per cpu second\n",
                    Levels[level].Label, t.Seconds, t.CpuSeconds,
                    static_cast<unsigned long long>(t.SearchCalls),
                    t.CpuSeconds > 0 ? static_cast<double>(t.SearchCalls) / t.CpuSeconds : 0.0);
    }
    // Like the node count of a mature engine's bench: any change in the search shows here.
    std::printf("%s\n", SignatureLine(signature).c_str());
    const bool wholeSuite = onlyLevel < 0 && onlyPosition.empty();
    if (!writePath.empty()) {
        if (wholeSuite) goldenText += SignatureLine(signature) + "\n";
        std::ofstream out(writePath, std::ios::binary);
        out << goldenText;
        if (!out) {
            std::fprintf(stderr, "bench: cannot write %s\n", writePath.c_str());
            return 1;
        }
    }
    if (!checkPath.empty()) {
        if (wholeSuite && signature != golden.Signature) {
            std::printf("SIGNATURE MISMATCH: want %llu, got %llu\n",
                        static_cast<unsigned long long>(golden.Signature),
                        static_cast<unsigned long long>(signature));
            ++mismatches;
        }
        std::printf("golden: %s\n", mismatches == 0 ? "all scores match" : "MISMATCHES");
        return mismatches == 0 ? 0 : 1;
    }
    return 0;
}
