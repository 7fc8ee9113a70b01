#include "search/transposition.h"

#include "support.h"

namespace {

// Positions are addressed by hashKey and sideToMove alone, so the tests pose as positions
// by setting those two fields. Keys with equal low 18 bits share a bucket.
constexpr uint64_t KEY_A = 0x123456789ABC0042ULL;
constexpr uint64_t KEY_B = 0x0FEDCBA987640042ULL;
constexpr uint64_t KEY_C = 0x5555AAAA33300042ULL;
constexpr Move MOVE_1 = 3364, MOVE_2 = 3902, MOVE_3 = 1234;

void poseAs(uint64_t key, Colour side = WHITE) {
    game.position.hashKey = key;
    game.position.sideToMove = side;
}

struct Read {
    Move move;
    int depth;
    uint32_t bound;
    int score;
};

// The entry found for `key`, or a move of 0 when there is none.
Read readBack(uint64_t key, Colour side = WHITE) {
    poseAs(key, side);
    const HashEntry* e = probedEntry();
    if (!e) return {0, -1, 0, 0};
    return {entryMove(*e), entryDepth(*e), entryBound(*e), entryScore(*e)};
}

const HashEntry& slot(uint64_t key, int index, int side = WHITE) { return bucketOf(side, key)[index]; }

class TranspositionTable : public ::testing::Test {
protected:
    void SetUp() override {
        initTablesOnce();
        clearHashTable();
        hashGeneration = 1;
    }
    void TearDown() override { hashGeneration = 1; }
};

}  // namespace

TEST_F(TranspositionTable, EntriesKeepEveryFieldAndTheSidesApart) {
    poseAs(KEY_A, WHITE);
    storeHash(game.position, 7, UPPER_BOUND, MOVE_1, -8095);
    poseAs(KEY_A, BLACK);
    EXPECT_EQ(probedEntry(), nullptr);
    storeHash(game.position, 63, LOWER_BOUND, MOVE_2, 8099);
    Read white = readBack(KEY_A, WHITE), black = readBack(KEY_A, BLACK);
    EXPECT_EQ(white.move, MOVE_1);
    EXPECT_EQ(white.depth, 7);
    EXPECT_EQ(white.bound, UPPER_BOUND);
    EXPECT_EQ(white.score, -8095);   // the table gives back what it was given
    EXPECT_EQ(black.move, MOVE_2);
    EXPECT_EQ(black.depth, 63);
    EXPECT_EQ(black.bound, LOWER_BOUND);
    EXPECT_EQ(black.score, 8099);
    EXPECT_EQ(entryGeneration(slot(KEY_A, 0)), 1);
    // Same bucket, other key: not found.
    EXPECT_EQ(readBack(KEY_B).move, 0);
}

TEST_F(TranspositionTable, SamePositionKeepsTheDeeperOrMoreExactResult) {
    poseAs(KEY_A);
    storeHash(game.position, 5, LOWER_BOUND, MOVE_1, 10);
    storeHash(game.position, 5, EXACT_BOUND, MOVE_2, 20);   // equally deep and exact: replaces
    EXPECT_EQ(readBack(KEY_A).move, MOVE_2);
    poseAs(KEY_C);
    storeHash(game.position, 3, EXACT_BOUND, MOVE_1, 7);    // another position beside it
    poseAs(KEY_A);
    storeHash(game.position, 5, LOWER_BOUND, MOVE_3, 30);   // equally deep bound over exact: nothing stored,
    EXPECT_EQ(readBack(KEY_A).score, 20);
    EXPECT_EQ(readBack(KEY_C).score, 7);     // not even over the other position
    storeHash(game.position, 4, EXACT_BOUND, MOVE_3, 40);   // shallower: nothing
    EXPECT_EQ(readBack(KEY_A).score, 20);
    storeHash(game.position, 6, UPPER_BOUND, MOVE_3, 50);   // deeper: replaces, whatever the bound
    EXPECT_EQ(readBack(KEY_A).move, MOVE_3);
    EXPECT_EQ(readBack(KEY_A).bound, UPPER_BOUND);
}

// A thread may read a slot while another writes it, and see some of its words from one write and
// the rest from the other: such a slot is no entry at all, rather than one write's move or bound
// with the other's score.
TEST_F(TranspositionTable, WordsOfTwoWritesAreNoEntry) {
    poseAs(KEY_A);
    storeHash(game.position, 5, UPPER_BOUND, MOVE_1, -300);
    const HashEntry first = slot(KEY_A, 0);
    storeHash(game.position, 9, LOWER_BOUND, MOVE_2, 8097);
    const HashEntry second = slot(KEY_A, 0);
    HashEntry& shared = bucketOf(WHITE, KEY_A)[0];
    for (int mix = 1; mix < 7; ++mix) {   // which words come from the first write
        shared.word0 = mix & 1 ? first.word0 : second.word0;
        shared.word1 = mix & 2 ? first.word1 : second.word1;
        shared.word2 = mix & 4 ? first.word2 : second.word2;
        EXPECT_EQ(readBack(KEY_A).move, 0) << mix;
    }
    shared = first;
    EXPECT_EQ(readBack(KEY_A).score, -300);
}

TEST_F(TranspositionTable, ClearedBucketTakesEvenDepthZero) {
    poseAs(KEY_A);
    storeHash(game.position, 0, LOWER_BOUND, MOVE_1, 5);
    EXPECT_EQ(readBack(KEY_A).move, MOVE_1);
    EXPECT_EQ(readBack(KEY_A).depth, 0);
}

TEST_F(TranspositionTable, OtherPositionGoesToSlotOneUnlessSlotZeroIsWeaker) {
    poseAs(KEY_A);
    storeHash(game.position, 9, EXACT_BOUND, MOVE_1, 1);
    poseAs(KEY_C);
    storeHash(game.position, 5, EXACT_BOUND, MOVE_3, 3);    // slot 0 is deeper: slot 1
    poseAs(KEY_B);
    storeHash(game.position, 4, EXACT_BOUND, MOVE_2, 2);    // slot 1 again, over the deeper KEY_C
    EXPECT_EQ(readBack(KEY_A).move, MOVE_1);
    EXPECT_EQ(readBack(KEY_B).move, MOVE_2);
    EXPECT_EQ(readBack(KEY_C).move, 0);
    // Equal advantage: an exact result displaces a bound, a bound does not displace anything
    // (it takes the second place, over the position there).
    poseAs(KEY_B);
    storeHash(game.position, 9, LOWER_BOUND, MOVE_2, 4);
    EXPECT_EQ(readBack(KEY_A).move, MOVE_1);
    EXPECT_EQ(readBack(KEY_B).score, 4);
    clearHashTable();
    poseAs(KEY_A);
    storeHash(game.position, 9, UPPER_BOUND, MOVE_1, 1);
    poseAs(KEY_B);
    storeHash(game.position, 9, EXACT_BOUND, MOVE_2, 2);
    EXPECT_EQ(readBack(KEY_A).move, 0);
    EXPECT_EQ(readBack(KEY_B).move, MOVE_2);
    // A newer generation counts like depth: 3 - 9 + 7 - 1 = 0 is a tie that exact over exact
    // does not win (the second place takes it); 4 - 9 + 7 - 1 = 1 wins even as a bound.
    hashGeneration = 7;
    poseAs(KEY_C);
    storeHash(game.position, 3, EXACT_BOUND, MOVE_3, 3);
    EXPECT_EQ(readBack(KEY_B).move, MOVE_2);
    EXPECT_EQ(readBack(KEY_C).depth, 3);
    storeHash(game.position, 4, LOWER_BOUND, MOVE_3, 3);
    EXPECT_EQ(readBack(KEY_B).move, 0);
    EXPECT_EQ(readBack(KEY_C).depth, 4);
}

TEST_F(TranspositionTable, BookEntryGivesOnlyItsMoveUntilTheSearchStoresDeeper) {
    poseAs(KEY_A);
    storeBookEntry(game.position, MOVE_1);
    Read book = readBack(KEY_A);
    EXPECT_EQ(book.move, MOVE_1);
    EXPECT_EQ(book.depth, 0);
    EXPECT_EQ(book.bound, EXACT_BOUND);
    EXPECT_EQ(book.score, -8190);
    EXPECT_EQ(entryGeneration(slot(KEY_A, 0)), 0);
    storeHash(game.position, 0, LOWER_BOUND, MOVE_2, 15);   // a quiescence result does not replace it
    EXPECT_EQ(readBack(KEY_A).move, MOVE_1);
    storeHash(game.position, 1, LOWER_BOUND, MOVE_2, 15);
    EXPECT_EQ(readBack(KEY_A).move, MOVE_2);
    EXPECT_EQ(entryGeneration(slot(KEY_A, 0)), 1);
    // A book move written over a search entry keeps that entry's depth, bound and score.
    storeBookEntry(game.position, MOVE_3);
    Read over = readBack(KEY_A);
    EXPECT_EQ(over.move, MOVE_3);
    EXPECT_EQ(over.depth, 1);
    EXPECT_EQ(over.score, 15);
    EXPECT_EQ(entryGeneration(slot(KEY_A, 0)), 0);
}
