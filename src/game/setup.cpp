#include "game/setup.h"

#include <cstring>

#include "board/checks.h"
#include "board/consistency.h"
#include "board/fen.h"
#include "book/book.h"
#include "book/san.h"
#include "eval/evaluate.h"
#include "frames/frames.h"
#include "ground/invariant.h"
#include "search/transposition.h"

bool setPosition(const char* text, bool withBook, SetupNotes* notes) {
    if (notes) *notes = SetupNotes{};
    const Position previous = position;
    char epdMove[EPD_MOVE_SIZE];
    if (!readPosition(text, epdMove)) return false;
    if (epdMove[0] && parseSan(epdMove) == 0) {
        if (notes) std::memcpy(notes->unreadableMove, epdMove, sizeof epdMove);
        position = previous;
        return false;
    }

    // The text is accepted: everything that belonged to the previous game goes.
    initialCastleRights = position.castleFlags;
    for (PlyRecord* record = historyTop; record > positionHistory; --record) *record = PlyRecord{};
    historyTop = positionHistory;
    historyTop->key = position.hashKey;
    historyTop->fiftyCounter = 0;

    std::memcpy(gameBoard.board, position.board, sizeof gameBoard.board);
    gameBoard.epSquare = position.epSquare;
    gameBoard.castleFlags = position.castleFlags;
    gameBoard.kingSquare[WHITE] = position.kingSquare[WHITE];
    gameBoard.kingSquare[BLACK] = position.kingSquare[BLACK];
    gameBoard.sideToMove = position.sideToMove;

    clearHashTable();
    // The book holds lines from the initial position only: any other position simply has no
    // book, which is no error to show the user.
    if (withBook && atBookStart() && !loadBook(BOOK_FILE_NAME) && notes) notes->bookError = true;
    hashGeneration = 1;
    clearSearchMemory();
    clearPawnHashTable();
    INVARIANT(positionIsConsistent());
    return true;
}

bool setSideToMove(int side) {
    Position& p = position;
    if (side == p.sideToMove) return true;
    // The side now to move could take the king.
    if (attackedByNonKing(p.kingSquare[side ^ 1], side)) return false;
    // A pawn of the new side to move would take en passant onto its own side of the board.
    if (p.epSquare) {
        p.hashKey ^= zobrist[0][p.epSquare];
        p.pawnKey ^= uint32_t(zobrist[0][p.epSquare]);
        p.epSquare = 0;
        historyTop->key = p.hashKey;
    }
    p.sideToMove = side;
    gameBoard.sideToMove = side;
    gameBoard.epSquare = 0;
    INVARIANT(positionIsConsistent());
    return true;
}
