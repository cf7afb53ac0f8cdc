// The program's own random generator: 48-bit linear congruential, the step of mrand48
// (multiplier 0x5DEECE66D, increment 11, modulus 2^48), the high 32 bits returned signed.
#include "world/random.h"

uint64_t randomState = 0;

static constexpr uint64_t randomMultiplier = 0x5DEECE66DULL;
static constexpr uint64_t randomIncrement = 11;
static constexpr uint64_t randomMask = (uint64_t(1) << 48) - 1;

void randomSeed(uint32_t low, uint32_t high) {
    randomState = (uint64_t(high) << 32) | low;
}

int32_t randomNext() {
    // A seed of 2^48 or more is reduced here, on its first step.
    randomState = (randomState * randomMultiplier + randomIncrement) & randomMask;
    return int32_t(uint32_t(randomState >> 16));
}
