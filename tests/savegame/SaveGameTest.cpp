// Saved games: saving and reading back, the safe replace of an old file, the reader's rules
// (both layouts, words, key skipping, flags, integers, the side to move) and damaged and
// hostile files. The fuzzer checks that a refused file leaves the game as it was.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include <sys/resource.h>
#include <sys/stat.h>

#include "engine/Historyu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "savegame/Savegameu.h"
#include "tests/common/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

// Plays moves such as "e2e4 a7a8q" (a fifth letter answers the promotion choice) from the
// initial position; "back" steps back one position.
std::unique_ptr<History> PlayGame(Board& board, const std::string& moves) {
    auto history = std::make_unique<History>();
    SetUpBoard(board);
    ResetHistory(*history);
    PushHistory(*history, board);
    std::istringstream in(moves);
    for (std::string m; in >> m;) {
        const int x1 = m[0] - 'a', y1 = '8' - m[1], x2 = m[2] - 'a', y2 = '8' - m[3];
        if (m == "back") {
            StepBack(*history, board);
            continue;
        }
        EXPECT_TRUE(IsLegal(board, x1, y1, x2, y2) && GameMove(board, *history, x1, y1, x2, y2))
            << m;
        if (m.size() == 5) {
            const int piece = static_cast<int>(std::string("?prnbkq").find(m[4]));
            const int sign = board.ToPlay == WhiteChooses ? 1 : -1;
            EXPECT_TRUE(GameMove(board, *history, PromotionChoice, sign * piece, x2, y2)) << m;
        }
    }
    return history;
}

std::string GameText(const std::string& moves) {
    Board board{};
    return SavedGameText(*PlayGame(board, moves));
}

// A game in progress, as the window holds it before a load, after reading `text` into it.
struct Game {
    Board Live{};
    std::unique_ptr<History> Positions = PlayGame(Live, "d2d4 d7d5");
    LoadResult Result{};
    Game() = default;
    explicit Game(const std::string& text) {
        std::istringstream in(text);
        Result = ReadGame(in, *Positions, Live);
    }
    const Board& operator[](int i) const { return Positions->Snapshots[i]; }
    // Every field a saved game carries, as a save would write them.
    std::string Text() const { return SavedGameText(*Positions); }
};

// Reads a file that must load without a message.
Game Loaded(const std::string& text) {
    Game game(text);
    EXPECT_TRUE(game.Result.Loaded && game.Result.Message.empty()) << game.Result.Message;
    return game;
}

// Replaces the `nth` occurrence of `from`, or every one when `nth` is 0.
std::string Replace(std::string text, const std::string& from, const std::string& to, int nth = 0) {
    std::size_t at = 0;
    for (int i = 1; (at = text.find(from, at)) != std::string::npos; ++i)
        if (nth == 0 || i == nth) {
            text.replace(at, from.size(), to);
            at += to.size();
        } else {
            at += from.size();
        }
    return text;
}

// A game of two moves: three positions.
const std::string& ThreeText() {
    static const std::string text = GameText("e2e4 c7c5");
    return text;
}

// `records` short-layout positions of a king each, ending with "END".
std::string KingRecords(int records) {
    std::string text;
    for (int i = 0; i < records; ++i)
        text += "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 0000K000 1 " +
                std::string(i + 1 < records ? "-\n" : "END");
    return text;
}

const std::string Shuffle = "g1f3 g8f6 f3g1 f6g8 ";

TEST(RoundTrip, EveryPositionComesBackFieldForField) {
    // The moves, and the outcome they reach.
    const std::pair<std::string, int> games[] = {
        {"", InProgress},
        {"e2e4 a7a6 e4e5 d7d5 e5d6 g8f6 g1f3 e7e6 f1e2 f8e7 e1g1 b8c6 b2b4 e8g8", InProgress},
        {"a2a4 b7b5 a4b5 h7h5 b5b6 h5h4 b6a7 h4h3 a7b8q h3g2 e2e3 g2f1n", InProgress},
        {Shuffle + Shuffle + Shuffle, Drawn},
        {"f2f3 e7e5 g2g4 d8h4", BlackWon},
        {"e2e4 e7e5 g1f3 back", InProgress}, // only the positions up to the shown one
    };
    for (const auto& [moves, outcome] : games) {
        SCOPED_TRACE(moves);
        Board board{};
        const auto history = PlayGame(board, moves);
        ASSERT_EQ(board.Outcome, outcome);

        ScratchFolder folder;
        const std::string path = folder.File("game.bch");
        std::ofstream(path) << "an older save";
        ASSERT_TRUE(SaveGame(path, *history));
        EXPECT_EQ(ReadBytes(path), SavedGameText(*history));
        EXPECT_EQ(folder.Files(), 1) << "no temporary left";

        auto loaded = std::make_unique<History>();
        Board shown{};
        const LoadResult result = LoadGame(path, *loaded, shown);
        ASSERT_TRUE(result.Loaded && result.Message.empty()) << result.Message;
        // Every saved field comes back, and those worked out from them agree.
        EXPECT_EQ(SavedGameText(*loaded), SavedGameText(*history));
        EXPECT_EQ(loaded->Stored, history->Count);
        EXPECT_EQ(std::tie(shown.Outcome, shown.Material, shown.CheckStatus),
                  std::tie(board.Outcome, board.Material, board.CheckStatus));
        EXPECT_EQ(shown.ListVersionSeen, shown.ListVersion) << "the shown board's moves are listed";
    }
    EXPECT_EQ(GameText(""), ReadBytes(BRISKO_SOURCE_DIR "/tests/fuzz/seeds/savegame_fuzz/"
                                                        "new_game.bch"))
        << "a new game's file, byte for byte";
}

TEST(SaveFile, FailuresKeepTheOldFileAndALinkIsSavedThrough) {
    ScratchFolder folder;
    Board board{};
    const auto history = PlayGame(board, Shuffle);
    // No such folder, a place nobody may write to (even as root), a folder or a FIFO in the way.
    fs::create_directory(folder.File("taken.bch"));
    ASSERT_EQ(mkfifo(folder.File("fifo.bch").c_str(), 0600), 0);
    for (const char* name : {"no/such/folder/game.bch", "taken.bch", "fifo.bch"})
        EXPECT_FALSE(SaveGame(folder.File(name), *history)) << name;
    EXPECT_FALSE(SaveGame("/proc/brisko-game.bch", *history));
    EXPECT_TRUE(fs::is_directory(folder.File("taken.bch")) && fs::is_fifo(folder.File("fifo.bch")));

    // A file size limit makes the write fail part of the way through, as a full disk would.
    const std::string real = folder.File("real.bch"), link = folder.File("link.bch");
    std::ofstream(real) << "the previous save";
    ASSERT_GT(SavedGameText(*history).size(), 1000u);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveGame(real, *history);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(real), "the previous save");
    EXPECT_EQ(folder.Files(), 3) << "no temporary left";

    history->Count = 0; // nothing to save: no file
    EXPECT_FALSE(SaveGame(folder.File("empty.bch"), *history));
    EXPECT_FALSE(fs::exists(folder.File("empty.bch")));

    // A link keeps pointing to the file it names, which keeps its permissions.
    history->Count = 2;
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.bch", link);
    ASSERT_TRUE(SaveGame(link, *history));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), SavedGameText(*history));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folder.Files(), 4) << "no temporary left";
}

TEST(Read, ShortLayoutTakesNewBoardValuesForWhatItLacks) {
    // Row words are cut to eight; an unknown character keeps what the scratch board held.
    const Game game = Loaded("rnbqkbnr pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                             "RNBQKBN! 1 next "
                             "!nbqkbnr pp0ppppp 00000000 00p00000 0000P000 00000000 PPPP0PPP "
                             "RNBQKBNRXYZ 1 END");
    ASSERT_EQ(game.Positions->Count, 2);
    for (int i = 0; i < 2; ++i) {
        const Board& b = game[i];
        EXPECT_TRUE(b.QueenCastle1 && b.QueenCastle2 && b.KingCastle2);
        EXPECT_EQ(b.KingCastle1, i == 1); // cleared while no rook stands on h1
        EXPECT_EQ(std::tie(b.ep1, b.ep2, b.Bored50, b.Recent1.X1, b.PenRecent2.X1, b.PlyCount),
                  std::make_tuple(-1, -1, 0, NoMove, NoMove, 0));
    }
    EXPECT_EQ(std::tie(game[0].Squares[7][7], game[1].Squares[0][0], game[1].Squares[7][7],
                       game[1].Squares[2][3], game[1].Squares[4][4], game.Live.ToPlay),
              std::make_tuple(Empty, -Rook, Rook, -Pawn, Pawn, White));
}

TEST(Read, SpacingKeyNamesAndSeparatorsDoNotMatter) {
    // Every letter before an "=" becomes a Z: keys are skipped by their length.
    std::string renamed = ThreeText();
    for (auto eq = renamed.find('='); eq != std::string::npos; eq = renamed.find('=', eq + 1))
        for (auto i = renamed.rfind('\n', eq) + 1; i < eq; ++i) renamed[i] = 'Z';
    const std::string variants[] = {
        renamed,
        "\n\t " + Replace(ThreeText(), "\r\n", "\n") + "\n",
        Replace(ThreeText(), "\r\n", "\r\n\r\n  \t"),
        Replace(ThreeText(), "\r\n", " \v\f "),
        Replace(Replace(ThreeText(), "CONTINUE", "x"), "END", "END\r\nrubbish never read"),
    };
    for (const std::string& text : variants) EXPECT_EQ(Loaded(text).Text(), ThreeText()) << text;
}

#define FIELD(f) [](const Board& b) -> int64_t { return b.f; }

TEST(Read, FlagsIntegersAndEnPassantFiles) {
    // The key line as saved, as edited, the field of the first position, and its value.
    const std::tuple<const char*, const char*, int64_t (*)(const Board&), int64_t> edits[] = {
        // Only a capital T is true.
        {"QueenCastle1=T", "QueenCastle1=t", FIELD(QueenCastle1), false},
        {"QueenCastle1=T", "QueenCastle1=TT", FIELD(QueenCastle1), false},
        {"RepStale=F", "RepStale=T", FIELD(RepStale), true},
        // Integers take a sign and leading zeros, and the whole 32-bit range; the draw counters
        // are then clamped into the range a game gives them.
        {"Bored50=0", "Bored50=+7", FIELD(Bored50), 7},
        {"Bored50=0", "Bored50=-0012", FIELD(Bored50), 0},
        {"Bored50=0", "Bored50=51", FIELD(Bored50), 50},
        {"Repetition1=0", "Repetition1=-2147483648", FIELD(Repetition1), 0},
        {"Repetition2=0", "Repetition2=2147483647", FIELD(Repetition2), 4},
        {"Recent2.Y2=0", "Recent2.Y2=2147483647", FIELD(Recent2.Y2), 2147483647},
        // A key one letter short lends its value's first character to the key.
        {"ep1=-1", "ep=-1", FIELD(ep1), 1},
        // En passant files stay on the board; move fields are only compared, so any value stays.
        {"ep1=-1", "ep1=8", FIELD(ep1), -1},
        {"ep2=-1", "ep2=-5", FIELD(ep2), -1},
        // The draw counters read from the file decide the outcome.
        {"Bored50=0", "Bored50=50", FIELD(Outcome), Drawn},
    };
    for (const auto& [from, to, field, expected] : edits) {
        const std::string text = Replace(ThreeText(), from, to);
        ASSERT_NE(text, ThreeText()) << from;
        EXPECT_EQ(field(Loaded(text)[0]), expected) << to;
    }
}

TEST(Read, SideToMoveIsNeverAnError) {
    const std::string initial = "rnbqkbnr pppppppp 00000000 00000000 00000000 00000000 "
                                "PPPPPPPP RNBQKBNR ",
                      waiting = "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 "
                                "0000K0p0 ";
    // Out of range, or a choice with no pawn waiting for it: a plain turn.
    const std::tuple<std::string, std::string, int> sides[] = {{initial, "2", Black},
                                                               {initial, "two", White},
                                                               {initial, "7", White},
                                                               {initial, "3", White},
                                                               {waiting, "4", BlackChooses}};
    for (const auto& [rows, word, side] : sides)
        EXPECT_EQ(Loaded(rows + word + " END").Live.ToPlay, side) << word;
}

TEST(BadInput, RefusedFilesAreNamedTheirFault) {
    const std::string game = GameText("b1c3 b8c6 c3b1");
    const auto invalid = [](const char* v) {
        return std::string(1, '\'').append(v).append("' is not a valid integer value");
    };
    const std::string range = "Range check error",
                      tooLong = "The file holds a word longer than 1023 characters.";
    const std::pair<std::string, std::string> files[] = {
        // A short row word, even after whole records.
        {Replace(game, "RNBQKBNR", "RNBQKBN", 2), range},
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
    for (const auto& [text, message] : files) {
        const Game after(text);
        EXPECT_FALSE(after.Result.Loaded) << message;
        EXPECT_EQ(after.Result.Message, message);
    }
}

// A file cut short is below; the rest that still gives whole positions is here.
TEST(BadInput, DamagedFilesKeepTheirWholePositions) {
    // The text, the positions kept, the message, and the outcome of the last one kept.
    const std::tuple<std::string, int, std::string, int> files[] = {
        // The longest word allowed.
        {Replace(KingRecords(1), "0000K000", "0000K000" + std::string(1015, 'x')), 1, "",
         InProgress},
        // No room for a further move: the last position ends the game, as a game move would.
        {KingRecords(HistorySize), HistorySize, "", Drawn},
        {KingRecords(HistorySize + 1), HistorySize,
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
    for (const auto& [text, count, message, lastOutcome] : files) {
        const Game game(text);
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_TRUE(game.Result.Loaded);
        EXPECT_EQ(game.Result.Message, message);
        EXPECT_EQ(std::tie(game.Positions->Count, game.Positions->Stored),
                  std::make_tuple(count, count));
        EXPECT_EQ(game.Live.Outcome, lastOutcome);
        EXPECT_EQ(std::memcmp(game.Live.Squares, game[count - 1].Squares, sizeof game.Live.Squares),
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

TEST(BadInput, OnlyRegularFilesUpToTheSizeLimitAreRead) {
    ScratchFolder folder;
    ASSERT_EQ(mkfifo(folder.File("fifo.bch").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.File("zero.bch"));
    const std::string big = folder.File("big.bch");
    std::ofstream(big) << GameText("") << "\n";
    fs::resize_file(big, MaxSavedGameSize); // sparse
    Game largest;
    EXPECT_TRUE(LoadGame(big, *largest.Positions, largest.Live).Loaded);
    fs::resize_file(big, MaxSavedGameSize + 1);
    const std::string special = "\": it is not a regular file.";
    const std::pair<std::string, std::string> files[] = {
        {folder.File("absent.bch"), "Cannot open the file \"%\"."},
        {folder.Path.string(), "Cannot open \"%" + special},
        {folder.File("fifo.bch"), "Cannot open \"%" + special},
        {"/dev/zero", "Cannot open \"%" + special},
        {folder.File("zero.bch"), "Cannot open \"%" + special},
        {big, "Cannot open \"%\": it is larger than 16 MB, more than any saved game."},
    };
    for (const auto& [path, message] : files) {
        Game game;
        const LoadResult result = LoadGame(path, *game.Positions, game.Live);
        EXPECT_FALSE(result.Loaded);
        EXPECT_EQ(result.Message, Replace(message, "%", path));
    }
}

} // namespace
