// The bench's fixed suite of positions and one run of the move choice on it, shared by the
// bench tool and the golden-score test.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/Boardu.h"
#include "opponent/Choosemove.h"

// A position of the suite: FEN text, then an optional pawn move played on it (X1 = -1 for none)
// to reach a pending promotion choice, which FEN cannot express.
struct SuitePosition {
    const char* Name;
    const char* Fen;
    Move PreMove;
};

const std::vector<SuitePosition>& BenchSuite();

// Sets up a suite position; PlyCount follows the FEN's move number. False with a reason on
// text that is not a position.
bool SetUpSuitePosition(const SuitePosition& position, Board& board, std::string& error);

struct BenchRun {
    ChoiceTrace Trace;
    Move Chosen;
    uint64_t SearchCalls = 0;
    double Seconds = 0.0;    // wall clock
    double CpuSeconds = 0.0; // the process's processor time: steadier on a shared machine
};

// Runs the move choice once at level 0..2: depth bar at the level's start (or at `depthBar`
// when it is 1 to 10), capture step from the level, no thinking-time lowering, a small fixed
// book, the first of the best moves.
BenchRun RunBench(const Board& position, int level, int depthBar = 0);

// Names a root move in coordinates ("e2e4"), or a promotion choice by its piece ("Queen").
std::string RootMoveName(const Move& move);

// One line of the golden file: level, position, then every root move and its final score in
// the order searched.
std::string GoldenLine(int level, const SuitePosition& position, const ChoiceTrace& trace);

// The golden file: its lines by level and position ("Mean initial"), and the signature, the
// Search calls of the whole suite at every level.
struct Golden {
    std::map<std::string, std::string> Lines;
    uint64_t Signature = 0;
};

// The key of a golden line.
std::string GoldenKey(int level, const SuitePosition& position);

// Reads a golden file; false when it cannot be read.
bool ReadGolden(const std::string& path, Golden& golden);

// The golden file's last line.
std::string SignatureLine(uint64_t searchCalls);
