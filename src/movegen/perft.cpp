#include "movegen/perft.h"

#include <array>

#include "board/attacks.h"
#include "board/checks.h"
#include "board/makemove.h"
#include "frames/frames.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"

namespace {

// The node's list, generated as the search does: evasions when in check, all moves otherwise,
// with the undo snapshot of the position.
template <Colour Us>
ScoredMove* generateNode(const Position& p, PlyFrame& frame, ScoredMove* list) {
    findCheckersAs<Us>(p, frame);
    ScoredMove* end = generateList<Us>(p, frame.checkers ? EVASIONS : ALL_MOVES, list, frame);
    saveUndo(p, frame.undo);
    return end;
}

// For squares a and b on one rank, file or diagonal: the squares from a (excluded) to b
// (included); empty otherwise.
constexpr std::array<std::array<Bitboard, 64>, 64> makeRaysTowards() {
    std::array<std::array<Bitboard, 64>, 64> rays{};
    constexpr int steps[8][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}, {0, -1}, {-1, 0}, {-1, -1}, {-1, 1}};
    for (int a = 0; a < 64; ++a)
        for (const auto& step : steps) {
            Bitboard ray = 0;
            for (int row = rowOf(a) + step[0], column = columnOf(a) + step[1];
                 row >= 0 && row < 8 && column >= 0 && column < 8; row += step[0], column += step[1]) {
                ray |= Bitboard(1) << (63 - (row * 8 + column));
                rays[a][row * 8 + column] = ray;
            }
        }
    return rays;
}
constexpr auto raysTowards = makeRaysTowards();

// The squares between `Us`'s king and each enemy slider that could pin along its line, the
// slider included. A move from elsewhere, by a piece other than the king and not en passant,
// cannot uncover the king.
template <Colour Us>
Bitboard pinLines(const Position& p) {
    constexpr Colour Them = opposite(Us);
    const int king = p.kingSquare[Us];
    const Bitboard queens = p.pieces[pieceOf(Them, QUEEN)];
    Bitboard sliders = ((p.pieces[pieceOf(Them, ROOK)] | queens) & rookRays[king]) |
                       ((p.pieces[pieceOf(Them, BISHOP)] | queens) & bishopRays[king]);
    Bitboard lines = 0;
    while (sliders) lines |= raysTowards[king][popSquare(sliders)];
    return lines;
}

template <Colour Us>
uint64_t perftAs(Board& board, PlyFrame* frame, int depth, ScoredMove* list);

// Makes `move` of `Us` and counts the leaves `depth` plies below it (1 at depth 0), none when
// the move leaves its king attacked; takes the move back.
template <Colour Us>
uint64_t leavesAfter(Board& board, PlyFrame* frame, Move move, int depth, ScoredMove* list) {
    makeMoveAs<Us>(board, move, frame->undo);
    uint64_t nodes = 0;
    if (!leavesKingAttackedAs<Us>(board.position, move))
        nodes = depth == 0 ? 1 : perftAs<opposite(Us)>(board, frame + 1, depth, list);
    unmakeMoveAs<Us>(board, move, frame->undo);
    return nodes;
}

// The last ply, out of check: moves that cannot uncover the king are counted as they stand;
// the rest are made and tested as everywhere else.
template <Colour Us>
uint64_t countLeaves(Board& board, PlyFrame* frame, const ScoredMove* list, const ScoredMove* end) {
    const Bitboard risky = pinLines<Us>(board.position) | squareMask[board.position.kingSquare[Us]];
    uint64_t nodes = 0;
    for (const ScoredMove* entry = list; entry != end; ++entry) {
        const Move move = entry->move;
        if (!(squareMask[moveFrom(move)] & risky) && moveType(move) != EN_PASSANT && !isCastling(move)) {
            ++nodes;
            continue;
        }
        nodes += leavesAfter<Us>(board, frame, move, 0, nullptr);
    }
    return nodes;
}

// The walk with the side to move `Us` known: the colours alternate down the tree.
template <Colour Us>
uint64_t perftAs(Board& board, PlyFrame* frame, int depth, ScoredMove* list) {
    ScoredMove* const end = generateNode<Us>(board.position, *frame, list);
    if (depth == 1 && !frame->checkers) return countLeaves<Us>(board, frame, list, end);
    uint64_t nodes = 0;
    for (const ScoredMove* entry = list; entry != end; ++entry)
        nodes += leavesAfter<Us>(board, frame, entry->move, depth - 1, end);
    return nodes;
}

template <Colour Us>
int perftDivideAs(Board& board, PlyFrame* frame, int depth, ScoredMove* list, DivideEntry* out) {
    ScoredMove* const end = generateNode<Us>(board.position, *frame, list);
    int count = 0;
    for (const ScoredMove* entry = list; entry != end; ++entry) {
        makeMoveAs<Us>(board, entry->move, frame->undo);
        if (!leavesKingAttackedAs<Us>(board.position, entry->move))
            out[count++] = {entry->move, perft(board, frame + 1, depth - 1, end)};
        unmakeMoveAs<Us>(board, entry->move, frame->undo);
    }
    return count;
}

}  // namespace

uint64_t perft(Board& board, PlyFrame* frame, int depth, ScoredMove* list) {
    if (depth <= 0) return 1;
    return board.position.sideToMove == WHITE ? perftAs<WHITE>(board, frame, depth, list)
                                              : perftAs<BLACK>(board, frame, depth, list);
}

int perftDivide(Board& board, PlyFrame* frame, int depth, ScoredMove* list, DivideEntry* out) {
    return board.position.sideToMove == WHITE ? perftDivideAs<WHITE>(board, frame, depth, list, out)
                                              : perftDivideAs<BLACK>(board, frame, depth, list, out);
}
