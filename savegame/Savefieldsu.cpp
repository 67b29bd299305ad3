#include "savegame/Savefieldsu.h"

namespace {

// Characters of codes -6..6, indexed by code + 6.
constexpr char Chars[13] = {'q', 'k', 'b', 'n', 'r', 'p', '0', 'P', 'R', 'N', 'B', 'K', 'Q'};

} // namespace

char PieceChar(int code) {
    return code >= -Queen && code <= Queen ? Chars[code + Queen] : '!';
}

bool PieceCode(char c, int& code) {
    for (int i = 0; i < 13; ++i) {
        if (Chars[i] == c) {
            code = i - Queen;
            return true;
        }
    }
    return false;
}
