// Time for both programs: a millisecond sleep and the wall clock.
#pragma once
#include <cstdint>

void platformSleepMilliseconds(int milliseconds);
// Wall clock since 1970-01-01 00:00 UTC: whole milliseconds, and whole seconds, 64 bits
// wide so that 2038 changes nothing.
int64_t platformClockMilliseconds();
int64_t platformClockSeconds();
