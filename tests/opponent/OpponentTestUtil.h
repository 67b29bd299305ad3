// Shared helpers of the computer player's tests: positions from FEN, a fresh opponent, and
// hooks that record what the window would be shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "notation/Fen.h"
#include "opponent/Opponentu.h"

inline const char* const PawnOnB7 = "7k/1P6/8/8/8/8/8/K7 w - - 0 1";

inline Board FromFen(const std::string& fen, int plyCount = 10) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ParseFen(fen, board, error)) << fen << ": " << error;
    board.PlyCount = plyCount;
    return board;
}

inline std::unique_ptr<Opponent> MakeOpponent(float captureStep = 1.0f) {
    auto opponent = std::make_unique<Opponent>();
    opponent->CaptureStep = opponent->CaptureStepStart = captureStep;
    return opponent;
}

inline bool Same(const Move& a, const Move& b) {
    return SameMove(a, b.X1, b.Y1, b.X2, b.Y2);
}

// Records what the window is told, and answers a fixed depth and random draw.
struct RecordingHooks : OpponentHooks {
    int depthBar = 2, random = 0, seeds = 0, draws = 0, lastProgress = -1, progressMax = -1;
    std::vector<std::string> lines, messages;
    std::vector<bool> timer;

    int DepthBarPosition() override { return depthBar; }
    void SeedRandom() override { ++seeds; }
    int Random() override { return ++draws, random; }
    void SetProgressRange(int, int maximum) override { progressMax = maximum; }
    void SetProgressPosition(int position) override { lastProgress = position; }
    void ClearConsidered() override { lines.clear(); }
    void AddConsideredLine(const std::string& line) override { lines.push_back(line); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void SetMoveTimer(bool running) override { timer.push_back(running); }
};
