// The positions of the game, kept whole so the game can be stepped through, saved and loaded.
#pragma once

#include <cstddef>

#include "engine/Boardu.h"

inline constexpr int HistorySize = 1024;

// Snapshots[0] is the starting position. Count positions lead up to the one shown; Forward
// may go on up to Stored.
struct History {
    Board Snapshots[HistorySize];
    int32_t Count;
    int32_t Stored;

    bool operator==(const History&) const = default;

    // A history is megabytes, and reading game after game (a database, an import, a fuzzer)
    // would map and unmap them each time: the last one freed on a thread is kept for the next.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, std::size_t size) noexcept;
};

// Empties the history.
void ResetHistory(History& history);

// Appends a copy of the board after the shown position, dropping any positions Forward could
// still reach. Returns false, changing nothing, when the history is full.
bool PushHistory(History& history, const Board& board);

// Tests whether another position can still be recorded.
bool HistoryFull(const History& history);

// Steps back one position, skipping a position that waits for a promotion choice.
void StepBack(History& history, Board& board);

// Steps forward one position, skipping a position that waits for a promotion choice.
void StepForward(History& history, Board& board);
