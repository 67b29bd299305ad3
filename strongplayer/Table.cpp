#include "strongplayer/Table.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace strong {

namespace {
constexpr size_t HugePage = size_t{2} << 20;
}

TranspositionTable::~TranspositionTable() {
    std::free(buckets);
}

void TranspositionTable::Resize(size_t megabytes) {
    const size_t bytes = (megabytes < 1 ? 1 : megabytes) << 20;
    size_t wanted = 1;
    while (wanted * 2 * sizeof(Bucket) <= bytes) wanted *= 2;
    std::free(buckets);
    const size_t size = wanted * sizeof(Bucket);
    const size_t alignment = size >= HugePage ? HugePage : alignof(Bucket);
    buckets = static_cast<Bucket*>(std::aligned_alloc(alignment, size));
    if (!buckets) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (alignment == HugePage) madvise(buckets, size, MADV_HUGEPAGE);
#endif
    count = wanted;
    Clear();
}

void TranspositionTable::Clear() {
    std::memset(static_cast<void*>(buckets), 0, count * sizeof(Bucket));
    age = 0;
}

const TableEntry* TranspositionTable::Probe(uint64_t key) const {
    const Bucket& b = BucketOf(key);
    for (const TableEntry& e : b.Entries)
        if (e.Key == key && e.BoundOf() != NoBound) return &e;
    return nullptr;
}

void TranspositionTable::Store(uint64_t key, Move16 move, int score, int eval, int depth,
                               Bound bound) {
    Bucket& b = BucketOf(key);
    TableEntry* slot = &b.Entries[0];
    int worst = 1 << 30;
    for (TableEntry& e : b.Entries) {
        if (e.Key == key || e.BoundOf() == NoBound) {
            slot = &e;
            break;
        }
        // Entries of older searches count as shallower.
        const int ageGap = ((age - (e.AgeBound & 0xFC)) & 0xFC) / 4;
        const int value = e.Depth - 8 * ageGap;
        if (value < worst) {
            worst = value;
            slot = &e;
        }
    }
    // A shallower result does not push out a deeper one of the same position, unless exact.
    if (slot->Key == key && bound != ExactBound && depth + 3 < slot->Depth &&
        slot->BoundOf() != NoBound) {
        if (move != NoMove16) slot->Move = move;
        return;
    }
    if (move == NoMove16 && slot->Key == key) move = slot->Move;
    slot->Key = key;
    slot->Move = move;
    slot->Score = static_cast<int16_t>(score);
    slot->Eval = static_cast<int16_t>(eval);
    slot->Depth = static_cast<uint8_t>(depth < 0 ? 0 : depth);
    slot->AgeBound = static_cast<uint8_t>(age | bound);
}

int TranspositionTable::Hashfull() const {
    const size_t sample = count < 250 ? count : 250;
    int used = 0;
    for (size_t i = 0; i < sample; ++i)
        for (const TableEntry& e : buckets[i].Entries)
            if (e.BoundOf() != NoBound && (e.AgeBound & 0xFC) == age) ++used;
    return static_cast<int>(used * 1000 / (sample * 4));
}

} // namespace strong
