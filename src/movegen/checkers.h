// The pieces that give check to the side to move, and the lines the evasions may block on.
#pragma once

#include "board/position.h"

struct PlyFrame;

// Fill the frame's checkers and king rays for the side to move of `p`, `Us` when the caller knows it.
template <Colour Us>
void findCheckersAs(const Position& p, PlyFrame& frame);
void findCheckers(const Position& p, PlyFrame& frame);
