#include "opponent/Opponentu.h"

#include <cstdlib>
#include <ctime>

void OpponentHooks::SeedRandom() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

int OpponentHooks::Random() {
    return std::rand() % 32768;
}

int ClampDepthBar(int position) {
    return position < DepthBarMin ? DepthBarMin : position > DepthBarMax ? DepthBarMax : position;
}

bool ApplyLevel(Opponent& opponent, int item, int& depthBar) {
    if (item < 0 || item >= LevelCount) return false;
    const Level& level = Levels[item];
    depthBar = ClampDepthBar(level.DepthBarPosition);
    opponent.FirstSlowdownMs = level.FirstSlowdownMs;
    opponent.SecondSlowdownMs = level.SecondSlowdownMs;
    opponent.QuickMoveMs = level.QuickMoveMs;
    opponent.CaptureStepStart = level.CaptureStepStart;
    return true;
}

void ReadyOpponent(Opponent& opponent) {
    opponent.CaptureStep = 1.0f;
    opponent.Stop = false;
}

bool AdaptsDepth(int toPlay) {
    return toPlay == White || toPlay == WhiteChooses;
}

void BeginThinking(Opponent& opponent, OpponentHooks& hooks) {
    opponent.ElapsedMs = 0;
    opponent.FirstSlowdownDone = false;
    opponent.SecondSlowdownDone = false;
    hooks.SetMoveTimer(true);
}

void MoveTimerTick(Opponent& opponent, int& depthBar) {
    opponent.ElapsedMs += 100;
    if (opponent.ElapsedMs > opponent.FirstSlowdownMs && depthBar > 2 &&
        !opponent.FirstSlowdownDone) {
        depthBar = ClampDepthBar(depthBar - 1);
        opponent.FirstSlowdownDone = true;
    }
    // Reads the position the first step may just have lowered.
    if (opponent.ElapsedMs > opponent.SecondSlowdownMs && depthBar > 2 &&
        !opponent.SecondSlowdownDone) {
        depthBar = ClampDepthBar(depthBar - 1);
        opponent.SecondSlowdownDone = true;
    }
}

void EndThinking(OpponentHooks& hooks) {
    hooks.SetMoveTimer(false);
}

void RaiseAfterMove(const Opponent& opponent, int& depthBar) {
    if (opponent.Stop) return;
    if (opponent.SecondSlowdownDone) depthBar = ClampDepthBar(depthBar + 1);
    if (opponent.QuickMoveMs > opponent.ElapsedMs && opponent.QuickMoveMs > 0)
        depthBar = ClampDepthBar(depthBar + 1);
}
