// The saved-game reader: long layout after a "BQ" header, otherwise the short layout.
#include <filesystem>
#include <fstream>
#include <type_traits>
#include <vector>

#include "engine/Findu.h"
#include "savegame/Loadedu.h"
#include "savegame/Savefieldsu.h"
#include "savegame/Savegameu.h"
#include "textfile/Wordsu.h"

namespace {

enum class Stop { None, Truncated, TooLong, RangeCheck, BadInt };

// Reads records word by word into one scratch board whose fields carry over from record to
// record, noting why it stopped.
struct RecordReader {
    std::istream& In;
    std::string Word;
    std::string BadValue;
    Stop Stopped = Stop::None;

    bool Next() {
        switch (NextWord(In, Word)) {
        case WordRead::Word:
            return true;
        case WordRead::End:
            Stopped = Stop::Truncated;
            return false;
        default:
            Stopped = Stop::TooLong;
            return false;
        }
    }

    // Reads the eight row words; the first is already in Word when `firstRead` is set.
    bool Rows(Board& b, bool firstRead) {
        for (int y = 0; y < 8; ++y) {
            if ((y > 0 || !firstRead) && !Next()) return false;
            if (Word.size() < 8) {
                Stopped = Stop::RangeCheck;
                return false;
            }
            // A character outside the table keeps the square's earlier value.
            for (int x = 0; x < 8; ++x) PieceCode(Word[x], b.Squares[x][y]);
        }
        return true;
    }

    bool SideToMove(Board& b) {
        if (!Next()) return false;
        if (!ParseInt(Word, b.ToPlay)) b.ToPlay = White;
        return true;
    }

    // Reads the key lines: the key's text is not compared, only its length is skipped.
    bool Keys(Board& b) {
        return VisitKeyLines(b, [this](std::string_view key, auto& field) {
            if (!Next()) return false;
            const std::string_view value =
                Word.size() > key.size() ? std::string_view(Word).substr(key.size()) : "";
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>) {
                field = value == "T";
            } else if (!ParseInt(value, field)) {
                BadValue = value;
                Stopped = Stop::BadInt;
                return false;
            }
            return true;
        });
    }
};

LoadResult Refused(std::string message) {
    return LoadResult{false, std::move(message)};
}

} // namespace

LoadResult ReadGame(std::istream& in, History& history, Board& board) {
    RecordReader reader{in, {}, {}};
    std::vector<Board> positions;
    Board scratch{};
    ClearBoard(scratch);

    bool ended = false;
    bool overflow = false;
    if (reader.Next()) {
        const bool longLayout = reader.Word == "BQ";
        bool firstRead = !longLayout;
        while (reader.Rows(scratch, firstRead) && reader.SideToMove(scratch) &&
               (!longLayout || reader.Keys(scratch))) {
            firstRead = false;
            Board position = scratch;
            SanitiseLoadedPosition(position);
            JudgeLoadedPosition(position, static_cast<int>(positions.size()));
            positions.push_back(position);
            if (!reader.Next()) break;
            if (reader.Word == "END") {
                ended = true;
                break;
            }
            if (positions.size() == HistorySize) {
                overflow = true;
                break;
            }
        }
    }

    switch (reader.Stopped) {
    case Stop::RangeCheck:
        return Refused("Range check error");
    case Stop::BadInt:
        return Refused("'" + reader.BadValue + "' is not a valid integer value");
    case Stop::TooLong:
        return Refused("The file holds a word longer than " + std::to_string(MaxWordLength) +
                       " characters.");
    default:
        break;
    }
    if (positions.empty()) return Refused("The file ends before its first position is complete.");

    ResetHistory(history);
    for (const Board& position : positions) PushHistory(history, position);
    board = history.Snapshots[history.Count - 1];
    FindLegalMoves(board);

    std::string message;
    if (overflow)
        message = "The file holds more than " + std::to_string(HistorySize) +
                  " positions; its first " + std::to_string(HistorySize) + " were loaded.";
    else if (!ended)
        message = "The file ends before \"END\"; its first " + std::to_string(positions.size()) +
                  " positions were loaded.";
    return LoadResult{true, message};
}

LoadResult LoadGame(const std::string& path, History& history, Board& board) {
    std::error_code error;
    std::ifstream in;
    if (!std::filesystem::is_directory(path, error)) in.open(path, std::ios::binary);
    if (!in.is_open()) return Refused("Cannot open the file \"" + path + "\".");
    return ReadGame(in, history, board);
}
