// Mate scores: how the search counts a mate, and how the table keeps one.
#pragma once

#include "eval/evaluate.h"
#include "ground/types.h"

// Scores beyond anything the static evaluation gives are mates: MATED_SCORE + p when the side to
// move is mated p plies from the root, -MATED_SCORE - p when it mates there.
constexpr bool isMateScore(int score) {
    return (score > EVAL_LIMIT && score <= -MATED_SCORE) || (score < -EVAL_LIMIT && score >= MATED_SCORE);
}

// The plies to the mate a score stands for; 0 for any other score.
constexpr int mateDistance(int score) {
    return !isMateScore(score) ? 0 : score > 0 ? -MATED_SCORE - score : score - MATED_SCORE;
}

// The deepest mate a score can stand for, in moves: 99 plies, as the evaluation ends 100 short of
// a mate at the root.
constexpr int DEEPEST_MATE_MOVES = (-MATED_SCORE - EVAL_LIMIT) / 2;

// Whether `score` mates for the side to move in `moves` moves or fewer (never for 0 moves).
constexpr bool matesWithin(int score, int moves) {
    return moves > 0 && score > 0 && isMateScore(score) && mateDistance(score) <= 2 * moves - 1;
}

// The table keeps a mate counted from the node that stores it, `ply` plies from the root, so that
// an entry means the same mate whatever ply, and whichever later search, reads it.
constexpr int scoreToTable(int score, int ply) {
    if (!isMateScore(score)) return score;
    return score > 0 ? score + ply : score - ply;
}
constexpr int scoreFromTable(int score, int ply) {
    if (!isMateScore(score)) return score;
    return score > 0 ? score - ply : score + ply;
}
