// The pieces that give check to the side to move, and the lines the evasions may block on.
#pragma once

#include "ground/types.h"

struct PlyFrame;

// Fill the frame's checkers and king rays for the side to move, `Us` when the caller knows it.
template <Colour Us>
void findCheckersAs(PlyFrame& frame);
void findCheckers(PlyFrame& frame);
