#include "game/Keptgameu.h"

#include <sstream>

#include "savegame/Savegameu.h"
#include "textfile/Wordsu.h"

namespace {

constexpr std::string_view Header = "Brisko Chess kept game 1";

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
    text += "\r\nFile " + (named ? about.File : std::string()) + "\r\n";
    return text + SavedGameText(positions, positions.Stored);
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
    game.Positions = std::make_unique<History>();
    Board shownBoard{};
    std::istringstream in{std::string(text)};
    // Only a game read whole is taken: a damaged one would resume as something else.
    const LoadResult read = ReadGame(in, *game.Positions, shownBoard);
    if (!read.Loaded || !read.Message.empty() || shown < 1 || shown > game.Positions->Stored)
        return false;
    game.Positions->Count = shown;
    return true;
}
