// The transposition table: what earlier searches found about positions, by Zobrist key, in
// buckets of four entries (one cache line), replaced by depth and age.
#pragma once

#include <cstddef>
#include <cstdint>

#include "strongplayer/Position.h"

namespace strong {

enum Bound : uint8_t { NoBound = 0, UpperBound = 1, LowerBound = 2, ExactBound = 3 };

struct TableEntry {
    uint64_t Key;
    Move16 Move;
    int16_t Score;
    int16_t Eval;
    uint8_t Depth;
    uint8_t AgeBound; // age in the upper six bits, Bound in the lower two
    Bound BoundOf() const { return static_cast<Bound>(AgeBound & 3); }
};

class TranspositionTable {
  public:
    explicit TranspositionTable(size_t megabytes = 16) { Resize(megabytes); }
    ~TranspositionTable();
    TranspositionTable(const TranspositionTable&) = delete;
    TranspositionTable& operator=(const TranspositionTable&) = delete;

    // Sets the size (at least 1 MB; rounded down to a power of two buckets) and clears it.
    void Resize(size_t megabytes);
    void Clear();
    // A new search: older entries are replaced first.
    void NewSearch() { age = static_cast<uint8_t>((age + 4) & 0xFC); }

    // Starts loading the bucket of `key`, which a search will probe soon.
    void Prefetch(uint64_t key) const { __builtin_prefetch(&BucketOf(key)); }
    // The entry of `key`, or nullptr.
    const TableEntry* Probe(uint64_t key) const;
    void Store(uint64_t key, Move16 move, int score, int eval, int depth, Bound bound);

    // Permille of a sample of entries written by the current search.
    int Hashfull() const;
    size_t Megabytes() const { return count * sizeof(Bucket) >> 20; }

  private:
    struct alignas(64) Bucket {
        TableEntry Entries[4];
    };
    // Allocated on 2 MB boundaries and offered to the system as huge pages: the table is read
    // at random, and small pages cost a translation miss on nearly every probe.
    Bucket* buckets = nullptr;
    size_t count = 0;
    uint8_t age = 0;
    Bucket& BucketOf(uint64_t key) { return buckets[key & (count - 1)]; }
    const Bucket& BucketOf(uint64_t key) const { return buckets[key & (count - 1)]; }
};

} // namespace strong
