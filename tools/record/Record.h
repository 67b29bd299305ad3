// The behaviour record: games played through the rules engine, each position with what the
// engine and the computer player answered there (legal moves, check, mate and draw, scores,
// shallow searches and their Search calls), so that a faster engine can show it answers the
// same everywhere.
#pragma once

#include <istream>
#include <string>
#include <vector>

// Plays the record's games with the engine as it is and returns the record's text. Book lines
// ("e2e4 e7e5 ...") start some of the games from real openings.
std::string WriteRecord(const std::vector<std::string>& bookLines);

struct RecordCheck {
    int Positions = 0;
    int Mismatches = 0;
    std::string Report; // the first mismatches, one game, ply, wanted and got each
};

// Replays every game of a record and compares each position's answers with the recorded ones.
RecordCheck CheckRecord(std::istream& record);
