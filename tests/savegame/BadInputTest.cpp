// Damaged and hostile files: the two named errors and every limit of the reader.
#include <cstring>
#include <fstream>

#include <sys/stat.h>

#include "tests/savegame/SaveTestUtil.h"

namespace {

// `records` short-layout positions of a king each, ending with "END" unless `end` is false.
std::string KingRecords(int records, bool end = true) {
    std::string text;
    for (int i = 0; i < records; ++i)
        text += "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 0000K000 1 " +
                std::string(i + 1 < records ? "-"
                            : end           ? "END"
                                            : "") +
                "\n";
    return text;
}

// The fuzzer checks that a refused file leaves the game as it was; here, which message it gets.
TEST(BadInput, RefusedFilesAreNamedTheirFault) {
    const std::string game = GameText("b1c3 b8c6 c3b1");
    const auto invalid = [](const char* v) {
        return "'" + std::string(v) + "' is not a valid integer value";
    };
    const std::string range = "Range check error",
                      tooLong = "The file holds a word longer than 1023 characters.";
    const struct {
        std::string Text, Message;
    } files[] = {
        // A short row word, even after whole records.
        {Replace(game, "RNBQKBNR", "RNBQKBN", 2), range},
        {Replace(KingRecords(1), "0000k000", "0000k00"), range},
        {std::string("\0\xff\x01 ok", 6), range},
        {Replace(game, "Repetition1=0", "Repetition1=x1", 3), invalid("x1")},
        {Replace(game, "ep1=-1", "ep1=", 1), invalid("")},
        {Replace(game, "Recent1.X1=-1", "Recent1.X1=2147483648", 1), invalid("2147483648")},
        {Replace(game, "Repetition2=0", "Repetition2=+-1", 1), invalid("+-1")},
        {Replace(game, "Repetition2=0", "Repetition2=0x10", 1), invalid("0x10")},
        {Replace(KingRecords(1), "0000K000", "0000K000" + std::string(1016, 'x')), tooLong},
        {std::string(5'000'000, 'Q'), tooLong},
        // A first position no game can reach.
        {"!!!!!!!! ######## ++++++++ -------- ........ ,,,,,,,, @@@@@@@@ ******** 99 END",
         "Position 1 of the file cannot arise in a game: White has no king."},
        {Replace(game, "ep2=-1", "ep2=3", 1), "Position 1 of the file cannot arise in a game: En "
                                              "passant needs a Black pawn that has just advanced "
                                              "two squares to d5."},
    };
    for (const auto& file : files) {
        const Game after(file.Text);
        EXPECT_FALSE(after.Result.Loaded) << file.Message;
        EXPECT_EQ(after.Result.Message, file.Message);
    }
}

TEST(BadInput, DamagedFilesKeepTheirWholePositions) {
    const struct {
        std::string Text;
        int Count;
        std::string Message;
        int LastOutcome;
    } files[] = {
        {KingRecords(3, false), 3,
         "The file ends before \"END\"; its first 3 positions were loaded.", InProgress},
        // The longest word allowed.
        {Replace(KingRecords(1), "0000K000", "0000K000" + std::string(1015, 'x')), 1, "",
         InProgress},
        // No room for a further move: the last position ends the game, as a game move would.
        {KingRecords(HistorySize), HistorySize, "", Drawn},
        {KingRecords(HistorySize + 5), HistorySize,
         "The file holds more than 1024 positions; its first 1024 were loaded.", Drawn},
        // A later position no game can reach: the ones before it are kept.
        {Replace(KingRecords(3), "0000K000", "K000K000", 3), 2,
         "Position 3 of the file cannot arise in a game: White has more than one king. The 2 "
         "positions before it were loaded.",
         InProgress},
        {Replace(KingRecords(3), "0000k000", "0000kQ00", 2), 1,
         "Position 2 of the file cannot arise in a game: Black is in check after its own move. "
         "The position before it was loaded.",
         InProgress},
    };
    for (const auto& file : files) {
        const Game game(file.Text);
        SCOPED_TRACE(file.Text.substr(0, 40));
        EXPECT_TRUE(game.Result.Loaded);
        EXPECT_EQ(game.Result.Message, file.Message);
        EXPECT_EQ(std::tie(game.Positions->Count, game.Positions->Stored),
                  std::make_tuple(file.Count, file.Count));
        EXPECT_EQ(game.Live.Outcome, file.LastOutcome);
        EXPECT_EQ(
            std::memcmp(game.Live.Squares, game[file.Count - 1].Squares, sizeof game.Live.Squares),
            0);
    }
}

TEST(BadInput, AFileCutAnywhereKeepsItsWholePositions) {
    const std::string text = GameText("e2e4 e7e5");
    Game game;
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        // A record is whole once the line end after its last word is in.
        const std::string part = text.substr(0, cut);
        int whole = 0;
        for (auto at = part.find("RepStale=F\r"); at != std::string::npos;
             at = part.find("RepStale=F\r", at + 1))
            ++whole;
        std::istringstream in(part);
        const LoadResult result = ReadGame(in, *game.Positions, game.Live);
        ASSERT_EQ(result.Message, whole == 0
                                      ? "The file ends before its first position is complete."
                                      : "The file ends before \"END\"; its first " +
                                            std::to_string(whole) + " positions were loaded.")
            << cut;
        EXPECT_EQ(game.Positions->Count, whole == 0 ? 3 : whole);
    }
}

TEST(BadInput, OnlyRegularFilesAreRead) {
    ScratchFolder folder;
    ASSERT_EQ(mkfifo(folder.File("fifo.bch").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.bch"));
    std::ofstream(folder.File("huge.bch")) << GameText("");
    std::filesystem::resize_file(folder.File("huge.bch"), std::uintmax_t{10} << 30); // sparse
    const std::string special = "\": it is not a regular file.";
    const std::pair<std::string, std::string> files[] = {
        {folder.File("absent.bch"), "Cannot open the file \"%\"."},
        {folder.Path.string(), "Cannot open \"%" + special},
        {folder.File("fifo.bch"), "Cannot open \"%" + special},
        {"/dev/zero", "Cannot open \"%" + special},
        {folder.File("zero.bch"), "Cannot open \"%" + special},
        {folder.File("huge.bch"), "Cannot open \"%\": it is larger than 16 MB, more than any saved "
                                  "game."},
    };
    for (const auto& [path, message] : files) {
        Game game;
        const LoadResult result = LoadGame(path, *game.Positions, game.Live);
        EXPECT_FALSE(result.Loaded);
        EXPECT_EQ(result.Message, Replace(message, "%", path));
    }
}

} // namespace
