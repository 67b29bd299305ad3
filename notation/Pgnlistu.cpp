// The list of a PGN text's games: their tags and the number of their moves, without playing
// them, so that a database of thousands of games lists at once.
#include "notation/Pgn.h"
#include "notation/Pgnscanu.h"

namespace {

constexpr size_t MaxListedValue = 200;

void Keep(std::string& field, std::string_view value) {
    if (field.empty()) field = UnescapePgnValue(value, MaxListedValue);
}

} // namespace

std::vector<PgnListing> ListPgnGames(std::string_view text) {
    std::vector<PgnListing> games;
    size_t at = 0;
    while (at < text.size() && games.size() < MaxListedGames) {
        PgnScanner scanner(text, at);
        PgnListing game{at, static_cast<int>(games.size()) + 1, {}, {}, {}, {}, {}, 0};
        std::string_view result;
        bool any = false;
        PgnToken token;
        while (scanner.Next(token)) {
            if (token.Kind == PgnTokenKind::Tag) {
                any = true;
                const std::string_view name = token.Name;
                if (name == "White") Keep(game.White, token.Value);
                if (name == "Black") Keep(game.Black, token.Value);
                if (name == "Result") Keep(game.Result, token.Value);
                if (name == "Date") Keep(game.Date, token.Value);
                if (name == "Event") Keep(game.Event, token.Value);
            } else if (token.Kind == PgnTokenKind::Word) {
                any = true;
                std::string_view word = token.Text;
                game.Plies += ClassifyPgnWord(word) == PgnWordKind::Move;
            } else if (token.Kind == PgnTokenKind::Result) {
                result = token.Text;
            }
        }
        if (any) {
            Keep(game.Result, result);
            games.push_back(std::move(game));
        }
        if (scanner.Position() <= at) break; // cannot happen: a game is never empty
        at = scanner.Position();
    }
    return games;
}
