// The program's own 48-bit linear congruential random generator.
#pragma once

#include <cstdint>

void randomSeed(uint32_t low, uint32_t high);
