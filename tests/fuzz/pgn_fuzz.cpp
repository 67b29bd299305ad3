// Feeds arbitrary bytes to the PGN reader and lister and the first line to the FEN reader: none
// may crash, whatever they accept must write out and read back the same, and the reader reads
// each listed game with the moves the list counted.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "notation/Fen.h"
#include "notation/Pgn.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const PgnGame game = ReadPgn(text);
    Check(game.Imported == (game.Game != nullptr) && game.Imported == game.Message.empty());
    if (game.Imported) {
        const PgnText pgn = WritePgn(*game.Game, PgnTags{});
        Check(pgn.Written);
        const PgnGame again = ReadPgn(pgn.Text);
        Check(again.Imported && again.Game->Count == game.Game->Count);
    }
    // The first listed game is the one read above; two more are read where they begin.
    const std::vector<PgnListing> games = ListPgnGames(text);
    for (size_t i = 0; i < games.size() && i < 3; ++i) {
        const PgnGame listed = i == 0 ? PgnGame{} : ReadPgn(text, games[i].Offset);
        const PgnGame& read = i == 0 ? game : listed;
        bool cut = false; // a game past the history's size
        for (const std::string& warning : read.Warnings) cut = cut || warning.rfind("Move", 0) == 0;
        // A pawn's move and its choice are two positions.
        if (read.Imported && !cut)
            Check(read.Game->Count - 1 >= games[i].Plies &&
                  read.Game->Count - 1 <= 2 * games[i].Plies);
    }
    Check(!game.Imported || !games.empty());
    Board board{};
    std::string error;
    if (ReadFen(text.substr(0, text.find('\n')), board, error)) {
        const std::string fen = WriteFen(board, 1);
        Check(ReadFen(fen, board, error) && WriteFen(board, 1) == fen);
        // Any move number written, a game's length past the one read included, reads back.
        Check(ReadFen(WriteFen(board, board.PlyCount / 2 + 1 + HistorySize), board, error));
    }
    return 0;
}
