#include "strongplayer/Levels.h"

#include <cmath>

namespace strong {

int MinimumElo() {
    return StrongLevels[0].Elo;
}

int MaximumElo() {
    return StrongLevels[StrongLevelCount - 1].Elo;
}

StrongLevel LevelForElo(int elo) {
    if (elo <= MinimumElo()) return StrongLevels[0];
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
    // Towards the unlimited top level, nodes grow sixteenfold.
    if (hi.Nodes == 0)
        level.Nodes = static_cast<uint64_t>(std::llround(static_cast<double>(lo.Nodes) * std::pow(16.0, t)));
    else
        level.Nodes = static_cast<uint64_t>(std::llround(
            std::exp(std::log(static_cast<double>(lo.Nodes)) * (1 - t) + std::log(static_cast<double>(hi.Nodes)) * t)));
    level.WorseMovePercent = mix(lo.WorseMovePercent, hi.WorseMovePercent);
    level.MaxLossCp = mix(lo.MaxLossCp, hi.MaxLossCp);
    return level;
}

} // namespace strong
