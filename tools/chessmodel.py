"""A model of the game for the Python tools, judged as the engine judges it: squares, the engine's
move codes and move text, positions, pseudo-legal and legal moves, playing a move, FEN as the
engine reads and writes it, SAN, and the engine's hash keys.

Squares run as in FEN: 0 = a8 ... 63 = h1. Pieces are FEN letters, '.' is empty. Move types follow
the engine's move code, so that a word can be judged exactly as the engine judges it: the word is
legal when its code is the code of a legal move."""
import collections
import dataclasses

QUIET, CAPTURE, EN_PASSANT = 0, 1, 2
PROMOTE = {'q': 4, 'n': 5, 'r': 6, 'b': 7}          # plus 4 when the promotion captures
CASTLING_ROOK = {12: (7, 5), 13: (63, 61), 14: (0, 3), 15: (56, 59)}
RIGHTS_LOST = {60: 'KQ', 63: 'K', 56: 'Q', 4: 'kq', 7: 'k', 0: 'q'}
INITIAL_FEN = 'rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -'


def square_name(s):
    return 'abcdefgh'[s % 8] + str(8 - s // 8)


def square_of(name):
    return 8 * (8 - int(name[1])) + 'abcdefgh'.index(name[0])


def steps(deltas):
    table = []
    for s in range(64):
        r, c = divmod(s, 8)
        table.append([(r + dr) * 8 + c + dc for dr, dc in deltas if 0 <= r + dr < 8 and 0 <= c + dc < 8])
    return table


def rays(directions):
    table = []
    for s in range(64):
        r, c = divmod(s, 8)
        lines = []
        for dr, dc in directions:
            line, rr, cc = [], r + dr, c + dc
            while 0 <= rr < 8 and 0 <= cc < 8:
                line.append(rr * 8 + cc)
                rr, cc = rr + dr, cc + dc
            lines.append(line)
        table.append(lines)
    return table


KNIGHT_STEPS = steps([(-2, -1), (-2, 1), (-1, -2), (-1, 2), (1, -2), (1, 2), (2, -1), (2, 1)])
KING_STEPS = steps([(-1, -1), (-1, 0), (-1, 1), (0, -1), (0, 1), (1, -1), (1, 0), (1, 1)])
ROOK_RAYS = rays([(-1, 0), (1, 0), (0, -1), (0, 1)])
BISHOP_RAYS = rays([(-1, -1), (-1, 1), (1, -1), (1, 1)])


@dataclasses.dataclass
class Move:
    origin: int
    target: int
    kind: int                 # the engine's move type
    promotion: str = ''


def move_code(move):
    return move.kind << 12 | move.origin << 6 | move.target


def move_text(move):
    return square_name(move.origin) + square_name(move.target) + move.promotion


@dataclasses.dataclass
class Position:
    board: list
    white: bool
    rights: str = ''          # castling rights, a subset of 'KQkq'
    ep: int = None            # square a pawn just passed, or None
    history: list = dataclasses.field(default_factory=list)   # boards since the last pawn move or capture
    lost: int = 0             # the engine's key terms of the castling rights given up since the set-up


# The engine's hash keys: its fixed table of 13 x 64 numbers, row 0 for the en-passant squares
# and, on c8, g8, c1 and g1, for the castling rights given up. A castling gives up the other
# right of its side with its key; the right it uses goes without one.
def zobrist_table():
    mask, state, table = (1 << 64) - 1, 0x7A72E6B5C0FFEE11, []
    for _ in range(13):
        row = []
        for _ in range(64):
            state = (state + 0x9E3779B97F4A7C15) & mask
            z = ((state ^ (state >> 30)) * 0xBF58476D1CE4E5B9) & mask
            z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & mask
            row.append(z ^ (z >> 31))
        table.append(row)
    return table


ZOBRIST = zobrist_table()
PIECE_CODE = {'P': 1, 'p': 2, 'N': 3, 'n': 4, 'B': 5, 'b': 6, 'R': 7, 'r': 8, 'Q': 9, 'q': 10, 'K': 11, 'k': 12}
RIGHT_KEY = {'q': ZOBRIST[0][2], 'k': ZOBRIST[0][6], 'Q': ZOBRIST[0][58], 'K': ZOBRIST[0][62]}
RIGHT_USED = {12: 'k', 13: 'K', 14: 'q', 15: 'Q'}


def engine_key(pos):
    key = pos.lost ^ (ZOBRIST[0][pos.ep] if pos.ep is not None else 0)
    for s, piece in enumerate(pos.board):
        if piece != '.':
            key ^= ZOBRIST[PIECE_CODE[piece]][s]
    return key


def own(piece, white):
    return piece != '.' and piece.isupper() == white


def attacked(board, square, by_white):
    """Whether a piece of the colour `by_white` attacks `square`."""
    pawn, knight, bishop, rook, queen, king = ('PNBRQK' if by_white else 'pnbrqk')
    r, c = divmod(square, 8)
    pr = r + 1 if by_white else r - 1           # white pawns attack towards rank 8
    if 0 <= pr < 8:
        for pc in (c - 1, c + 1):
            if 0 <= pc < 8 and board[pr * 8 + pc] == pawn:
                return True
    if any(board[s] == knight for s in KNIGHT_STEPS[square]):
        return True
    if any(board[s] == king for s in KING_STEPS[square]):
        return True
    for lines, slider in ((ROOK_RAYS, rook), (BISHOP_RAYS, bishop)):
        for line in lines[square]:
            for s in line:
                if board[s] != '.':
                    if board[s] in (slider, queen):
                        return True
                    break
    return False


def king_square(board, white):
    king = 'K' if white else 'k'
    return board.index(king) if king in board else None


def in_check(pos, white=None):
    white = pos.white if white is None else white
    k = king_square(pos.board, white)
    return k is not None and attacked(pos.board, k, not white)


def pseudo_moves(pos):
    board, white, moves = pos.board, pos.white, []
    forward = -8 if white else 8
    start_row, last_row = (6, 0) if white else (1, 7)

    def add_pawn(o, t, capture):
        if t // 8 == last_row:
            for letter, kind in PROMOTE.items():
                moves.append(Move(o, t, kind + (4 if capture else 0), letter))
        else:
            moves.append(Move(o, t, CAPTURE if capture else QUIET))

    for o, piece in enumerate(board):
        if not own(piece, white):
            continue
        kind = piece.upper()
        if kind == 'P':
            t = o + forward
            if board[t] == '.':
                add_pawn(o, t, False)
                if o // 8 == start_row and board[t + forward] == '.':
                    moves.append(Move(o, t + forward, QUIET))
            for dc in (-1, 1):
                if 0 <= o % 8 + dc < 8:
                    t = o + forward + dc
                    if board[t] != '.' and not own(board[t], white):
                        add_pawn(o, t, True)
                    elif t == pos.ep:
                        moves.append(Move(o, t, EN_PASSANT))
            continue
        if kind in 'NK':
            targets = (KNIGHT_STEPS if kind == 'N' else KING_STEPS)[o]
        else:
            lines = (ROOK_RAYS[o] if kind == 'R' else []) + (BISHOP_RAYS[o] if kind == 'B' else [])
            if kind == 'Q':
                lines = ROOK_RAYS[o] + BISHOP_RAYS[o]
            targets = []
            for line in lines:
                for t in line:
                    targets.append(t)
                    if board[t] != '.':
                        break
        for t in targets:
            if board[t] == '.':
                moves.append(Move(o, t, QUIET))
            elif not own(board[t], white):
                moves.append(Move(o, t, CAPTURE))
    # Castling: rights, empty squares between, and a king that neither stands in, passes nor
    # lands on an attacked square.
    for right, (k, empty, path, kind) in {
            'K': (60, (61, 62), (60, 61, 62), 13), 'Q': (60, (57, 58, 59), (60, 59, 58), 15),
            'k': (4, (5, 6), (4, 5, 6), 12), 'q': (4, (1, 2, 3), (4, 3, 2), 14)}.items():
        if right in pos.rights and right.isupper() == white and all(board[s] == '.' for s in empty) \
                and not any(attacked(board, s, not white) for s in path):
            moves.append(Move(k, path[-1], kind))
    return moves


def play(pos, move):
    """The position after `move` (a new object)."""
    board = pos.board[:]
    piece, captured = board[move.origin], board[move.target]
    board[move.target], board[move.origin] = piece, '.'
    if move.kind == EN_PASSANT:
        captured = board[move.target + (8 if pos.white else -8)]
        board[move.target + (8 if pos.white else -8)] = '.'
    if move.promotion:
        board[move.target] = move.promotion.upper() if pos.white else move.promotion
    if move.kind in CASTLING_ROOK:
        rook_from, rook_to = CASTLING_ROOK[move.kind]
        board[rook_to], board[rook_from] = board[rook_from], '.'
    rights = ''.join(r for r in pos.rights
                     if r not in RIGHTS_LOST.get(move.origin, '') + RIGHTS_LOST.get(move.target, ''))
    ep = (move.origin + move.target) // 2 if piece in 'Pp' and abs(move.target - move.origin) == 16 else None
    irreversible = piece in 'Pp' or captured != '.'
    history = [] if irreversible else pos.history + [(tuple(pos.board), pos.white)]
    lost = pos.lost
    for right in pos.rights:
        if right not in rights and right != RIGHT_USED.get(move.kind):
            lost ^= RIGHT_KEY[right]
    return Position(board, not pos.white, rights, ep, history, lost)


def legal_moves(pos):
    result = []
    for move in pseudo_moves(pos):
        if pos.board[move.target] in 'Kk':
            continue
        after = play(pos, move)
        if not in_check(after, pos.white):
            result.append(move)
    return result


def fen(pos):
    rows = []
    for r in range(8):
        row, empty = '', 0
        for piece in pos.board[r * 8:r * 8 + 8]:
            if piece == '.':
                empty += 1
            else:
                row += (str(empty) if empty else '') + piece
                empty = 0
        rows.append(row + (str(empty) if empty else ''))
    return '%s %s %s %s' % ('/'.join(rows), 'w' if pos.white else 'b', pos.rights or '-',
                            square_name(pos.ep) if pos.ep is not None else '-')


def san(pos, move, legal):
    """Standard algebraic text of a legal move."""
    if move.kind >= 12:
        text = 'O-O' if move.kind in (12, 13) else 'O-O-O'
    else:
        piece = pos.board[move.origin].upper()
        capture = move.kind in (CAPTURE, EN_PASSANT) or move.kind >= 8
        if piece == 'P':
            text = (square_name(move.origin)[0] + 'x' if capture else '') + square_name(move.target)
            if move.promotion:
                text += '=' + move.promotion.upper()
        else:
            rivals = [m.origin for m in legal if m.target == move.target and m.origin != move.origin
                      and pos.board[m.origin] == pos.board[move.origin]]
            qualifier = ''
            if rivals:
                name = square_name(move.origin)
                if all(r % 8 != move.origin % 8 for r in rivals):
                    qualifier = name[0]
                elif all(r // 8 != move.origin // 8 for r in rivals):
                    qualifier = name[1]
                else:
                    qualifier = name
            text = piece + qualifier + ('x' if capture else '') + square_name(move.target)
    after = play(pos, move)
    if in_check(after):
        text += '#' if not legal_moves(after) else '+'
    return text


def reachable_material(board, white):
    count = collections.Counter(p for p in board if own(p, white))
    pawns = count['P' if white else 'p']
    promoted = sum(max(0, count[(k if white else k.lower())] - n) for k, n in
                   (('Q', 1), ('R', 2), ('B', 2), ('N', 2)))
    return pawns <= 8 and pawns + promoted <= 8


def read_position_text(text):
    """The engine's reading of a setboard text: (position, operand or None) or (None, reason). The
    operand is that of an EPD "bm" or "am" operation after the FEN."""
    text = text.split('\0', 1)[0]       # the engine reads a C string: nothing after a NUL
    at = lambda i: text[i] if i < len(text) else ''
    i = 0
    while at(i) == ' ':
        i += 1
    board, square = ['.'] * 64, 0
    while square < 64:
        c = at(i)
        i += 1
        if c in '12345678' and c:
            square += int(c)
        elif c == '/':
            continue
        elif c and c in 'PNBRQKpnbrqk':
            if c in 'Pp' and square // 8 in (0, 7):
                return None, 'pawn on the first or last rank'
            board[square] = c
            square += 1
        else:
            return None, 'bad board character %r' % c
    if board.count('K') != 1 or board.count('k') != 1:
        return None, 'not one king of each colour'
    while at(i) == ' ':
        i += 1
    if at(i) not in ('w', 'W', 'b', 'B') or not at(i):
        return None, 'bad side to move %r' % at(i)
    white = at(i) in 'wW'
    i += 1
    while at(i) == ' ':
        i += 1
    rights = ''
    for _ in range(4):
        c = at(i)
        if c:
            i += 1
        if c and c in 'KQkq':
            rights += c
        else:
            break
    homes = {'K': (60, 'K', 63, 'R'), 'Q': (60, 'K', 56, 'R'), 'k': (4, 'k', 7, 'r'), 'q': (4, 'k', 0, 'r')}
    rights = ''.join(r for r in 'KQkq' if r in rights and board[homes[r][0]] == homes[r][1]
                     and board[homes[r][2]] == homes[r][3])
    while at(i) == ' ':
        i += 1
    ep = None
    if at(i) != '-' and at(i):
        file, rank = at(i), at(i + 1)
        i += 2 if rank else 1
        if file and file in 'abcdefgh' and rank and rank in '12345678':
            s = square_of(file + rank)
            if white:
                plausible = s // 8 == 2 and board[s] == '.' and board[s - 8] == '.' and board[s + 8] == 'p'
            else:
                plausible = s // 8 == 5 and board[s] == '.' and board[s + 8] == '.' and board[s - 8] == 'P'
            ep = s if plausible else None
    while at(i) and at(i) not in 'ab':
        i += 1
    operand = None
    if at(i) and at(i + 1) == 'm' and at(i + 2) == ' ' and at(i + 3):
        j = i + 3
        while j - (i + 3) < 9 and at(j) and at(j) not in '; ':
            j += 1
        if at(j) and at(j) in '; ':
            operand = text[i + 3:j]
    pos = Position(board, white, rights, ep)
    if not reachable_material(board, True) or not reachable_material(board, False):
        return None, 'material no game can reach'
    if in_check(pos, not white):
        return None, 'the side not to move is in check'
    return pos, operand



def setup(text):
    """The position of a FEN text the engine accepts, or None."""
    pos, _ = read_position_text(' ' + text + '\n')
    return pos


def taken_back_key(line):
    """The key of the position a take-back reached, from its line in the engine's log ("-M: took
    back <count>: <high half> <low half>", the halves in hexadecimal); None for any other line."""
    if not line.startswith('-M: took back '):
        return None
    high, low = line.split(': ')[-1].split()
    return int(high, 16) << 32 | int(low, 16)


# Knights' places among the five squares left after bishops and queen, by a Chess960 start's
# number (its knights' part, 0 to 9).
KNIGHT_PLACES = [(0, 1), (0, 2), (0, 3), (0, 4), (1, 2), (1, 3), (1, 4), (2, 3), (2, 4), (3, 4)]


def chess960_start(number):
    """The FEN of Chess960 start position `number` (0 to 959; 518 is the initial position), with
    its rights as KQkq: bishops on opposite colours, queen, knights, and the king between the rooks."""
    files = [None] * 8
    number, light = divmod(number, 4)
    files[2 * light + 1] = 'B'
    number, dark = divmod(number, 4)
    files[2 * dark] = 'B'
    knights, queen = divmod(number, 6)
    free = [f for f in range(8) if files[f] is None]
    files[free[queen]] = 'Q'
    free = [f for f in range(8) if files[f] is None]
    for i in KNIGHT_PLACES[knights]:
        files[free[i]] = 'N'
    free = [f for f in range(8) if files[f] is None]
    for f, piece in zip(free, 'RKR'):
        files[f] = piece
    back = ''.join(files)
    return '%s/pppppppp/8/8/8/8/PPPPPPPP/%s w KQkq - 0 1' % (back.lower(), back)
