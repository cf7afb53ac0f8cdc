// Time for both programs over POSIX: nanosleep and the real-time clock.
#include "platform/sys.h"

#include <ctime>

void platformSleepMilliseconds(int milliseconds) {
    if (milliseconds <= 0) return;
    timespec t{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal cuts the sleep short; that is wanted, so the caller sees a quit flag at once.
    nanosleep(&t, nullptr);
}

int64_t platformClockMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

int64_t platformClockSeconds() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<int64_t>(t.tv_sec);
}
