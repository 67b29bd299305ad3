#include "engine/Historyu.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define BRISKO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRISKO_ASAN 1
#endif
#endif
#ifdef BRISKO_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

// The spare history of a thread. Plain thread-local data, so that it still works for a history
// freed after the thread's objects are gone (then nothing more is kept).
thread_local void* spare = nullptr;
thread_local bool ended = false;

// A kept history may not be touched until it is handed out again.
void Poison(void* memory, bool poisoned) {
#ifdef BRISKO_ASAN
    if (poisoned)
        ASAN_POISON_MEMORY_REGION(memory, sizeof(History));
    else
        ASAN_UNPOISON_MEMORY_REGION(memory, sizeof(History));
#else
    (void)memory;
    (void)poisoned;
#endif
}

// Frees the spare when the thread ends.
struct Reaper {
    ~Reaper() {
        ended = true;
        if (!spare) return;
        Poison(spare, false);
        ::operator delete(spare);
        spare = nullptr;
    }
};
thread_local Reaper reaper;

} // namespace

void* History::operator new(std::size_t size) {
    if (size == sizeof(History) && spare) {
        void* memory = spare;
        spare = nullptr;
        Poison(memory, false);
        return memory;
    }
    return ::operator new(size);
}

void History::operator delete(void* memory, std::size_t size) noexcept {
    if (memory && size == sizeof(History) && !spare && !ended) {
        static_cast<void>(&reaper); // constructs it, so that it frees the spare at the end
        Poison(memory, true);
        spare = memory;
        return;
    }
    ::operator delete(memory);
}

void ResetHistory(History& history) {
    history.Count = 0;
    history.Stored = 0;
}

bool HistoryFull(const History& history) {
    return history.Count >= HistorySize;
}

bool PushHistory(History& history, const Board& board) {
    if (history.Count < 0 || HistoryFull(history)) return false;
    history.Snapshots[history.Count] = board;
    history.Count += 1;
    history.Stored = history.Count;
    return true;
}

void StepBack(History& history, Board& board) {
    if (history.Count <= 1) return;
    history.Count -= 1;
    board = history.Snapshots[history.Count - 1];
    // Never land between a pawn's move and its promotion choice.
    if (board.ToPlay > Black && history.Count > 1) {
        history.Count -= 1;
        board = history.Snapshots[history.Count - 1];
    }
}

void StepForward(History& history, Board& board) {
    if (history.Count >= history.Stored) return;
    board = history.Snapshots[history.Count];
    history.Count += 1;
    if (board.ToPlay > Black && history.Count < history.Stored) {
        history.Count += 1;
        board = history.Snapshots[history.Count - 1];
    }
}
