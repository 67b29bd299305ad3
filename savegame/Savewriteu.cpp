// The saved-game writer: a long-layout record per position, CR LF after every line but "END".
#include <string>
#include <type_traits>

#include "savegame/Savefieldsu.h"
#include "savegame/Savegameu.h"
#include "textfile/Safefileu.h"

namespace {

void AppendRecord(std::string& text, const Board& board) {
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) text += PieceChar(board.Squares[x][y]);
        text += "\r\n";
    }
    text += std::to_string(board.ToPlay) + "\r\n";
    VisitKeyLines(board, [&text](std::string_view key, const auto& field) {
        text += key;
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>)
            text += field ? "T" : "F";
        else
            text += std::to_string(field);
        text += "\r\n";
        return true;
    });
}

} // namespace

std::string SavedGameText(const History& history) {
    return SavedGameText(history, history.Count);
}

std::string SavedGameText(const History& history, int count) {
    std::string text = "BQ\r\n";
    for (int i = 0; i < count; ++i) {
        AppendRecord(text, history.Snapshots[i]);
        text += i + 1 == count ? "END" : "CONTINUE\r\n";
    }
    return text;
}

bool SaveGame(const std::string& path, const History& history) {
    // With no position there is no record to end with "END": the file could not be read back.
    if (history.Count < 1 || history.Count > HistorySize) return false;
    return ReplaceFile(path, SavedGameText(history));
}
