#include "league/Leagueentryu.h"

#include <charconv>
#include <cstdint>

#include "league/Leagueu.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool InLeague(int number) {
    return number >= 0 && number < LeagueSize;
}

} // namespace

int ReadLeagueNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    // from_chars takes a "-" but not a "+".
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return -1;
    return value;
}

LeagueEntry EnterLeagueResult(League& league, std::string_view winnerText,
                              std::string_view loserText, bool drew) {
    const int winner = ReadLeagueNumber(winnerText);
    if (!InLeague(winner)) return LeagueEntry::BadWinner;
    const int loser = ReadLeagueNumber(loserText);
    if (!InLeague(loser)) return LeagueEntry::BadLoser;
    if (drew) {
        RecordDraw(league, winner, loser);
    } else {
        RecordWin(league, winner);
        RecordLoss(league, loser);
    }
    return LeagueEntry::Recorded;
}

const char* LeagueEntryMessage(LeagueEntry entry) {
    switch (entry) {
    case LeagueEntry::BadWinner:
        return "Invalid entry in Winner box!";
    case LeagueEntry::BadLoser:
        return "Invalid entry in Loser box!";
    case LeagueEntry::Recorded:
        break;
    }
    return "";
}
