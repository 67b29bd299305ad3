#include "game/Keptgameu.h"

#include <algorithm>
#include <sstream>

#include "savegame/Savegameu.h"
#include "textfile/Wordsu.h"

namespace {

constexpr std::string_view Header = "Brisko Chess kept game 1";
// No clock reading is longer than a week.
constexpr int64_t MaxKeptMs = int64_t{7} * 24 * 3600 * 1000;

const char* Flag(bool on) {
    return on ? "T" : "F";
}

// Takes the next line off `text`, without its line end.
bool NextLine(std::string_view& text, std::string_view& line) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;
    line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text.remove_prefix(end + 1);
    return true;
}

// Reads "<key> <value>" into `value`.
bool KeyLine(std::string_view& text, std::string_view key, std::string_view& value) {
    std::string_view line;
    if (!NextLine(text, line) || line.size() < key.size() + 1 ||
        line.substr(0, key.size()) != key || line[key.size()] != ' ')
        return false;
    value = line.substr(key.size() + 1);
    return true;
}

bool IntLine(std::string_view& text, std::string_view key, int& value) {
    std::string_view word;
    return KeyLine(text, key, word) && ParseInt(word, value);
}

// Reads a line of milliseconds, each 0 up to a week.
bool TimesLine(std::string_view& text, std::string_view key, std::vector<int64_t>& times) {
    std::string_view line;
    if (!KeyLine(text, key, line)) return false;
    times.clear();
    while (!line.empty()) {
        const size_t end = std::min(line.find(' '), line.size());
        int64_t ms = 0;
        const std::string_view word = line.substr(0, end);
        if (word.empty() || word.size() > 12) return false;
        for (const char c : word) {
            if (c < '0' || c > '9') return false;
            ms = 10 * ms + (c - '0');
        }
        if (ms > MaxKeptMs) return false;
        times.push_back(ms);
        line.remove_prefix(std::min(end + 1, line.size()));
    }
    return true;
}

bool FlagWord(std::string_view word, bool& value) {
    if (word != "T" && word != "F") return false;
    value = word == "T";
    return true;
}

} // namespace

std::string KeptGameText(const History& positions, const KeptSettings& about) {
    // A name that would break its line is not kept.
    const bool named = about.File.find_first_of("\r\n") == std::string::npos;
    std::string text(Header);
    text += "\r\nShown " + std::to_string(positions.Count);
    text += std::string("\r\nComputer ") + Flag(about.PlaysWhite) + " " + Flag(about.PlaysBlack);
    text += "\r\nLevel " + std::to_string(about.Level);
    text += "\r\nDepth " + std::to_string(about.DepthBar);
    text += std::string("\r\nSaved ") + Flag(about.Saved);
    text += "\r\nFile " + (named ? about.File : std::string());
    text += std::string("\r\nRules ") + (about.Rules == Rules::Standard ? "standard" : "brisko");
    text +=
        "\r\nClock " + std::to_string(about.Clock.BaseMs) + " " + std::to_string(about.Clock.IncMs);
    text += "\r\nReadings";
    for (const auto& reading : about.Readings)
        text += " " + std::to_string(reading[0]) + " " + std::to_string(reading[1]);
    return text + "\r\n" + SavedGameText(positions, positions.Stored);
}

bool ReadKeptGame(std::string_view text, KeptGame& game) {
    std::string_view line, sides, saved, file;
    int shown = 0;
    KeptSettings& about = game.About;
    if (!NextLine(text, line) || line != Header || !IntLine(text, "Shown", shown) ||
        !KeyLine(text, "Computer", sides) || sides.size() != 3 || sides[1] != ' ' ||
        !FlagWord(sides.substr(0, 1), about.PlaysWhite) ||
        !FlagWord(sides.substr(2), about.PlaysBlack) || !IntLine(text, "Level", about.Level) ||
        !IntLine(text, "Depth", about.DepthBar) || !KeyLine(text, "Saved", saved) ||
        !FlagWord(saved, about.Saved) || !KeyLine(text, "File", file))
        return false;
    about.File = file;
    std::string_view rules;
    std::vector<int64_t> clock, readings;
    if (!KeyLine(text, "Rules", rules) || (rules != "standard" && rules != "brisko") ||
        !TimesLine(text, "Clock", clock) || clock.size() != 2 ||
        !TimesLine(text, "Readings", readings) || readings.size() % 2 != 0)
        return false;
    about.Rules = rules == "standard" ? Rules::Standard : Rules::Brisko;
    about.Clock = {clock[0], clock[1]};
    about.Readings.clear();
    for (size_t i = 0; i + 1 < readings.size(); i += 2)
        about.Readings.push_back({readings[i], readings[i + 1]});
    game.Positions = std::make_unique<History>();
    Board shownBoard{};
    std::istringstream in{std::string(text)};
    // Only a game read whole is taken: a damaged one would resume as something else.
    const LoadResult read = ReadGame(in, *game.Positions, shownBoard);
    if (!read.Loaded || !read.Message.empty() || shown < 1 || shown > game.Positions->Stored ||
        about.Readings.size() != static_cast<size_t>(game.Positions->Stored))
        return false;
    game.Positions->Count = shown;
    return true;
}
