#include "league/Leagueu.h"

#include <cassert>

namespace {

[[maybe_unused]] bool ValidIndex(int i) {
    return i >= 0 && i < LeagueSize;
}

} // namespace

void ResetLeague(League& league) {
    for (int i = 0; i < LeagueSize; ++i) league[i] = {0, i, 0};
}

void RecordWin(League& league, int winner) {
    assert(ValidIndex(winner));
    league[winner].Points += 3;
    league[winner].Games += 1;
}

void RecordLoss(League& league, int loser) {
    assert(ValidIndex(loser));
    league[loser].Games += 1;
}

void RecordDraw(League& league, int a, int b) {
    assert(ValidIndex(a) && ValidIndex(b));
    league[a].Points += 1;
    league[b].Points += 1;
    league[a].Games += 1;
    league[b].Games += 1;
}

std::array<int, LeagueSize> LeagueOrder(const League& league) {
    // Picks the best remaining each time; a later opponent must have strictly more points to
    // go first, so ties stay in number order.
    std::array<int, LeagueSize> order{};
    std::array<bool, LeagueSize> taken{};
    for (int k = 0; k < LeagueSize; ++k) {
        int best = -1;
        for (int i = 0; i < LeagueSize; ++i) {
            if (taken[i]) continue;
            if (best < 0 || league[i].Points > league[best].Points) best = i;
        }
        order[k] = best;
        taken[best] = true;
    }
    return order;
}

LeagueLines LeagueStandings(const League& league) {
    LeagueLines lines;
    const auto order = LeagueOrder(league);
    for (int k = 0; k < LeagueSize; ++k) {
        const LeaguePosition& p = league[order[k]];
        lines.Names[k] = "Opponent: " + std::to_string(p.Number);
        lines.Points[k] = std::to_string(p.Points);
        lines.Games[k] = std::to_string(p.Games);
    }
    return lines;
}
