// Interior nodes: fixed-depth principal variation search.
#pragma once

#include "search/thread.h"

// Search the node of the thread's current frame to `depth` (at least 1) within alpha, beta; the
// score is for the side to move. The caller has made the move and advanced the frame.
int searchNode(SearchThread& thread, int depth, int alpha, int beta);

// Search the child position just made, `depth` being the parent's: with the full window until a
// move of the parent has raised alpha, afterwards with a null window that is widened again only
// when the move proves better. Below depth 1 the quiescence search takes over.
int searchChild(SearchThread& thread, int depth, int alpha, int beta, bool alphaRaised);

// A cut-off by `move` at `frame`: a quiet move or castling becomes the first killer, and the
// move's cut-off counter grows by depth squared.
void rememberCutoff(SearchThread& thread, PlyFrame& frame, int side, Move move, int depth);
