// Writing the entries of a move list. Shared by the generators of the movegen directory; not a
// public interface.
#pragma once

#include "ground/types.h"

namespace movegen {

inline ScoredMove* emit(ScoredMove* out, int score, Move move) {
    out->score = int16_t(score);
    out->move = move;
    return out + 1;
}

// Four promotion entries in the order queen, knight, rook, bishop. `base` is PROMOTE_Q or
// CAPTURE_PROMOTE_Q; `gain` the victim's exchange value (0 for a push).
inline ScoredMove* emitPromotions(ScoredMove* out, int base, int from, int to, int gain) {
    out = emit(out, gain - 9401, encodeMove(base, from, to));
    out = emit(out, gain - 30005, encodeMove(base + 1, from, to));
    out = emit(out, gain - 30025, encodeMove(base + 2, from, to));
    return emit(out, gain - 30050, encodeMove(base + 3, from, to));
}

}  // namespace movegen
