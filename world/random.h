// The program's own 48-bit linear congruential random generator: one stream for the whole
// client, seeded once at start-up.
#pragma once

#include <cstdint>

extern uint64_t randomState;

// The seed becomes the state unchanged: low word, then high word.
void randomSeed(uint32_t low, uint32_t high);
// One step; bits 16 to 47 of the new state as a signed number.
int32_t randomNext();
