// PGN as other programs and hostile hands write it: odd line ends, clock annotations, comments
// where the tags are, files of many games, and input built to cost time or memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "notation/Fen.h"
#include "notation/Pgn.h"

namespace {

const char* const FenOnly = "[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 30\"]\n";

std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

// Knights out and back: any number of plies, and the position repeats every four.
std::string Shuffle(int plies, const std::string& end = "*") {
    const char* const moves[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text;
    for (int i = 0; i < plies; ++i)
        text += (i % 2 == 0 ? std::to_string(i / 2 + 1) + ". " : "") + moves[i % 4] + " ";
    return text + end;
}

std::string TagNames(const PgnGame& game) {
    std::string names;
    for (const auto& [name, value] : game.Tags) names += name + " ";
    return names;
}

// Every text reads whole, or is refused with a message: none loses a move without a word.
TEST(PgnInput, ReadsTheWholeGameOrSaysWhy) {
    struct Row {
        std::string Text;
        int Plies;           // of the game read; -1 when it is refused
        const char* Tags;    // the tag names read
        const char* Message; // the refusal, or the first remark on what was skipped
    };
    const Row rows[] = {
        // ";" comments end at CR, LF or CR LF, and "%" lines start after any of them.
        {"[Event \"x\"]\r\r1. e4 ; comment\r1... e5 2. Nf3 Nc6 3. Bb5 a6 *", 6, "Event ", ""},
        {"1. e4 ; comment\r\n1... e5 2. Nf3 *", 3, "", ""},
        {"1. e4\r% escape\r1... e5 *", 2, "", ""},
        {"1. e4 (1. d4 ; d4 instead\r1... d5) 1... e5 *", 2, "", ""},
        // Text that is no PGN token is skipped with a remark naming its line.
        {"1. e4 e5 2. Nf3 [%clk 0:01] Nc6 3. Bb5 *", 5, "",
         "Line 1: '[%clk 0:01]' is not PGN and was skipped"},
        {"1. e4 e5\n2. Nf3 [ Nc6 *", 4, "", "Line 2: '[' is not PGN and was skipped"},
        // Comments beside and before the tags.
        {"[Event \"x\"] ; comment\n[Site \"y\"]\n1. e4 *", 1, "Event Site ", ""},
        {"{A comment}\n[Event \"x\"]\n1. e4 *", 1, "Event ", ""},
        {"; a comment\n[Event \"x\"] {and another}\n[Site \"y\"]\n\n1. e4 *", 1, "Event Site ", ""},
        // A game of tags only is its position; the next game is not mixed into it.
        {std::string(FenOnly) + "\n[Event \"second\"]\n1. e4 *", 0, "FEN ", ""},
        {std::string(FenOnly) + "*\n[Event \"second\"]\n1. e4 *", 0, "FEN ", ""},
        {std::string(FenOnly) + "[Event \"x\"]\n[FEN \"" + StartFen.data() + "\"]\n1. e4 *", 0,
         "FEN Event ", ""},
        {"1. e4 *\n\n[Event \"second\"]\n1. d4 *", 1, "", ""},
        // Refused, naming the line or the move.
        {"[Event \"x\"]\n[%evp 1 2]\n1. e4 *", -1, "",
         "Line 2: a tag must be a name and a quoted text in brackets"},
        {"{unclosed\n[Event \"x\"]\n1. e4 *", -1, "",
         "Line 1: a comment opened with '{' is never closed"},
        {"1. e4 e5 ] 2. Nf3", -1, "", "Move 2 for White: ']' closes nothing"},
        {"{only a comment}", -1, "", "No game was found in the text"},
        // A game longer than a history holds: its first 1023 plies, and a word about the rest.
        {Shuffle(1100), 1023, "",
         "Move 512 for Black: a game holds at most 1024 positions; the moves from here on were "
         "left out"},
        {Shuffle(1023), 1023, "", ""},
        {Shuffle(1100, "Ke2 *"), -1, "", "Move 551 for White: 'Ke2' is not a legal move"},
    };
    for (const Row& row : rows) {
        const PgnGame game = ReadPgn(row.Text);
        SCOPED_TRACE(row.Text.substr(0, 120));
        EXPECT_EQ(game.Imported ? game.Game->Count - 1 : -1, row.Plies) << game.Message;
        if (!game.Imported) {
            EXPECT_EQ(game.Message, row.Message);
            continue;
        }
        EXPECT_EQ(TagNames(game), row.Tags);
        EXPECT_EQ(game.Warnings.empty() ? "" : game.Warnings.front(), std::string(row.Message));
    }
}

// A file of several games, with what the list shows of each and how ReadPgn reads it there.
TEST(PgnInput, ListsTheGamesOfAFileAsTheReaderCutsThem) {
    const std::string text =
        "; a file of games\n{and a comment before the first tag}\n"
        "[Event \"Casual\"]\n[Date \"1858.??.??\"]\n[White \"Morphy\"]\n[Black \"Allies\"]\n"
        "[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 d6 {Philidor} (2... Nc6) 3. d4 $1 Bg4 1-0\n\n" +
        std::string(FenOnly) + "\n[White \"Only \\\"tags\\\"\"]\n[Black \"B\"]\n\n" +
        "1. d4 d5 *\n" + "[White \"Next\"][Black \"Game\"]\n1. e4 [%clk 0:01] 1/2-1/2\n" +
        "[White \"Broken\"]\n1. e4 e5 2. Ke3 *\n{a last comment}\n";
    struct Row {
        const char* White;
        const char* Black;
        const char* Result;
        const char* Date;
        const char* Event;
        int Plies; // as listed
        int Read;  // as read, -1 when refused
    };
    const Row rows[] = {
        {"Morphy", "Allies", "1-0", "1858.??.??", "Casual", 6, 6},
        {"", "", "", "", "", 0, 0},
        {"Only \"tags\"", "B", "*", "", "", 2, 2},
        {"Next", "Game", "1/2-1/2", "", "", 1, 1},
        {"Broken", "", "*", "", "", 3, -1},
    };
    const std::vector<PgnListing> games = ListPgnGames(text);
    ASSERT_EQ(games.size(), std::size(rows));
    for (size_t i = 0; i < games.size(); ++i) {
        const PgnListing& game = games[i];
        const Row& row = rows[i];
        SCOPED_TRACE("game " + std::to_string(i + 1));
        EXPECT_EQ(game.Number, static_cast<int>(i) + 1);
        EXPECT_EQ(std::tie(game.White, game.Black, game.Result, game.Date, game.Event),
                  std::tie(row.White, row.Black, row.Result, row.Date, row.Event));
        EXPECT_EQ(game.Plies, row.Plies);
        const PgnGame read = ReadPgn(text, game.Offset);
        EXPECT_EQ(read.Imported ? read.Game->Count - 1 : -1, row.Read) << read.Message;
    }
    EXPECT_EQ(ReadPgn(text, games[4].Offset).Message,
              "Move 2 for White: 'Ke3' is not a legal move");
    EXPECT_EQ(ReadPgn(text, games[3].Offset).Warnings,
              std::vector<std::string>{"Line 18: '[%clk 0:01]' is not PGN and was skipped"});
    // A text of no game lists none; a lone result or comment is no game.
    for (const char* none : {"", "\xEF\xBB\xBF", "{comment}", "* *", "% escape\n; comment"})
        EXPECT_TRUE(ListPgnGames(none).empty()) << none;
    // A database cut short lists its first games.
    EXPECT_EQ(ListPgnGames(Repeated("1. e4 *\n", MaxListedGames + 5)).size(), MaxListedGames);
}

// Input built to cost time or memory is cut, with one remark for each kind of cut.
TEST(PgnInput, KeepsTagsAndRemarksWithinLimits) {
    const std::string tooMany = Repeated("[A \"\"]\n", 300) + FenOnly + "1. Rh2 *";
    const std::string tooLong = "[Event \"" + std::string(5000, 'x') + "\"]\n1. e4 *";
    const std::string remarks = "1. e4 " + Repeated("[ ", 15) + "*";
    const std::string lines = "1. e4 [a]\r\ne5 [b]\r[c]\n\n[d] *";
    struct Row {
        const std::string& Text;
        size_t Tags;
        size_t FirstValue;
        std::vector<std::string> Warnings;
    };
    const Row rows[] = {
        {tooMany,
         MaxPgnTags,
         0,
         {"Line 257: a game keeps 256 tags of at most 4096 characters; the rest was skipped"}},
        {tooLong,
         1,
         MaxPgnTagValue,
         {"Line 1: a game keeps 256 tags of at most 4096 characters; the rest was skipped"}},
        {remarks, 0, 0, std::vector<std::string>(10, "Line 1: '[' is not PGN and was skipped")},
        {lines,
         0,
         0,
         {"Line 1: '[a]' is not PGN and was skipped", "Line 2: '[b]' is not PGN and was skipped",
          "Line 3: '[c]' is not PGN and was skipped", "Line 5: '[d]' is not PGN and was skipped"}},
    };
    for (const Row& row : rows) {
        const PgnGame game = ReadPgn(row.Text);
        ASSERT_TRUE(game.Imported) << game.Message;
        EXPECT_EQ(game.Tags.size(), row.Tags);
        EXPECT_EQ(game.Tags.empty() ? 0 : game.Tags.front().second.size(), row.FirstValue);
        std::vector<std::string> expected = row.Warnings;
        if (expected.size() == 10) expected.push_back("... and 5 more remarks");
        EXPECT_EQ(game.Warnings, expected);
    }
    // The FEN tag past the limit still sets the position up.
    EXPECT_EQ(ReadPgn(tooMany).Game->Count, 2);
}

} // namespace

namespace {

// Every prefix of a text, each in a buffer of exactly its size, so that the sanitizer build
// catches a read one past the end wherever the text may stop.
TEST(PgnInput, TextCutAnywhereIsReadWithinItsBounds) {
    const std::string whole = "[Event \"x\" ] ; c\n[Site \"y\\\"z\"]\n\n1. e4 {[%clk 0:01:00]} e5 "
                              "(2. d4) 2. Nf3 $1 [%clk 0:00:59] Nc6!? 1-0\n[White \"a\"]\n1. d4 *";
    for (size_t size = 0; size <= whole.size(); ++size) {
        const std::unique_ptr<char[]> cut(new char[size == 0 ? 1 : size]);
        std::copy(whole.begin(), whole.begin() + static_cast<long>(size), cut.get());
        const std::string_view text(cut.get(), size);
        const PgnGame game = ReadPgn(text);
        EXPECT_EQ(game.Imported, game.Message.empty()) << size;
        for (const PgnListing& listed : ListPgnGames(text)) ReadPgn(text, listed.Offset);
    }
}

} // namespace
