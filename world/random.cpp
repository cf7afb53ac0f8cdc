// Stand-in until the game world is built: keeps the seed only.
#include "world/random.h"

static uint64_t randomState = 0;

void randomSeed(uint32_t low, uint32_t high) { randomState = (uint64_t(high) << 32) | low; }
