#include "strongplayer/Levels.h"

#include <cmath>

namespace strong {

int MinimumElo() {
    return LowestElo;
}

int MaximumElo() {
    return StrongLevels[StrongLevelCount - 1].Elo;
}

StrongLevel LevelForElo(int elo) {
    const StrongLevel& lowest = StrongLevels[0];
    if (elo <= lowest.Elo) {
        StrongLevel level = lowest;
        level.Name = "";
        level.Elo = elo < LowestElo ? LowestElo : elo;
        level.Nodes = static_cast<uint64_t>(
            std::llround(static_cast<double>(lowest.Nodes) *
                         std::exp2(static_cast<double>(level.Elo - lowest.Elo) / EloPerDoubling)));
        return level;
    }
    if (elo >= MaximumElo()) return StrongLevels[StrongLevelCount - 1];
    int k = 1;
    while (StrongLevels[k].Elo < elo) ++k;
    const StrongLevel& lo = StrongLevels[k - 1];
    const StrongLevel& hi = StrongLevels[k];
    if (elo == hi.Elo) return hi;
    const double t = static_cast<double>(elo - lo.Elo) / (hi.Elo - lo.Elo);
    const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + t * (b - a))); };
    StrongLevel level = lo;
    level.Name = "";
    level.Elo = elo;
    // A depth limit holds only between two levels that both have one.
    level.Depth = lo.Depth == 0 || hi.Depth == 0 ? 0 : mix(lo.Depth, hi.Depth);
    const double high =
        hi.Nodes == 0 ? 16.0 * static_cast<double>(lo.Nodes) : static_cast<double>(hi.Nodes);
    level.Nodes = static_cast<uint64_t>(std::llround(
        std::exp(std::log(static_cast<double>(lo.Nodes)) * (1 - t) + std::log(high) * t)));
    level.WorseMovePercent = mix(lo.WorseMovePercent, hi.WorseMovePercent);
    level.MaxLossCp = mix(lo.MaxLossCp, hi.MaxLossCp);
    return level;
}

} // namespace strong
