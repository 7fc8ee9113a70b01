#include "search/transposition.h"

#include <cstring>

HashEntry hashTable[2][HASH_BUCKETS][2];
uint16_t hashGeneration = 1;

void clearHashTable() { std::memset(hashTable, 0, sizeof hashTable); }
