#include "eval/evaluate.h"

#include <array>
#include <cstring>

#include "board/colours.h"
#include "eval/tables.h"
#include "ground/sharedword.h"

uint32_t pawnHashTable[PAWN_HASH_SIZE];

void clearPawnHashTable() { std::memset(pawnHashTable, 0, sizeof pawnHashTable); }

namespace {

constexpr int PAWN_VALUE = 100;
constexpr int KNIGHT_VALUE = 310;
constexpr int BISHOP_VALUE = 315;
constexpr int ROOK_VALUE = 500;
constexpr int QUEEN_VALUE = 940;

constexpr int ISOLATED_PAWN = 20;
constexpr int DOUBLED_PAWN = 8;
constexpr int PASSED_PAWN_PER_RANK = 8;
constexpr int BISHOP_PAIR = 25;
constexpr int ROOK_HALF_OPEN_FILE = 8;    // no own pawn on the file
constexpr int ROOK_OPEN_FILE_EXTRA = 8;   // ... and no enemy pawn either
constexpr int SHELTER_PAWN = 5;
constexpr int SHELTER_CORNER = 2;         // a pawn on the two files nearest the corner
constexpr int SHELTER_MIN_MATERIAL = 36;  // the king hides only while there is much to fear

constexpr Bitboard LIGHT_SQUARES = 0x55aa55aa55aa55aaULL;
constexpr Bitboard DARK_SQUARES = 0xaa55aa55aa55aa55ULL;

constexpr int PAWN_CACHE_OFFSET = 8190;   // cached score + offset is never 0, which marks "empty"
constexpr uint32_t PAWN_KEY_CHECK = 0xFFFC0000;

// A king wing seen from White: the three back-rank squares by the corner, the three pawn squares
// in front of them, and the two of those nearest the corner. Black's are the same turned round.
struct Wing {
    int back[3];
    int shield[3];
    int corner[2];
};
constexpr Wing WHITE_WINGS[2] = {{{61, 62, 63}, {53, 54, 55}, {54, 55}},   // f1-h1, f2-h2
                                 {{56, 57, 58}, {48, 49, 50}, {48, 49}}};  // a1-c1, a2-c2

template <Colour Us>
constexpr std::array<Wing, 2> wingsOf() {
    std::array<Wing, 2> wings{};
    for (int w = 0; w < 2; ++w) {
        for (int i = 0; i < 3; ++i) wings[w].back[i] = relativeSquare(Us, WHITE_WINGS[w].back[i]);
        for (int i = 0; i < 3; ++i) wings[w].shield[i] = relativeSquare(Us, WHITE_WINGS[w].shield[i]);
        for (int i = 0; i < 2; ++i) wings[w].corner[i] = relativeSquare(Us, WHITE_WINGS[w].corner[i]);
    }
    return wings;
}

// Bonus of the pawns sheltering a king that stands castled on a wing with no own rook beside it.
template <Colour Us>
int shelter(const Position& p) {
    static constexpr std::array<Wing, 2> WINGS = wingsOf<Us>();
    constexpr int pawn = pieceOf(Us, PAWN), rook = pieceOf(Us, ROOK);
    const int king = p.kingSquare[Us];
    for (const Wing& wing : WINGS) {
        if (king != wing.back[0] && king != wing.back[1] && king != wing.back[2]) continue;
        if (p.board[wing.back[0]] == rook || p.board[wing.back[1]] == rook || p.board[wing.back[2]] == rook) return 0;
        int bonus = 0;
        for (int s : wing.shield)
            if (p.board[s] == pawn) bonus += SHELTER_PAWN;
        if (p.board[wing.corner[0]] == pawn || p.board[wing.corner[1]] == pawn) bonus += SHELTER_CORNER;
        return bonus;
    }
    return 0;
}

// Pawn structure and pawn placement of one colour, for it: material, table, isolated, doubled,
// passed.
template <Colour Us>
int pawnTerms(const Position& p, const int16_t* table) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    const Bitboard own = p.pieces[pieceOf(Us, PAWN)], theirs = p.pieces[pieceOf(opposite(Us), PAWN)];
    int score = 0;
    for (Bitboard b = own; b;) {
        const int s = popSquare(b);
        score += PAWN_VALUE + table[relativeSquare(Us, s)];
        if (!(own & adjacentFiles[s])) score -= ISOLATED_PAWN;
        if (own & fileMaskExcl[s]) {
            score -= DOUBLED_PAWN;
            if (own & S.frontFile[s]) continue;   // the pawn ahead is the one that may pass
        }
        if (!(theirs & S.passedMask[s])) score += PASSED_PAWN_PER_RANK * (relativeRank(Us, s) - 1);
    }
    return score;
}

// The pawn terms from White's side, from the cache when the pawn key has been seen before (in
// any material band).
int cachedPawnStructure(const Position& p, const int16_t* table) {
    const uint32_t key = p.pawnKey;
    uint32_t& slot = pawnHashTable[key & (PAWN_HASH_SIZE - 1)];
    const uint32_t entry = loadWord(slot);
    if (((entry ^ key) & PAWN_KEY_CHECK) == 0 && (entry & 0xFFFF) != 0) return int(entry & 0xFFFF) - PAWN_CACHE_OFFSET;
    const int score = pawnTerms<WHITE>(p, table) - pawnTerms<BLACK>(p, table);
    storeWord(slot, (key & PAWN_KEY_CHECK) | uint32_t(score + PAWN_CACHE_OFFSET));
    return score;
}

// Material and table values of one colour's pieces of one kind.
template <Colour Us, PieceKind Kind>
inline int pieceTerms(const Position& p, int value, const int16_t* table) {
    int score = 0;
    for (Bitboard b = p.pieces[pieceOf(Us, Kind)]; b;) score += value + table[relativeSquare(Us, popSquare(b))];
    return score;
}

// Rooks, with their bonus for a file free of own pawns, and more if free of all pawns.
template <Colour Us>
int rookTerms(const Position& p, const int16_t* table) {
    const Bitboard own = p.pieces[pieceOf(Us, PAWN)], theirs = p.pieces[pieceOf(opposite(Us), PAWN)];
    int score = 0;
    for (Bitboard b = p.pieces[pieceOf(Us, ROOK)]; b;) {
        const int s = popSquare(b);
        const Bitboard file = fileMaskExcl[s];
        score += ROOK_VALUE + table[relativeSquare(Us, s)];
        if (!(own & file)) score += ROOK_HALF_OPEN_FILE + (theirs & file ? 0 : ROOK_OPEN_FILE_EXTRA);
    }
    return score;
}

// Everything of one colour but its pawns, for it: the king's square and shelter, the pieces,
// the bishop pair.
template <Colour Us>
int pieceTermsOf(const Position& p, const PieceSquareSet& tables) {
    int score = tables.byKind[KING][relativeSquare(Us, p.kingSquare[Us])];
    if (p.material >= SHELTER_MIN_MATERIAL) score += shelter<Us>(p);
    score += pieceTerms<Us, KNIGHT>(p, KNIGHT_VALUE, tables.byKind[KNIGHT]);
    score += pieceTerms<Us, BISHOP>(p, BISHOP_VALUE, tables.byKind[BISHOP]);
    const Bitboard bishops = p.pieces[pieceOf(Us, BISHOP)];
    if ((bishops & LIGHT_SQUARES) && (bishops & DARK_SQUARES)) score += BISHOP_PAIR;
    score += rookTerms<Us>(p, tables.byKind[ROOK]);
    return score + pieceTerms<Us, QUEEN>(p, QUEEN_VALUE, tables.byKind[QUEEN]);
}

}  // namespace

int evaluate(const Position& p) {
    if (p.material < 4 && !(p.pieces[WPAWN] | p.pieces[BPAWN])) return 0;   // nobody can mate

    const PieceSquareSet& tables = tablesInForce(p);
    int v = pieceTermsOf<WHITE>(p, tables) - pieceTermsOf<BLACK>(p, tables);
    v += cachedPawnStructure(p, tables.byKind[PAWN]);

    // Only a heap of promoted pieces could pass the limit; beyond it a score would read as mate.
    if (v > EVAL_LIMIT) v = EVAL_LIMIT;
    if (v < -EVAL_LIMIT) v = -EVAL_LIMIT;
    return p.sideToMove == WHITE ? v : -v;
}
