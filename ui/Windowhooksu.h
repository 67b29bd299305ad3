// What the computer player reaches in the windows while it thinks: the event pump, the progress
// bar, the considered-moves memo, message boxes, the depth bar and the move timer.
#pragma once

#include <chrono>
#include <cstdint>

#include "Opponentu.h"

class TMainForm;

class TWindowHooks : public OpponentHooks {
  public:
    explicit TWindowHooks(TMainForm& form);

    // Runs the window's pending events, at most once per PumpInterval: the search asks at
    // every node near its horizon, far more often than a user or a timer can notice.
    void ProcessEvents() override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgressPosition(int position) override;
    void ClearConsidered() override;
    void AddConsideredLine(const std::string& line) override;
    void RepaintConsidered() override;
    void ShowMessage(const std::string& text) override;
    int DepthBarPosition() override;
    void SetMoveTimer(bool running) override;

    // Zero pumps at every call (the bench compares both).
    std::chrono::steady_clock::duration PumpInterval = std::chrono::milliseconds(5);
    // How many times the events were really run, for the bench.
    uint64_t Pumps = 0;

  private:
    TMainForm& Form;
    std::chrono::steady_clock::time_point LastPump{};
};
