// Shared helpers of the computer player's tests: positions from FEN, a fresh opponent, and
// hooks that record what the window would be shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Fen.h"
#include "Opponentu.h"

inline Board FromFen(const std::string& fen, int plyCount = 10) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ReadFen(fen, board, error)) << fen << ": " << error;
    board.PlyCount = plyCount;
    return board;
}

inline std::unique_ptr<Opponent> MakeOpponent(float captureStep = 1.0f) {
    auto opponent = std::make_unique<Opponent>();
    opponent->CaptureStep = captureStep;
    opponent->CaptureStepStart = captureStep;
    return opponent;
}

// Records the considered-moves text and progress, answers a fixed depth and random draw.
class RecordingHooks : public OpponentHooks {
  public:
    int depthBar = 2;
    int random = 0;
    int seeds = 0;
    int draws = 0;
    int lastProgress = -1;
    int progressMax = -1;
    std::vector<std::string> lines;
    std::vector<std::string> messages;

    int DepthBarPosition() override { return depthBar; }
    void SeedRandom() override { ++seeds; }
    int Random() override {
        ++draws;
        return random;
    }
    void SetProgressRange(int, int maximum) override { progressMax = maximum; }
    void SetProgressPosition(int position) override { lastProgress = position; }
    void ClearConsidered() override { lines.clear(); }
    void AddConsideredLine(const std::string& line) override { lines.push_back(line); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};
