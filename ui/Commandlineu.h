// The game's own command-line options: the rules and the clock of the games to come.
#pragma once

#include <QString>
#include <optional>

#include "engine/Rulesu.h"
#include "opponent/Clockplanu.h"

class QCommandLineParser;
class TMainForm;

struct GameOptions {
    std::optional<Rules> GameRules;
    std::optional<TimeControl> Clock;
};

// Adds --rules brisko|standard and --clock MINUTES+SECONDS to `parser`.
void AddGameOptions(QCommandLineParser& parser);

// Reads them from a parsed command line; returns "" or the message that says what is wrong.
QString ReadGameOptions(const QCommandLineParser& parser, GameOptions& options);

// Chooses them in `form`'s Game menu, over what the settings kept.
void ApplyGameOptions(TMainForm& form, const GameOptions& options);
