// perft DEPTH [FEN] [--divide] [--standard]: counts the leaves of the legal-move tree, under
// this game's own rules or, with --standard, under standard rules.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "notation/Fen.h"
#include "tools/common/Perft.h"

int main(int argc, char** argv) {
    int depth = -1;
    bool divide = false;
    Rules rules = Rules::Brisko;
    std::string fen(StartFen);
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--divide") == 0) {
            divide = true;
        } else if (std::strcmp(arg, "--standard") == 0) {
            rules = Rules::Standard;
        } else if (depth < 0) {
            const char* end = arg + std::strlen(arg);
            auto [ptr, ec] = std::from_chars(arg, end, depth);
            if (ec != std::errc() || ptr != end || depth < 0) depth = -2;
        } else {
            fen = arg;
        }
    }
    if (depth < 0) {
        std::fprintf(stderr, "usage: perft DEPTH [FEN] [--divide] [--standard]\n");
        return 2;
    }

    Board board{};
    std::string error;
    if (!ReadFen(fen, board, error)) {
        std::fprintf(stderr, "perft: %s\n", error.c_str());
        return 2;
    }
    uint64_t total;
    if (divide && depth > 0) {
        total = PerftDivide(
            board, depth,
            [](const Move& m, int piece, uint64_t count) {
                std::printf("%s: %llu\n", MoveText(m, piece).c_str(),
                            static_cast<unsigned long long>(count));
            },
            rules);
    } else {
        total = Perft(board, depth, rules);
    }
    std::printf("%llu\n", static_cast<unsigned long long>(total));
    return 0;
}
