// The pieces that give check to the side to move, and the lines the evasions may block on.
#pragma once

struct PlyFrame;

// Fill the frame's checkers and king rays for the side to move.
void findCheckers(PlyFrame& frame);
