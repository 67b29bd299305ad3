// The saved-game reader: long layout after a "BQ" header, otherwise the short layout.
#include <sstream>
#include <type_traits>
#include <vector>

#include "engine/Findu.h"
#include "engine/Validu.h"
#include "savegame/Loadedu.h"
#include "savegame/Savefieldsu.h"
#include "savegame/Savegameu.h"
#include "textfile/Safefileu.h"
#include "textfile/Wordsu.h"

namespace {

enum class Stop { None, Truncated, TooLong, RangeCheck, BadInt, Unreachable };

// Reads records word by word into one scratch board whose fields carry over from record to
// record, noting why it stopped.
struct RecordReader {
    std::istream& In;
    std::string Word;
    std::string Detail; // the bad value, or why a position cannot arise in a game
    Stop Stopped = Stop::None;
    bool AtEnd = false; // the end of the file came right after Word

    bool Next() {
        switch (NextWord(In, Word)) {
        case WordRead::Word:
            AtEnd = In.rdbuf()->sgetc() == std::istream::traits_type::eof();
            return true;
        case WordRead::End:
            Stopped = Stop::Truncated;
            return false;
        default:
            Stopped = Stop::TooLong;
            return false;
        }
    }

    // A word of a record that the end of the file cuts off may have lost characters, so the
    // record is not whole.
    bool Whole() {
        if (AtEnd) Stopped = Stop::Truncated;
        return !AtEnd;
    }

    // Reads the eight row words; the first is already in Word when `firstRead` is set.
    bool Rows(Board& b, bool firstRead) {
        for (int y = 0; y < 8; ++y) {
            if ((y > 0 || !firstRead) && !Next()) return false;
            if (!Whole()) return false;
            if (Word.size() < 8) {
                Stopped = Stop::RangeCheck;
                return false;
            }
            // A character outside the table keeps the square's earlier value.
            for (int x = 0; x < 8; ++x) PieceCode(Word[x], b.Squares[x][y]);
        }
        return true;
    }

    // The side to move is a single digit, which the end of the file cannot have shortened.
    bool SideToMove(Board& b) {
        if (!Next()) return false;
        if (!ParseInt(Word, b.ToPlay)) b.ToPlay = White;
        return true;
    }

    // Reads the key lines: the key's text is not compared, only its length is skipped.
    bool Keys(Board& b) {
        return VisitKeyLines(b, [this](std::string_view key, auto& field) {
            if (!Next() || !Whole()) return false;
            const std::string_view value =
                Word.size() > key.size() ? std::string_view(Word).substr(key.size()) : "";
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>) {
                field = value == "T";
            } else if (!ParseInt(value, field)) {
                Detail = value;
                Stopped = Stop::BadInt;
                return false;
            }
            return true;
        });
    }
};

LoadResult Refused(std::string message, bool notAGame = false) {
    return LoadResult{false, std::move(message), notAGame};
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
            if (!IsReachable(position, reader.Detail)) {
                reader.Stopped = Stop::Unreachable;
                break;
            }
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
        return Refused("Range check error", true);
    case Stop::BadInt:
        return Refused("'" + reader.Detail + "' is not a valid integer value", true);
    case Stop::TooLong:
        return Refused("The file holds a word longer than " + std::to_string(MaxWordLength) +
                           " characters.",
                       true);
    default:
        break;
    }
    std::string message;
    if (reader.Stopped == Stop::Unreachable) {
        message = "Position " + std::to_string(positions.size() + 1) +
                  " of the file cannot arise in a game: " + reader.Detail;
        if (positions.empty()) return Refused(message);
        message += positions.size() == 1 ? " The position before it was loaded."
                                         : " The " + std::to_string(positions.size()) +
                                               " positions before it were loaded.";
    } else if (positions.empty()) {
        return Refused("The file ends before its first position is complete.", true);
    } else if (overflow) {
        message = "The file holds more than " + std::to_string(HistorySize) +
                  " positions; its first " + std::to_string(HistorySize) + " were loaded.";
    } else if (!ended) {
        message = "The file ends before \"END\"; its first " + std::to_string(positions.size()) +
                  " positions were loaded.";
    }

    ResetHistory(history);
    for (const Board& position : positions) PushHistory(history, position);
    board = history.Snapshots[history.Count - 1];
    FindLegalMoves(board);
    return LoadResult{true, message};
}

LoadResult LoadGame(const std::string& path, History& history, Board& board) {
    std::string text;
    switch (ReadRegularFile(path, MaxSavedGameSize, text)) {
    case FileRead::Read:
        break;
    case FileRead::NotRegular:
        return Refused("Cannot open \"" + path + "\": it is not a regular file.");
    case FileRead::TooLarge:
        return Refused("Cannot open \"" + path + "\": it is larger than " +
                       std::to_string(MaxSavedGameSize >> 20) + " MB, more than any saved game.");
    case FileRead::Failed:
        return Refused("Cannot read the file \"" + path + "\".");
    default:
        return Refused("Cannot open the file \"" + path + "\".");
    }
    std::istringstream in(std::move(text));
    return ReadGame(in, history, board);
}
