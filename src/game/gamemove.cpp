#include "game/gamemove.h"

#include <cstdio>
#include <cstring>

#include "board/makemove.h"
#include "frames/frames.h"
#include "ground/log.h"
#include "movegen/legality.h"

namespace {

// The castling colour and its king's destination, by move type - 12.
struct CastlingCompletion {
    int colour;
    uint8_t kingTo;
    uint16_t clearedFlags;
};
constexpr CastlingCompletion CASTLING_COMPLETIONS[4] = {
    {BLACK, 6, 0x038}, {WHITE, 62, 0x007}, {BLACK, 2, 0x038}, {WHITE, 58, 0x007}};

// A game may run longer than the history stack holds with a search line on top of it. Draws by
// rule look back only to the last irreversible move, and never past the fifty-move rule's
// hundred plies, so a long game keeps just its latest positions.
constexpr int GAME_HISTORY_LIMIT = HISTORY_SIZE - 8 * MAX_FRAMES;
constexpr int KEPT_POSITIONS = 128;

void makeRoomInHistory() {
    if (historyTop - positionHistory < GAME_HISTORY_LIMIT) return;
    std::memmove(positionHistory, historyTop - (KEPT_POSITIONS - 1), KEPT_POSITIONS * sizeof(PlyRecord));
    historyTop = positionHistory + (KEPT_POSITIONS - 1);
}

}  // namespace

bool isLegalGameMove(Move move) {
    // Codes of type 3 stand for search results, never for a move.
    if (move == 0 || moveType(move) == 3) return false;
    return isLegalMove(move);
}

bool playGameMove(Move move) {
    if (move == 0) return false;
    makeRoomInHistory();
    UndoRecord undo;
    saveUndo(undo);
    makeMove(move, undo);
    Position& p = position;
    if (isCastling(move)) {
        // A game move is never taken back: complete the castling at once.
        const CastlingCompletion& c = CASTLING_COMPLETIONS[moveType(move) - CASTLE_BLACK_SHORT];
        p.kingSquare[c.colour] = c.kingTo;
        p.castleFlags &= uint16_t(~c.clearedFlags);
    }
    gameBoard.epSquare = p.epSquare;
    gameBoard.castleFlags = p.castleFlags;
    gameBoard.kingSquare[WHITE] = p.kingSquare[WHITE];
    gameBoard.kingSquare[BLACK] = p.kingSquare[BLACK];
    std::memcpy(gameBoard.board, p.board, sizeof gameBoard.board);
    gameBoard.sideToMove ^= 1;
    std::memset(historyTable, 0, sizeof historyTable);

    char keyText[24];
    std::snprintf(keyText, sizeof keyText, "%x %x", unsigned(p.hashKey >> 32), unsigned(p.hashKey));
    logLine(keyText);
    return true;
}
