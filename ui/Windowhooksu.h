// What the computer player reaches in the windows while it thinks: the event pump, the progress
// bar, the considered-moves memo, message boxes, the depth bar and the move timer.
#pragma once

#include <QStringList>
#include <chrono>
#include <cstdint>

#include "opponent/Opponentu.h"

class TMainForm;

class TWindowHooks : public OpponentHooks {
  public:
    explicit TWindowHooks(TMainForm& form);

    // Runs the window's pending events, at most once per PumpInterval: the search asks at
    // every node near its horizon, far more often than a user or a timer can notice. The clock
    // is read at every ClockStride-th call only: reading it costs more than a search node.
    void ProcessEvents() override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgressPosition(int position) override;
    void ClearConsidered() override;
    void AddConsideredLine(const std::string& line) override;
    void RepaintConsidered() override;
    void ShowMessage(const std::string& text) override;
    int DepthBarPosition() override;
    void SetMoveTimer(bool running) override;

    // Writes the considered moves gathered since the last write into the memo. The lines are
    // kept here and written at the end of each computer move, and while the window is shown
    // also after every root move and whenever the events run: rewriting the memo line by line
    // after every root move took a tenth or more of a quick move's time.
    void FlushConsidered();

    // Zero pumps at every call (the bench compares both).
    std::chrono::steady_clock::duration PumpInterval = std::chrono::milliseconds(5);
    // The progress bar and the shown memo follow the search at most this often: painting them
    // takes about a millisecond, and a fast search finishes a root move every few.
    std::chrono::steady_clock::duration DisplayInterval = std::chrono::milliseconds(100);
    static constexpr unsigned ClockStride = 256;
    // How many times the events were really run, for the bench.
    uint64_t Pumps = 0;
    // ... and the time they took.
    std::chrono::steady_clock::duration PumpTime{};

  private:
    // Gives the bar the range and position last asked for, if it has not got them yet.
    void ShowProgress();

    TMainForm& Form;
    std::chrono::steady_clock::time_point LastPump{};
    std::chrono::steady_clock::time_point LastDisplay{};
    int ProgressMinimum = 0, ProgressMaximum = 100, ProgressWanted = -1;
    unsigned Calls = 0;
    QStringList ConsideredLines;
    bool ConsideredChanged = false;
};
