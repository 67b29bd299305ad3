// The strong player's bench: the suite's positions searched to a fixed depth from a cleared
// player, the nodes of each, and their sum, the signature that any change of the search's
// work shows; nodes per second from two positions; and a tactical test suite in EPD.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Boardu.h"

// The depth of the signature run: deep enough to exercise every part of the search, short
// enough for the test suite under the sanitizers.
inline constexpr int StrongBenchDepth = 11;

struct StrongBenchRun {
    std::string Move; // long algebraic; a promotion choice as the piece's letter
    int ScoreCp = 0;
    int MateIn = 0;
    int Depth = 0;
    uint64_t Nodes = 0;
    double Seconds = 0.0;
    double CpuSeconds = 0.0;
};

// Searches `position` to `depth` plies (or `nodes` nodes) with a new 16 MB player.
StrongBenchRun RunStrongBench(const Board& position, int depth, uint64_t nodes = 0);

// Reads the signature file: its first line that is not a comment holds the number.
bool ReadStrongSignature(const std::string& path, uint64_t& signature);

// One position of an EPD suite: FEN fields, the best moves in SAN, the id.
struct EpdPosition {
    std::string Fen;
    std::vector<std::string> BestMoves;
    std::string Id;
};

// Reads an EPD file ("FEN bm MOVE...; id "NAME";" a line). False when it cannot be read.
bool ReadEpd(const std::string& path, std::vector<EpdPosition>& positions);
