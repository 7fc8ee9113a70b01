// The engine's vocabulary: squares, colours, piece codes, move codes and list entries.
#pragma once

#include <cstdint>

// A bitboard holds one bit per square; square s is bit 63 - s, so a8 is the top bit and h1 bit 0.
using Bitboard = uint64_t;

// A move: bits 0-5 destination, 6-11 origin, 12-15 type. 0 means no move.
using Move = uint16_t;

// Squares run in FEN reading order: 0 = a8, 7 = h8, 56 = a1, 63 = h1.
constexpr int rowOf(int square) { return square >> 3; }     // 0 is rank 8, 7 is rank 1
constexpr int columnOf(int square) { return square & 7; }   // 0 is file a
constexpr int rankOf(int square) { return 8 - rowOf(square); }
constexpr int squareNamed(const char* name) { return 8 * ('8' - name[1]) + (name[0] - 'a'); }   // "e4"

enum Colour : int { BLACK = 0, WHITE = 1 };
constexpr Colour opposite(Colour c) { return Colour(c ^ 1); }

// The kinds of piece, in the order of their codes.
enum PieceKind : int { PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING };

// Piece codes: white odd, black even, two a kind (pieceOf).
enum PieceCode : uint8_t {
    EMPTY = 0,
    WPAWN = 1, BPAWN = 2,
    WKNIGHT = 3, BKNIGHT = 4,
    WBISHOP = 5, BBISHOP = 6,
    WROOK = 7, BROOK = 8,
    WQUEEN = 9, BQUEEN = 10,
    WKING = 11, BKING = 12,
};

constexpr int pieceOf(Colour colour, PieceKind kind) { return 2 * kind + 2 - colour; }
constexpr Colour pieceColour(int code) { return Colour(code & 1); }     // meaningful for codes 1..12
constexpr PieceKind kindOf(int code) { return PieceKind((code - 1) >> 1); }   // ... and here
constexpr bool isPawn(int code) { return code == WPAWN || code == BPAWN; }

inline constexpr char PIECE_LETTERS[] = ".PpNnBbRrQqKk";
constexpr char pieceLetter(int code) { return PIECE_LETTERS[code]; }

// What a capture removes from Position::material (pawn 1, minor 3, rook 5, queen 9, king 0).
inline constexpr uint8_t CAPTURE_VALUE[13] = {0, 1, 1, 3, 3, 3, 3, 5, 5, 9, 9, 0, 0};

enum MoveType : int {
    QUIET = 0,
    CAPTURE = 1,
    EN_PASSANT = 2,
    NOT_A_MOVE = 3,   // no real move has it: such codes stand in for one (search results, markers)
    PROMOTE_Q = 4, PROMOTE_N = 5, PROMOTE_R = 6, PROMOTE_B = 7,
    CAPTURE_PROMOTE_Q = 8, CAPTURE_PROMOTE_N = 9, CAPTURE_PROMOTE_R = 10, CAPTURE_PROMOTE_B = 11,
    CASTLE_BLACK_SHORT = 12, CASTLE_WHITE_SHORT = 13, CASTLE_BLACK_LONG = 14, CASTLE_WHITE_LONG = 15,
};

constexpr int moveTo(Move m) { return m & 63; }
constexpr int moveFrom(Move m) { return (m >> 6) & 63; }
constexpr int moveType(Move m) { return m >> 12; }
constexpr Move encodeMove(int type, int from, int to) { return Move(type * 4096 + from * 64 + to); }
constexpr bool isCastling(Move m) { return moveType(m) >= CASTLE_BLACK_SHORT; }
constexpr bool isPromotion(Move m) { return moveType(m) >= PROMOTE_Q && moveType(m) <= CAPTURE_PROMOTE_B; }

// Search results that stand in place of a move.
constexpr Move MatedCode = encodeMove(NOT_A_MOVE, 0, 0);        // the side to move is checkmated
constexpr Move StalemateCode = encodeMove(NOT_A_MOVE, 1, 1);    // the side to move is stalemated
constexpr Move RepetitionCode = encodeMove(NOT_A_MOVE, 2, 2);   // the position is already drawn by rule

// One entry of a move list: ordering score (higher first) and the move.
struct ScoredMove {
    int16_t score;
    Move move;
};

// Scores are centipawns for the side to move.
constexpr int NO_SCORE = -8190;     // no score yet; also the score of an illegal move
constexpr int MATED_SCORE = -8100;  // mated at the root; mated p plies below scores -8100 + p
constexpr int WINDOW_HIGH = 8099;   // top of the full window; 8099 means mate with this move

// Sizes of the engine's fixed tables.
constexpr int MAX_FRAMES = 72;              // 63 plies of full-width search plus 8 of quiescence
constexpr int MAX_LIST_MOVES = 320;         // room for the longest move list of one position
constexpr int MOVE_STACK_SIZE = MAX_FRAMES * MAX_LIST_MOVES;
constexpr int HISTORY_SIZE = 12288;         // plies of game plus search line
