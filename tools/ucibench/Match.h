// A match between two UCI engines under a clock, refereed as a GUI referees it: each move
// timed from "go" to "bestmove" on the pipe, checked against the rules of ordinary chess, and
// the game ended by mate, stalemate, repetition, the fifty-move rule, bare kings or a limit.
#pragma once

#include <string>
#include <vector>

struct EngineSetup {
    std::string Program;
    // Sent as "setoption name NAME value VALUE" after "uciok".
    std::vector<std::pair<std::string, std::string>> Options;
    // Sent only when the engine lists an option of that name (Depth and Level of brisko-uci).
    std::vector<std::pair<std::string, std::string>> IfListed;
};

struct MatchSetup {
    EngineSetup Engines[2];
    double BaseMs = 10000;
    double IncMs = 100;
    int Games = 2;
    int MaxPlies = 400; // a draw past this
    std::vector<std::vector<std::string>>
        Openings;        // moves in coordinates; pairs of games share one
    std::string PgnFile; // every game written here when not empty
};

// Plays the match and prints each game and then the totals: the score of the first engine, the
// Elo difference with its 95% margin, losses on time, illegal moves, hangs, the longest move
// and the least time left. Returns 0, or 1 when an engine lost on time, played an illegal
// move, hung or did not start.
int PlayMatch(const MatchSetup& setup);

// The Elo difference a score (0 to 1) over `games` games gives, and the half-width of its 95%
// interval from the games' spread; `wins`, `draws` and `losses` make the score.
struct EloEstimate {
    double Difference;
    double Margin;
    bool Finite; // false when every game was won or every game lost
};
EloEstimate EstimateElo(int wins, int draws, int losses);

// Openings a match varies its games with: short lines of the usual first moves.
std::vector<std::vector<std::string>> StandardOpenings();
