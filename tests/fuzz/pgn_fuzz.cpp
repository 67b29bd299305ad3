// Feeds arbitrary bytes to the PGN reader and the first line to the FEN reader: neither may
// crash, and whatever they accept must write out and read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

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
    Board board{};
    std::string error;
    if (ReadFen(text.substr(0, text.find('\n')), board, error)) {
        const std::string fen = WriteFen(board, 1);
        Check(ReadFen(fen, board, error) && WriteFen(board, 1) == fen);
    }
    return 0;
}
