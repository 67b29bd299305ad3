#include "ui/Commandlineu.h"

#include <QCommandLineParser>

#include "ui/Mainu.h"

void AddGameOptions(QCommandLineParser& parser) {
    parser.addOption(
        {"rules", "Play by this game's own rules or by the standard ones.", "brisko|standard"});
    parser.addOption(
        {"clock", "Play with a clock: minutes for each side and seconds added after every move.",
         "MINUTES+SECONDS"});
}

QString ReadGameOptions(const QCommandLineParser& parser, GameOptions& options) {
    if (parser.isSet("rules")) {
        const QString value = parser.value("rules");
        if (value != "brisko" && value != "standard")
            return "--rules takes brisko or standard, not '" + value + "'.";
        options.GameRules = value == "standard" ? Rules::Standard : Rules::Brisko;
    }
    if (parser.isSet("clock")) {
        TimeControl clock;
        if (!ReadTimeControl(parser.value("clock").toStdString(), clock))
            return "--clock takes MINUTES+SECONDS (1 to 600 minutes, 0 to 600 seconds), not '" +
                   parser.value("clock") + "'.";
        options.Clock = clock;
    }
    return {};
}

void ApplyGameOptions(TMainForm& form, const GameOptions& options) {
    if (options.GameRules) form.ChooseRules(*options.GameRules);
    if (options.Clock) form.ChooseClock(*options.Clock);
}
