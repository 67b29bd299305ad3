// SAN, FEN and PGN: moves written and read back, positions written and read, games exported
// and imported again, other programs' files, and broken ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <tuple>
#include <vector>

#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "notation/Pgn.h"
#include "notation/San.h"

namespace {

const char* const Castles = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
const char* const Knights = "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1"; // both reach d2
const char* const PawnOnE7 = "2k5/4P3/8/8/8/8/8/4K3 w - - 0 1";
const char* const OperaGame = "e2e4 e7e5 g1f3 d7d6 d2d4 c8g4 d4e5 g4f3 d1f3 d6e5 f1c4 g8f6 f3b3 "
                              "d8e7 b1c3 c7c6 c1g5 b7b5 c3b5 c6b5 c4b5 b8d7 e1c1 a8d8 d1d7 d8d7 "
                              "h1d1 e7e6 b5d7 f6d7 b3b8 d7b8 d1d8";

Board FenBoard(const std::string& fen) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ReadFen(fen, board, error)) << fen << ": " << error;
    return board;
}

// Plays long-algebraic moves as game moves from `fen` into a new history.
std::unique_ptr<History> Play(const std::string& fen, const std::string& moves) {
    auto history = std::make_unique<History>();
    Board board = FenBoard(fen);
    PushHistory(*history, board);
    std::istringstream in(moves);
    for (std::string text; in >> text;) {
        ChessMove move{};
        EXPECT_EQ(ReadLong(board, text, move), MoveRead::Legal) << text;
        EXPECT_TRUE(GameChessMove(board, *history, move)) << text;
    }
    return history;
}

void ExpectSameGame(const History& read, const History& played) {
    ASSERT_EQ(read.Count, played.Count);
    for (int i = 0; i < read.Count; ++i) {
        const Board &a = read.Snapshots[i], &b = played.Snapshots[i];
        EXPECT_EQ(std::memcmp(a.Squares, b.Squares, sizeof a.Squares), 0) << "position " << i;
        EXPECT_EQ(std::tuple(a.ToPlay, a.Outcome, a.Material),
                  std::tuple(b.ToPlay, b.Outcome, b.Material))
            << "position " << i;
    }
}

TEST(San, WritesEachKindOfMoveAndReadsItBack) {
    const char* const rows[][3] = {
        {StartFen.data(), "g1f3", "Nf3"},
        {Knights, "b1d2", "Nbd2"},                             // by file
        {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},   // by rank
        {"2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h4e1", "Qh4e1"}, // by both
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", "exd5"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"}, // en passant
        {PawnOnE7, "e7e8q", "e8=Q+"},
        {PawnOnE7, "e7e8n", "e8=N"},
        {"4k3/8/8/8/8/8/1p6/R2K4 b - - 0 1", "b2a1q", "bxa1=Q+"},
        {Castles, "e1g1", "O-O"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "O-O-O"},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", "d8h4", "Qh4#"},
    };
    for (const auto& [fen, coordinates, san] : rows) {
        Board board = FenBoard(fen);
        ChessMove move{}, back{};
        ASSERT_EQ(ReadLong(board, coordinates, move), MoveRead::Legal) << coordinates;
        EXPECT_EQ(SanText(board, move), san);
        ASSERT_EQ(ReadSan(board, san, back), MoveRead::Legal) << san;
        EXPECT_EQ(LongText(back), coordinates);
    }
}

TEST(San, ReadsOtherProgramsFormsAndRefusesWhatIsNoLegalMove) {
    const std::tuple<const char*, const char*, MoveRead, const char*> rows[] = {
        {StartFen.data(), "Ng1f3", MoveRead::Legal, "g1f3"},
        {StartFen.data(), "Ng1-f3!?", MoveRead::Legal, "g1f3"},
        {Castles, "0-0-0+", MoveRead::Legal, "e1c1"},
        {PawnOnE7, "e8Q", MoveRead::Legal, "e7e8q"},
        {PawnOnE7, "e8", MoveRead::Illegal, ""}, // a promotion needs its piece
        {PawnOnE7, "d8=Q", MoveRead::Illegal, ""},
        {Knights, "Nd2", MoveRead::Ambiguous, ""},
        {StartFen.data(), "Ke2", MoveRead::Illegal, ""},
        {StartFen.data(), "e5", MoveRead::Illegal, ""},
        {StartFen.data(), "Nf3xyz", MoveRead::Illegal, ""},
        {StartFen.data(), "", MoveRead::Illegal, ""},
    };
    ChessMove move{};
    for (const auto& [fen, text, read, coordinates] : rows) {
        Board board = FenBoard(fen);
        // Entries past the legal moves are left from other positions: none may count.
        std::fill(std::begin(board.LegalMoves), std::end(board.LegalMoves), Move{4, 6, 4, 3});
        EXPECT_EQ(ReadSan(board, text, move), read) << text;
        EXPECT_EQ(read == MoveRead::Legal ? LongText(move) : "", coordinates);
    }
    Board board = FenBoard(PawnOnE7);
    EXPECT_EQ(ReadLong(board, "e7e8x", move), MoveRead::Illegal);
    EXPECT_EQ(ReadLong(board, "e7e8", move), MoveRead::Legal);
    EXPECT_EQ(LongText(move), "e7e8q"); // a GUI's promotion without its letter is a queen
}

TEST(Fen, WritesThePositionShownAndReadsItBack) {
    const char* const rows[][3] = {
        {StartFen.data(), "", StartFen.data()},
        {StartFen.data(), "e2e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"},
        {StartFen.data(), "e2e4 g8f6 e4e5 d7d5",
         "rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3"},
        {StartFen.data(), "e2e4 g8f6 g1f3",
         "rnbqkb1r/pppppppp/5n2/8/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 2 2"},
        {StartFen.data(), "g1f3 g8f6 f3g1",
         "rnbqkb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 3 2"},
        // A quiet run begun by Black's move loses that ply once a whole quiet pair follows.
        {StartFen.data(), "e2e4 g8f6 g1f3 f6g8",
         "rnbqkbnr/pppppppp/8/8/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"},
        {Castles, "a1a8", "R3k2r/8/8/8/8/8/8/4K2R b Kk - 0 1"}, // rights with their rooks gone
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 99 60", "a8b8",
         "1r2k2r/8/8/8/8/8/8/R3K2R w KQk - 100 61"},
        // The highest move number read is the highest written: a copied FEN pastes back.
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 99999", "a1a2 a8a7 a2a1",
         "4k2r/r7/8/8/8/8/8/R3K2R b Kk - 3 99999"},
    };
    for (const auto& [start, moves, fen] : rows) {
        const auto history = Play(start, moves);
        EXPECT_EQ(ShownFen(*history), fen);
        EXPECT_EQ(WriteFen(FenBoard(fen), FullMoveNumber(*history, history->Count - 1)), fen);
    }
    // Waiting for the promotion choice shows the position before the pawn's move.
    auto history = Play(PawnOnE7, "");
    Board board = history->Snapshots[0];
    GameMove(board, *history, 4, 1, 4, 0);
    EXPECT_EQ(ShownFen(*history), PawnOnE7);
}

TEST(Fen, NamesTheFieldThatIsWrong) {
    const char* const rows[][2] = {
        {"", "a FEN needs"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN w KQkq - 0 1", "pieces:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNRR w KQkq - 0 1", "pieces:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1", "pieces:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1", "side to move:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkk - 0 1", "castling:"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e3 0 1", "en passant:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq e3 0 1", "en passant: En passant"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w kq - 0 1", "pieces: White has no king"},
        {"4k3/8/8/8/8/8/8/r3K3 b - - 0 1", "side to move: White is in check"},
        {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "pieces: A White pawn stands on its last row"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - -1 1", "halfmove clock:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 x", "move number:"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves", "six fields"},
    };
    for (const auto& [fen, field] : rows) {
        Board board = FenBoard(StartFen.data());
        std::string error;
        EXPECT_FALSE(ReadFen(fen, board, error)) << fen;
        EXPECT_NE(error.find(field), std::string::npos) << fen << ": " << error;
        EXPECT_EQ(WriteFen(board, 1), StartFen) << "a refused FEN leaves the board as it was";
    }
}

TEST(Pgn, ExportedGamesImportToTheSamePositions) {
    const char* const games[][3] = {
        {StartFen.data(), OperaGame, "1-0"},
        {StartFen.data(), "f2f3 e7e5 g2g4 d8h4", "0-1"},
        {StartFen.data(), "e2e4 a7a6 e4e5 d7d5 e5d6 c7c5 a2a3 c5c4 b2b4 c4b3", "*"}, // en passant
        {StartFen.data(), "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 d7d6 d2d3 c8g4 b1c3 d8d7 c1e3 e8c8",
         "*"},
        {StartFen.data(), "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8", "1/2-1/2"},
        {"4k3/1P6/8/8/8/8/6p1/4K2R w K - 0 40", "b7b8q e8e7 b8b4 e7e6 e1e2 g2h1n", "*"},
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1", "e1g1 e8c8", "*"}, // across an attack
    };
    PgnTags tags;
    tags.White = PgnPlayer(false, "");
    tags.Black = PgnPlayer(true, "Mean");
    for (const auto& [start, moves, result] : games) {
        const auto played = Play(start, moves);
        const PgnText pgn = WritePgn(*played, tags);
        ASSERT_TRUE(pgn.Written) << pgn.Message;
        std::istringstream lines(pgn.Text);
        for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
        EXPECT_EQ(pgn.Text.find("[FEN") == std::string::npos, start == StartFen);
        EXPECT_EQ(pgn.Text.substr(pgn.Text.size() - std::strlen(result) - 1),
                  result + std::string("\n"));
        const PgnGame read = ReadPgn(pgn.Text);
        ASSERT_TRUE(read.Imported) << read.Message << "\n" << pgn.Text;
        ExpectSameGame(*read.Game, *played);
        EXPECT_EQ(WritePgn(*read.Game, tags).Text, pgn.Text);
    }
    // Black's move number only where a comment stands before it, or as the game's first move.
    EXPECT_NE(WritePgn(*Play(games[0][0], games[0][1]), tags).Text.find("\n1. e4 e5 2. Nf3 d6 "),
              std::string::npos);
    EXPECT_NE(WritePgn(*Play("4k3/8/8/8/8/8/8/4K3 b - - 0 7", "e8d7 e1e2"), tags)
                  .Text.find("\n7... Kd7 8. Ke2 *"),
              std::string::npos);
    EXPECT_NE(WritePgn(*Play(games[6][0], games[6][1]), tags)
                  .Text.find("1. O-O {castled across an attacked square} 1... O-O-O *"),
              std::string::npos);
}

TEST(Pgn, ClocksTimeControlAndTerminationGoOutAndComeBack) {
    const auto played = Play(StartFen.data(), "e2e4 e7e5 g1f3 b8c6");
    PgnTags tags;
    tags.TimeControl = "300+2";
    tags.Termination = "time forfeit";
    // White's and Black's readings at each position: each mover's own after its move.
    tags.Clocks = {
        {300000, 300000}, {299500, 300000}, {299500, 9999}, {3723000, 9999}, {3723000, -5}};
    const PgnText pgn = WritePgn(*played, tags);
    ASSERT_TRUE(pgn.Written);
    for (const char* expected :
         {"[TimeControl \"300+2\"]\n[Termination \"time forfeit\"]\n\n",
          "1. e4 {[%clk 0:04:59]} 1... e5 {[%clk 0:00:09]} 2. Nf3 {[%clk 1:02:03]}\n"
          "2... Nc6 {[%clk 0:00:00]} *"})
        EXPECT_NE(pgn.Text.find(expected), std::string::npos) << expected << "\n" << pgn.Text;
    // Read back to whole seconds; a move without a reading carries the one before on.
    const PgnGame read = ReadPgn(pgn.Text);
    ASSERT_TRUE(read.Imported) << read.Message;
    const std::vector<std::array<int64_t, 2>> clocks = {
        {300000, 300000}, {299000, 300000}, {299000, 9000}, {3723000, 9000}, {3723000, 0}};
    EXPECT_EQ(read.Clocks, clocks);
    EXPECT_TRUE(WritePgn(*played, PgnTags{}).Text.find("TimeControl") == std::string::npos);

    // Readings as other programs write them, and what is none.
    const std::tuple<const char*, bool, int64_t> readings[] = {
        {"[%clk 0:00:09.5]", true, 9500},
        {"[%clk 1:00:00]", true, 3600000},
        {"x [%clk\n 0:01:02.25 ] y", true, 62250},
        {"[%clk 0:01]", false, 0},
        {"[%clk 0:60:00]", false, 0},
        {"[%clk 0:00:00", false, 0},
        {"[%emt 0:00:05]", false, 0},
        {"[%clk 99999999999:00:00]", false, 0},
    };
    for (const auto& [comment, ok, ms] : readings) {
        int64_t got = 0;
        EXPECT_EQ(ReadPgnClock(comment, got), ok) << comment;
        EXPECT_EQ(got, ms) << comment; // untouched when there is none
    }
    const std::tuple<const char*, bool, int64_t, int64_t> controls[] = {
        {"300+2", true, 300000, 2000},
        {"60", true, 60000, 0},
        {"0+1", false, 0, 0},
        {"-", false, 0, 0},
        {"?", false, 0, 0},
        {"40/7200:3600", false, 0, 0},
        {"300+", false, 0, 0},
        {"300+2x", false, 0, 0},
        {"86401", false, 0, 0},
    };
    for (const auto& [value, ok, base, increment] : controls) {
        int64_t b = 0, i = 0;
        EXPECT_EQ(ReadPgnTimeControl(value, b, i), ok) << value;
        EXPECT_EQ(std::tie(b, i), std::tie(base, increment)) << value;
    }
    // Without a TimeControl tag the clocks start unknown; without a reading there are none.
    EXPECT_EQ(ReadPgn("1. e4 {[%clk 0:00:07]} e5 *").Clocks,
              (std::vector<std::array<int64_t, 2>>{{-1, -1}, {7000, -1}, {7000, -1}}));
    EXPECT_TRUE(ReadPgn("1. e4 {a remark} e5 *").Clocks.empty());
}

TEST(Pgn, StandardRulesRefuseACastlingAcrossAnAttack) {
    const std::string text = "[FEN \"4k3/8/8/8/8/8/6b1/4K2R w K - 0 1\"]\n1. O-O *";
    EXPECT_TRUE(ReadPgn(text).Imported);
    const PgnGame standard = ReadPgn(text, 0, Rules::Standard);
    EXPECT_FALSE(standard.Imported);
    EXPECT_EQ(standard.Message, "Move 1 for White: 'O-O' castles across an attacked square, not "
                                "legal under standard rules");
}

TEST(Pgn, ReadsOtherProgramsFiles) {
    const char* const files[][3] = {
        {"export_style.pgn", StartFen.data(), OperaGame},
        {"site_style.pgn", StartFen.data(), OperaGame},
        {"database_style.pgn", StartFen.data(), OperaGame}, // BOM, CR LF, variations, NAGs
        {"annotated.pgn", StartFen.data(), OperaGame},      // long comment, ";" and "%" lines
        {"setup.pgn", "r3k2r/8/8/8/8/8/5r2/R3K2R b KQkq - 5 20",
         "e8c8 h1f1 f2f1 e1f1 d8d1 f1e2 d1a1"},
    };
    for (const auto& [file, start, moves] : files) {
        const PgnGame read = ImportPgn(std::string(BRISKO_PGN_DIR "/") + file);
        ASSERT_TRUE(read.Imported) << file << ": " << read.Message;
        ExpectSameGame(*read.Game, *Play(start, moves));
        EXPECT_EQ(read.Result, start == StartFen ? "1-0" : "*") << file;
    }
}

TEST(Pgn, BrokenGamesNameTheMoveAndTheFault) {
    const char* const rows[][2] = {
        {"1. e4 e5 2. Nf3 Nc6 3. Nf3 Nf6", "Move 3 for White: 'Nf3' is not a legal move"},
        {"1. e4 e5 2. Nc3 Nc6 3. Ne2", "Move 3 for White: 'Ne2' is ambiguous"},
        {"1. e4 {unclosed", "Move 1 for Black: a comment opened with '{' is never closed"},
        {"1. e4 (1. d4 d5", "Move 1 for Black: a variation opened with '(' is never closed"},
        {"1. e4 e5 ) 2. Nf3", "Move 2 for White: ')' closes nothing"},
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 x - - 0 1\"]\n1. Kd2",
         "The FEN tag is not a position: side to move: 'x' is not 'w' or 'b'"},
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 7\"]\n7... Kd7 8. Kd2 Kc6 9. Kf9",
         "Move 9 for White: 'Kf9' is not a legal move"},
        {"[Event \"Casual]\n1. e4", "Line 1: a tag must be a name and a quoted text in brackets"},
        {"\xEF\xBB\xBF \r\n", "No game was found in the text"},
        {"1. e4 e\1775 *", "Move 1 for Black: 'e?5' is not a legal move"}, // DEL is not quoted
    };
    for (const auto& [text, message] : rows) {
        const PgnGame read = ReadPgn(text);
        EXPECT_FALSE(read.Imported || read.Game) << text;
        EXPECT_EQ(read.Message, message);
    }
    EXPECT_EQ(ImportPgn("/nonexistent/game.pgn").Message,
              "Cannot open the file \"/nonexistent/game.pgn\"");
    EXPECT_EQ(ImportPgn("/").Message, "Cannot open \"/\": it is not a regular file");
}

} // namespace
