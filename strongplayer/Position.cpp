#include "strongplayer/Position.h"

#include <array>
#include <cstdlib>

#include "strongplayer/Psqt.h"

namespace strong {
namespace {

// Zobrist numbers from a fixed-seed generator, computed at compile time.
struct ZobristKeys {
    uint64_t Piece[12][64];
    uint64_t Castling[16];
    uint64_t EnPassantFile[8];
    uint64_t Side;
    uint64_t Pending;
};

constexpr ZobristKeys MakeKeys() {
    ZobristKeys z{};
    uint64_t state = 0x2F0B5A3C71D4E69FULL;
    auto next = [&state]() {
        state += 0x9E3779B97F4A7C15ULL;
        uint64_t x = state;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    };
    for (auto& piece : z.Piece)
        for (auto& square : piece) square = next();
    for (int i = 0; i < 16; ++i) z.Castling[i] = i == 0 ? 0 : next();
    for (auto& file : z.EnPassantFile) file = next();
    z.Side = next();
    z.Pending = next();
    return z;
}
constexpr ZobristKeys Zobrist = MakeKeys();

// The rights that survive a move touching each square.
constexpr std::array<int, 64> MakeCastleMasks() {
    std::array<int, 64> m{};
    for (int s = 0; s < 64; ++s) m[s] = 15;
    m[4] &= ~(WhiteShort | WhiteLong);
    m[7] &= ~WhiteShort;
    m[0] &= ~WhiteLong;
    m[60] &= ~(BlackShort | BlackLong);
    m[63] &= ~BlackShort;
    m[56] &= ~BlackLong;
    return m;
}
constexpr std::array<int, 64> CastleMask = MakeCastleMasks();

void Remove(Position& p, int square) {
    const int piece = p.Squares[square];
    const int colour = ColourOf(piece), type = TypeOf(piece);
    p.Pieces[colour][type] ^= Bit(square);
    p.ByColour[colour] ^= Bit(square);
    p.Squares[square] = NoPiece;
    p.Key ^= Zobrist.Piece[piece][square];
    if (type == Pawns || type == Kings) p.PawnKey ^= Zobrist.Piece[piece][square];
    p.Mg -= PsqMg[piece][square];
    p.Eg -= PsqEg[piece][square];
    p.Phase -= PhaseWeight[type];
}

void Place(Position& p, int piece, int square) {
    const int colour = ColourOf(piece), type = TypeOf(piece);
    p.Pieces[colour][type] |= Bit(square);
    p.ByColour[colour] |= Bit(square);
    p.Squares[square] = static_cast<uint8_t>(piece);
    p.Key ^= Zobrist.Piece[piece][square];
    if (type == Pawns || type == Kings) p.PawnKey ^= Zobrist.Piece[piece][square];
    p.Mg += PsqMg[piece][square];
    p.Eg += PsqEg[piece][square];
    p.Phase += PhaseWeight[type];
}

void Shift(Position& p, int from, int to) {
    const int piece = p.Squares[from];
    const Bitboard both = Bit(from) | Bit(to);
    p.Pieces[ColourOf(piece)][TypeOf(piece)] ^= both;
    p.ByColour[ColourOf(piece)] ^= both;
    p.Squares[from] = NoPiece;
    p.Squares[to] = static_cast<uint8_t>(piece);
    const uint64_t key = Zobrist.Piece[piece][from] ^ Zobrist.Piece[piece][to];
    p.Key ^= key;
    if (TypeOf(piece) == Pawns || TypeOf(piece) == Kings) p.PawnKey ^= key;
    p.Mg += PsqMg[piece][to] - PsqMg[piece][from];
    p.Eg += PsqEg[piece][to] - PsqEg[piece][from];
}

// Moves pieces back without touching keys or sums, which Unmake restores whole.
void RawRemove(Position& p, int square) {
    const int piece = p.Squares[square];
    p.Pieces[ColourOf(piece)][TypeOf(piece)] ^= Bit(square);
    p.ByColour[ColourOf(piece)] ^= Bit(square);
    p.Squares[square] = NoPiece;
}
void RawPlace(Position& p, int piece, int square) {
    p.Pieces[ColourOf(piece)][TypeOf(piece)] |= Bit(square);
    p.ByColour[ColourOf(piece)] |= Bit(square);
    p.Squares[square] = static_cast<uint8_t>(piece);
}

// The rook's squares for a castling whose king lands on `kingTo`.
void CastlingRook(int kingTo, int& rookFrom, int& rookTo) {
    const bool kingSide = FileOf(kingTo) == 6;
    rookFrom = kingTo + (kingSide ? 1 : -2);
    rookTo = kingTo + (kingSide ? -1 : 1);
}

void SaveState(const Position& p, Undo& u) {
    u.Key = p.Key;
    u.PawnKey = p.PawnKey;
    u.Castling = p.Castling;
    u.EnPassant = p.EnPassant;
    u.Rule50 = p.Rule50;
    u.Pending = p.Pending;
    u.Captured = NoPiece;
    u.Mg = p.Mg;
    u.Eg = p.Eg;
    u.Phase = p.Phase;
}

void RestoreState(Position& p, const Undo& u) {
    p.Key = u.Key;
    p.PawnKey = u.PawnKey;
    p.Castling = u.Castling;
    p.EnPassant = u.EnPassant;
    p.Rule50 = u.Rule50;
    p.Pending = u.Pending;
    p.Mg = u.Mg;
    p.Eg = u.Eg;
    p.Phase = u.Phase;
}

void SetEnPassant(Position& p, int square) {
    if (p.EnPassant >= 0) p.Key ^= Zobrist.EnPassantFile[FileOf(p.EnPassant)];
    p.EnPassant = square;
    if (square >= 0) p.Key ^= Zobrist.EnPassantFile[FileOf(square)];
}

void SetCastling(Position& p, int rights) {
    p.Key ^= Zobrist.Castling[p.Castling] ^ Zobrist.Castling[rights];
    p.Castling = rights;
}

int PieceOfChar(char c) {
    constexpr std::string_view letters = "PNBRQKpnbrqk";
    const size_t at = letters.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool ReadNumber(std::string_view text, int& value) {
    if (text.empty() || text.size() > 6) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

void Clear(Position& p) {
    p = Position{};
    for (auto& s : p.Squares) s = NoPiece;
    p.Side = WhiteSide;
    p.EnPassant = -1;
    p.Pending = -1;
}

void PutPiece(Position& p, int piece, int square) {
    Place(p, piece, square);
}

void Refresh(Position& p) {
    p.Key = p.PawnKey = 0;
    p.Mg = p.Eg = p.Phase = 0;
    for (int s = 0; s < 64; ++s) {
        const int piece = p.Squares[s];
        if (piece == NoPiece) continue;
        const int type = TypeOf(piece);
        p.Key ^= Zobrist.Piece[piece][s];
        if (type == Pawns || type == Kings) p.PawnKey ^= Zobrist.Piece[piece][s];
        p.Mg += PsqMg[piece][s];
        p.Eg += PsqEg[piece][s];
        p.Phase += PhaseWeight[type];
    }
    p.Key ^= Zobrist.Castling[p.Castling];
    if (p.EnPassant >= 0) p.Key ^= Zobrist.EnPassantFile[FileOf(p.EnPassant)];
    if (p.Side == BlackSide) p.Key ^= Zobrist.Side;
    if (p.Pending >= 0) p.Key ^= Zobrist.Pending;
}

void Make(Position& p, Move16 m, Undo& u) {
    SaveState(p, u);
    const int from = FromOf(m), to = ToOf(m), kind = KindOf(m);
    const int us = p.Side, them = us ^ 1;
    p.Key ^= Zobrist.Side;
    p.Side = them;
    p.GamePly += 1;
    SetEnPassant(p, -1);
    if (p.Pending >= 0) { // the choice for a pawn already on its last row
        Remove(p, to);
        Place(p, MakePiece(us, PromotionOf(m)), to);
        p.Pending = -1;
        p.Key ^= Zobrist.Pending;
        return;
    }
    const int piece = p.Squares[from];
    p.Rule50 += 1;
    if (kind == EnPassantMove) {
        u.Captured = p.Squares[to ^ 8];
        Remove(p, to ^ 8);
    } else if (p.Squares[to] != NoPiece) {
        u.Captured = p.Squares[to];
        Remove(p, to);
    }
    if (u.Captured != NoPiece) p.Rule50 = 0;
    Shift(p, from, to);
    if (kind == PromotionMove) {
        Remove(p, to);
        Place(p, MakePiece(us, PromotionOf(m)), to);
    } else if (kind == CastlingMove) {
        int rookFrom, rookTo;
        CastlingRook(to, rookFrom, rookTo);
        Shift(p, rookFrom, rookTo);
    }
    if (TypeOf(piece) == Pawns) {
        p.Rule50 = 0;
        // En passant only where an enemy pawn could take: equal positions, equal keys.
        if ((to ^ from) == 16 && (PawnAttacks(us, (from + to) / 2) & p.Pieces[them][Pawns]))
            SetEnPassant(p, (from + to) / 2);
    }
    const int rights = p.Castling & CastleMask[from] & CastleMask[to];
    if (rights != p.Castling) SetCastling(p, rights);
}

uint64_t KeyAfter(const Position& p, Move16 m) {
    const int from = FromOf(m), to = ToOf(m);
    const int piece = p.Squares[from];
    if (piece == NoPiece || p.Pending >= 0) return p.Key;
    uint64_t key = p.Key ^ Zobrist.Side ^ Zobrist.Piece[piece][from] ^ Zobrist.Piece[piece][to];
    if (p.Squares[to] != NoPiece) key ^= Zobrist.Piece[p.Squares[to]][to];
    if (p.EnPassant >= 0) key ^= Zobrist.EnPassantFile[FileOf(p.EnPassant)];
    if (TypeOf(piece) == Pawns && (to ^ from) == 16 &&
        (PawnAttacks(p.Side, (from + to) / 2) & p.Pieces[p.Side ^ 1][Pawns]))
        key ^= Zobrist.EnPassantFile[FileOf(from)];
    return key ^ Zobrist.Castling[p.Castling] ^
           Zobrist.Castling[p.Castling & CastleMask[from] & CastleMask[to]];
}

void Unmake(Position& p, Move16 m, const Undo& u) {
    const int from = FromOf(m), to = ToOf(m), kind = KindOf(m);
    const int them = p.Side, us = them ^ 1;
    p.Side = us;
    p.GamePly -= 1;
    if (u.Pending >= 0) {
        RawRemove(p, to);
        RawPlace(p, MakePiece(us, Pawns), to);
        RestoreState(p, u);
        return;
    }
    if (kind == PromotionMove) {
        RawRemove(p, to);
        RawPlace(p, MakePiece(us, Pawns), to);
    } else if (kind == CastlingMove) {
        int rookFrom, rookTo;
        CastlingRook(to, rookFrom, rookTo);
        RawRemove(p, rookTo);
        RawPlace(p, MakePiece(us, Rooks), rookFrom);
    }
    const int piece = p.Squares[to];
    RawRemove(p, to);
    RawPlace(p, piece, from);
    if (u.Captured != NoPiece) RawPlace(p, u.Captured, kind == EnPassantMove ? to ^ 8 : to);
    RestoreState(p, u);
}

void MakeNull(Position& p, Undo& u) {
    SaveState(p, u);
    p.Key ^= Zobrist.Side;
    p.Side ^= 1;
    p.GamePly += 1;
    p.Rule50 += 1;
    SetEnPassant(p, -1);
}

void UnmakeNull(Position& p, const Undo& u) {
    p.Side ^= 1;
    p.GamePly -= 1;
    RestoreState(p, u);
}

Bitboard AttackersTo(const Position& p, int square, Bitboard occupied) {
    const Bitboard rooks =
        p.Pieces[0][Rooks] | p.Pieces[1][Rooks] | p.Pieces[0][Queens] | p.Pieces[1][Queens];
    const Bitboard bishops =
        p.Pieces[0][Bishops] | p.Pieces[1][Bishops] | p.Pieces[0][Queens] | p.Pieces[1][Queens];
    return (PawnAttacks(BlackSide, square) & p.Pieces[WhiteSide][Pawns]) |
           (PawnAttacks(WhiteSide, square) & p.Pieces[BlackSide][Pawns]) |
           (KnightAttacks(square) & (p.Pieces[0][Knights] | p.Pieces[1][Knights])) |
           (KingAttacks(square) & (p.Pieces[0][Kings] | p.Pieces[1][Kings])) |
           (RookAttacks(square, occupied) & rooks) | (BishopAttacks(square, occupied) & bishops);
}

bool Attacked(const Position& p, int square, int colour) {
    return Attacked(p, square, colour, p.Occupied());
}

bool Attacked(const Position& p, int square, int colour, Bitboard occupied) {
    const Bitboard* them = p.Pieces[colour];
    return (PawnAttacks(colour ^ 1, square) & them[Pawns]) ||
           (KnightAttacks(square) & them[Knights]) || (KingAttacks(square) & them[Kings]) ||
           (RookAttacks(square, occupied) & (them[Rooks] | them[Queens])) ||
           (BishopAttacks(square, occupied) & (them[Bishops] | them[Queens]));
}

bool InCheck(const Position& p) {
    return Attacked(p, p.KingSquare(p.Side), p.Side ^ 1);
}

bool LeftKingAttacked(const Position& p) {
    return Attacked(p, p.KingSquare(p.Side ^ 1), p.Side);
}

bool FromFen(std::string_view fen, Position& p) {
    Clear(p);
    std::string_view fields[6];
    int count = 0;
    size_t at = 0;
    while (at < fen.size() && count < 6) {
        while (at < fen.size() && fen[at] == ' ') ++at;
        const size_t end = fen.find(' ', at);
        const size_t stop = end == std::string_view::npos ? fen.size() : end;
        if (stop > at) fields[count++] = fen.substr(at, stop - at);
        at = stop;
    }
    if (count < 2) return false;
    int file = 0, rank = 7;
    for (char c : fields[0]) {
        if (c == '/') {
            if (file != 8 || rank == 0) return false;
            file = 0;
            --rank;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) return false;
        } else {
            const int piece = PieceOfChar(c);
            if (piece < 0 || file > 7) return false;
            Place(p, piece, SquareAt(file, rank));
            ++file;
        }
    }
    if (file != 8 || rank != 0) return false;
    if (Count(p.Pieces[0][Kings]) != 1 || Count(p.Pieces[1][Kings]) != 1) return false;
    if (fields[1] != "w" && fields[1] != "b") return false;
    p.Side = fields[1] == "w" ? WhiteSide : BlackSide;
    if (count > 2 && fields[2] != "-") {
        for (char c : fields[2]) {
            const size_t k = std::string_view("KQkq").find(c);
            if (k == std::string_view::npos) return false;
            p.Castling |= 1 << k;
        }
    }
    // A right needs its king and rook at home.
    const auto home = [&p](int square, int piece) { return p.Squares[square] == piece; };
    if (!home(4, MakePiece(WhiteSide, Kings)) || !home(7, MakePiece(WhiteSide, Rooks)))
        p.Castling &= ~WhiteShort;
    if (!home(4, MakePiece(WhiteSide, Kings)) || !home(0, MakePiece(WhiteSide, Rooks)))
        p.Castling &= ~WhiteLong;
    if (!home(60, MakePiece(BlackSide, Kings)) || !home(63, MakePiece(BlackSide, Rooks)))
        p.Castling &= ~BlackShort;
    if (!home(60, MakePiece(BlackSide, Kings)) || !home(56, MakePiece(BlackSide, Rooks)))
        p.Castling &= ~BlackLong;
    if (count > 3 && fields[3] != "-") {
        const std::string_view ep = fields[3];
        if (ep.size() != 2 || ep[0] < 'a' || ep[0] > 'h' || (ep[1] != '3' && ep[1] != '6'))
            return false;
        const int square = SquareAt(ep[0] - 'a', ep[1] - '1');
        const int us = p.Side;
        if ((ep[1] == '6') == (us == WhiteSide) &&
            (PawnAttacks(us ^ 1, square) & p.Pieces[us][Pawns]) &&
            p.Squares[square ^ 8] == MakePiece(us ^ 1, Pawns))
            p.EnPassant = square;
    }
    int number = 0;
    if (count > 4) {
        if (!ReadNumber(fields[4], number)) return false;
        p.Rule50 = number;
    }
    if (count > 5) {
        if (!ReadNumber(fields[5], number)) return false;
        p.GamePly = 2 * (number > 0 ? number - 1 : 0) + p.Side;
    }
    Refresh(p);
    return true;
}

std::string SquareText(int square) {
    return {static_cast<char>('a' + FileOf(square)), static_cast<char>('1' + RankOf(square))};
}

std::string ToFen(const Position& p) {
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const int piece = p.Squares[SquareAt(file, rank)];
            if (piece == NoPiece) {
                ++empty;
                continue;
            }
            if (empty) fen += static_cast<char>('0' + empty);
            empty = 0;
            fen += "PNBRQKpnbrqk"[piece];
        }
        if (empty) fen += static_cast<char>('0' + empty);
        if (rank) fen += '/';
    }
    fen += p.Side == WhiteSide ? " w " : " b ";
    std::string rights;
    for (int k = 0; k < 4; ++k)
        if (p.Castling & (1 << k)) rights += "KQkq"[k];
    fen += rights.empty() ? "-" : rights;
    fen += " " + (p.EnPassant >= 0 ? SquareText(p.EnPassant) : std::string("-"));
    fen += " " + std::to_string(p.Rule50) + " " + std::to_string(p.GamePly / 2 + 1);
    return fen;
}

std::string MoveText(Move16 m) {
    if (m == NoMove16) return "0000";
    std::string text = SquareText(FromOf(m)) + SquareText(ToOf(m));
    if (KindOf(m) == PromotionMove) text += "nbrq"[PromotionOf(m) - Knights];
    return text;
}

bool Consistent(const Position& p) {
    Position fresh = p;
    Refresh(fresh);
    if (fresh.Key != p.Key || fresh.PawnKey != p.PawnKey || fresh.Mg != p.Mg || fresh.Eg != p.Eg ||
        fresh.Phase != p.Phase)
        return false;
    Bitboard all[2] = {0, 0};
    for (int s = 0; s < 64; ++s) {
        const int piece = p.Squares[s];
        for (int c = 0; c < 2; ++c)
            for (int t = 0; t < 6; ++t)
                if (((p.Pieces[c][t] >> s) & 1) != (piece == MakePiece(c, t) ? 1u : 0u))
                    return false;
        if (piece != NoPiece) all[ColourOf(piece)] |= Bit(s);
    }
    return all[0] == p.ByColour[0] && all[1] == p.ByColour[1] && Count(p.Pieces[0][Kings]) == 1 &&
           Count(p.Pieces[1][Kings]) == 1;
}

} // namespace strong
