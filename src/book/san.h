// Standard algebraic notation (the moves of EPD "bm"/"am" operations), read against a position. Moves are recognised, not checked: pins, checks and whose piece stands where are
// not looked at beyond what naming the move needs.
#pragma once

#include "board/position.h"

// The move a SAN text stands for in position `p`, or 0 when it cannot be read. Only the first
// nine characters count; "x+#!?=" are ignored wherever they stand.
Move parseSan(const Position& p, const char* text);

// A coordinate move ("e2e4", "e7e8q", castling as the king's move) read against position `p`; 0
// when the text is not one.
Move coordinateToMove(const Position& p, const char* text);

// The move of the side to move's piece (in position `p`) named by text[0] ("N", "B", "R", "Q", "K", or a pawn's
// file letter for a pawn capture) to `destination`, the origin chosen among the pieces that
// reach it and stand on `restriction`; 0 unless exactly one does.
Move resolvePieceMove(const Position& p, const char* text, int destination, Bitboard restriction);
