// Entering a result from the two number boxes of the league window.
#pragma once

#include <string_view>

#include "league/Leaguepositionu.h"

enum class LeagueEntry { Recorded, BadWinner, BadLoser };

// Reads a box's text as an integer: optional blanks around an optional sign and decimal
// digits. Returns -1 for anything else, or for a value outside 32 bits.
int ReadLeagueNumber(std::string_view text);

// Records a won game ("Played") or a draw ("Drew") between the numbers in the two boxes.
// Nothing is recorded unless both are 0..15; the winner box is judged first.
LeagueEntry EnterLeagueResult(League& league, std::string_view winnerText,
                              std::string_view loserText, bool drew);

// Returns the message to show for a refused entry, or an empty text for a recorded one.
const char* LeagueEntryMessage(LeagueEntry entry);
