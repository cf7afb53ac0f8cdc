// A deadline for a test step that a fault could leave waiting for ever: past it the test
// process ends with a line that says what it waited for, where CTest's time-out would end it
// without one. failAfter(0, "") clears it.
#pragma once

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

inline const char *deadlineWhat = "";

inline void failAfter(unsigned seconds, const char *what) {
    deadlineWhat = what;
    signal(SIGALRM, [](int) {
        fflush(stdout); // the failures so far, then the line
        (void)!write(2, "\nFAIL: ", 7);
        (void)!write(2, deadlineWhat, strlen(deadlineWhat));
        (void)!write(2, "\n", 1);
        _exit(1);
    });
    alarm(seconds);
}
