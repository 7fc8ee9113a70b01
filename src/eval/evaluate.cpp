#include "eval/evaluate.h"

#include <cstring>

#include "board/attacks.h"
#include "eval/tables.h"

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

// A king wing seen from its owner: the three back-rank squares by the corner, the three pawn
// squares in front of them, and the two of those nearest the corner.
struct Wing {
    int back[3];
    int shield[3];
    int corner[2];
};
constexpr Wing WHITE_WINGS[2] = {{{61, 62, 63}, {53, 54, 55}, {54, 55}},   // f1-h1, f2-h2
                                 {{56, 57, 58}, {48, 49, 50}, {48, 49}}};  // a1-c1, a2-c2
constexpr Wing BLACK_WINGS[2] = {{{5, 6, 7}, {13, 14, 15}, {14, 15}},      // f8-h8, f7-h7
                                 {{0, 1, 2}, {8, 9, 10}, {8, 9}}};         // a8-c8, a7-c7

// Bonus of the pawns sheltering a king that stands castled on a wing with no own rook beside it.
template <int Us>
int shelter() {
    const Position& p = position;
    const uint8_t pawn = pawnCode(Us), rook = BROOK - Us;
    const int king = p.kingSquare[Us];
    for (const Wing& wing : Us == WHITE ? WHITE_WINGS : BLACK_WINGS) {
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

// Pawn structure and pawn placement from White's side: material, table, isolated, doubled, passed.
int pawnStructure(const int16_t* table) {
    const Bitboard whitePawns = position.pieces[WPAWN], blackPawns = position.pieces[BPAWN];
    int score = 0;
    for (Bitboard b = whitePawns; b;) {
        const int s = popSquare(b);
        score += PAWN_VALUE + table[s];
        if (!(whitePawns & adjacentFiles[s])) score -= ISOLATED_PAWN;
        if (whitePawns & fileMaskExcl[s]) {
            score -= DOUBLED_PAWN;
            if (whitePawns & whiteFrontFile[s]) continue;   // the pawn ahead is the one that may pass
        }
        if (!(blackPawns & whitePassedMask[s])) score += PASSED_PAWN_PER_RANK * (rankOf(s) - 1);
    }
    for (Bitboard b = blackPawns; b;) {
        const int s = popSquare(b);
        score -= PAWN_VALUE + table[63 - s];
        if (!(blackPawns & adjacentFiles[s])) score += ISOLATED_PAWN;
        if (blackPawns & fileMaskExcl[s]) {
            score += DOUBLED_PAWN;
            if (blackPawns & blackFrontFile[s]) continue;
        }
        if (!(whitePawns & blackPassedMask[s])) score -= PASSED_PAWN_PER_RANK * (8 - rankOf(s));
    }
    return score;
}

// The pawn terms, from the cache when the pawn key has been seen before (in any material band).
int cachedPawnStructure(const int16_t* table) {
    const uint32_t key = position.pawnKey;
    uint32_t& entry = pawnHashTable[key & (PAWN_HASH_SIZE - 1)];
    if (((entry ^ key) & PAWN_KEY_CHECK) == 0 && (entry & 0xFFFF) != 0) return int(entry & 0xFFFF) - PAWN_CACHE_OFFSET;
    const int score = pawnStructure(table);
    entry = (key & PAWN_KEY_CHECK) | uint32_t(score + PAWN_CACHE_OFFSET);
    return score;
}

// Material and table values of one piece kind, White's pieces minus Black's.
template <int WhiteCode>
inline int pieceTerms(int value, const int16_t* table) {
    int score = 0;
    for (Bitboard b = position.pieces[WhiteCode]; b;) score += value + table[popSquare(b)];
    for (Bitboard b = position.pieces[WhiteCode + 1]; b;) score -= value + table[63 - popSquare(b)];
    return score;
}

}  // namespace

int evaluate() {
    const Position& p = position;
    const Bitboard whitePawns = p.pieces[WPAWN], blackPawns = p.pieces[BPAWN];
    if (p.material < 4 && !(whitePawns | blackPawns)) return 0;   // nobody can mate

    const auto& tables = tablesInForce().byKind;
    const int16_t* kingTable = tables[KING_KIND];
    int v = kingTable[p.kingSquare[WHITE]] - kingTable[p.kingSquare[BLACK]];
    if (p.material >= SHELTER_MIN_MATERIAL) v += shelter<WHITE>() - shelter<BLACK>();

    v += cachedPawnStructure(tables[PAWN_KIND]);
    v += pieceTerms<WKNIGHT>(KNIGHT_VALUE, tables[KNIGHT_KIND]);

    v += pieceTerms<WBISHOP>(BISHOP_VALUE, tables[BISHOP_KIND]);
    const Bitboard whiteBishops = p.pieces[WBISHOP], blackBishops = p.pieces[BBISHOP];
    if ((whiteBishops & LIGHT_SQUARES) && (whiteBishops & DARK_SQUARES)) v += BISHOP_PAIR;
    if ((blackBishops & LIGHT_SQUARES) && (blackBishops & DARK_SQUARES)) v -= BISHOP_PAIR;

    // Rooks, with their bonus for a file free of own pawns, and more if free of all pawns.
    const int16_t* rookTable = tables[ROOK_KIND];
    for (Bitboard b = p.pieces[WROOK]; b;) {
        const int s = popSquare(b);
        const Bitboard file = fileMaskExcl[s];
        v += ROOK_VALUE + rookTable[s];
        if (!(whitePawns & file)) v += ROOK_HALF_OPEN_FILE + (blackPawns & file ? 0 : ROOK_OPEN_FILE_EXTRA);
    }
    for (Bitboard b = p.pieces[BROOK]; b;) {
        const int s = popSquare(b);
        const Bitboard file = fileMaskExcl[s];
        v -= ROOK_VALUE + rookTable[63 - s];
        if (!(blackPawns & file)) v -= ROOK_HALF_OPEN_FILE + (whitePawns & file ? 0 : ROOK_OPEN_FILE_EXTRA);
    }

    v += pieceTerms<WQUEEN>(QUEEN_VALUE, tables[QUEEN_KIND]);

    // Only a heap of promoted pieces could pass the limit; beyond it a score would read as mate.
    if (v > EVAL_LIMIT) v = EVAL_LIMIT;
    if (v < -EVAL_LIMIT) v = -EVAL_LIMIT;
    return p.sideToMove == WHITE ? v : -v;
}
