// The computer player's record, its three difficulty levels, the rule by which the search
// depth follows thinking time, and the seams through which it reaches the window.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Boardu.h"
#include "openings/Openingu.h"

// One instance for the life of the program, owned by the game session. Value-initialise it
// (`Opponent{}`): everything but the book starts at zero.
struct Opponent {
    bool Stop;                // the current computer move is to end; read at every search node
    Board Root;               // working copy of the position the computer moves from
    OpeningBook Book;         // positions worth reaching
    float CaptureStep;        // depth a material-changing move costs near the horizon
    int32_t ElapsedMs;        // thinking time of the current move, counted by the move timer
    bool FirstSlowdownDone;   // the first depth reduction of this move has happened
    bool SecondSlowdownDone;  // the second one has
    int32_t FirstSlowdownMs;  // level: thinking time after which depth drops the first time
    int32_t SecondSlowdownMs; // level: ... and the second time
    int32_t QuickMoveMs;      // level: a move faster than this raises the depth
    float CaptureStepStart;   // level: CaptureStep at the start of every computer move
};

// The depth bar keeps its position inside this range; the search depth is position - 1.
inline constexpr int DepthBarMin = 1;
inline constexpr int DepthBarMax = 10;

// One difficulty level: what New Game sets.
struct Level {
    const char* Label;
    int32_t DepthBarPosition;
    int32_t FirstSlowdownMs;
    int32_t SecondSlowdownMs;
    int32_t QuickMoveMs;
    float CaptureStepStart;
};

// Items of the difficulty choice, in order.
inline constexpr int LevelCount = 3;
inline constexpr Level Levels[LevelCount] = {
    {"Brisko", 2, 10, 20, -1, 1.0f},
    {"Clever", 2, 500, 2000, 200, 0.25f},
    {"Mean", 3, 2000, 6000, 500, 0.1f},
};

// What the computer player needs from the window. Every member has a harmless default, so
// tests and tools override only what they watch; the game window overrides them all.
class OpponentHooks {
  public:
    virtual ~OpponentHooks() = default;

    // Lets pending window events run; called at every search node whose depth is below 2.0,
    // which is how "Stop" and the move timer are serviced while the computer thinks.
    virtual void ProcessEvents() {}

    // The progress bar of the main window.
    virtual void SetProgressRange(int /*minimum*/, int /*maximum*/) {}
    virtual void SetProgressPosition(int /*position*/) {}

    // The considered-moves text.
    virtual void ClearConsidered() {}
    virtual void AddConsideredLine(const std::string& /*line*/) {}
    virtual void RepaintConsidered() {}

    // A modal message box.
    virtual void ShowMessage(const std::string& /*text*/) {}

    // The depth bar's position, read once per move after the quick scan.
    virtual int DepthBarPosition() { return 3; }

    // Starts or stops the 100 ms move timer whose ticks call MoveTimerTick.
    virtual void SetMoveTimer(bool /*running*/) {}

    // Seeds the random draw for ties; the program seeds from the current time in seconds.
    virtual void SeedRandom();
    // Draws a pseudo-random integer from 0 to 32767.
    virtual int Random();

    // Counts Search calls, for the bench.
    uint64_t SearchCalls = 0;
};

// Returns the nearest position inside the depth bar's range.
int ClampDepthBar(int position);

// Applies item 0..2 of the difficulty choice (part of New Game): the depth bar position and
// the four level parameters. Any other item (nothing selected) changes nothing; returns
// whether the level was applied.
bool ApplyLevel(Opponent& opponent, int item, int& depthBar);

// Readies the record once the first new game of the run has applied its level.
void ReadyOpponent(Opponent& opponent);

// Tests whether the computer's move in a position of this ToPlay adapts the depth bar: only
// its moves as White (1, or 3 for White's promotion choice) do.
bool AdaptsDepth(int toPlay);

// Starts timing a computer move as White: clears the thinking time and the slow-down flags
// and starts the move timer.
void BeginThinking(Opponent& opponent, OpponentHooks& hooks);

// One 100 ms tick of the move timer: counts the time and lowers the depth bar past the level's
// thresholds, never below 2 through this rule.
void MoveTimerTick(Opponent& opponent, int& depthBar);

// Stops the move timer once the move chooser has returned.
void EndThinking(OpponentHooks& hooks);

// After a computer move as White that was played (not stopped): undoes the second slow-down
// and rewards a quick move, each by one step of the depth bar.
void RaiseAfterMove(const Opponent& opponent, int& depthBar);
