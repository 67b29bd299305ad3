// The game kept between runs: what the window shows again at the next start. A few key lines
// (the position shown, the computer's sides, the level, the depth bar, the file name and whether
// that file holds the game, the rules, the clock and each position's clock readings), then every
// stored position as a saved game holds them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Historyu.h"
#include "engine/Rulesu.h"
#include "opponent/Clockplanu.h"

// What is kept beside the positions.
struct KeptSettings {
    bool PlaysWhite = false;
    bool PlaysBlack = true;
    int Level = 0;
    int DepthBar = 3;
    bool Saved = false; // a file holds every stored move
    std::string File;   // the saved-game file, "" for none
    ::Rules Rules = ::Rules::Brisko;
    TimeControl Clock;
    // White's and Black's time left at each stored position.
    std::vector<std::array<int64_t, 2>> Readings;
};

struct KeptGame {
    std::unique_ptr<History> Positions; // every stored position; Count is the one shown
    KeptSettings About;
};

// The text of a kept game: `positions` (at least one stored), shown at their Count.
std::string KeptGameText(const History& positions, const KeptSettings& about);

// Reads a kept game; false, with `game` unusable, for anything that is not one written whole.
bool ReadKeptGame(std::string_view text, KeptGame& game);
