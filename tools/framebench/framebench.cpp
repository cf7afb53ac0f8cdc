// Times the client's real frame loop: start-up as the game does it, then whole frames
// (buttons, events, update, draw, swap, 1 ms sleep) for a while, in a chosen screen.
//   framebench [seconds] [bare|splash|menu]
// "bare" holds the first splash state before its scroll (a black frame: the bare loop),
// "splash" holds the first splash picture in view, "menu" the main menu at rest.
// Prints the frame count, frames per second and the median frame time.
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "core/main.h"
#include "core/state.h"

int main(int argc, char **argv) {
    double seconds = argc > 1 ? atof(argv[1]) : 5.0;
    const char *screen = argc > 2 ? argv[2] : "bare";
    if (mainStartup() != 0) return 1;
    bool hold = strcmp(screen, "menu") != 0;
    if (strcmp(screen, "splash") == 0) {
        screenState = 1;
        menuScrollX = 400;
    } else if (!hold) {
        screenState = 6;
        menuScrollX = 1100;
        menuScrollY = 0;
    }
    std::vector<double> times;
    times.reserve(200000);
    uint32_t previous = SDL_GetTicks();
    uint32_t start = previous;
    while (SDL_GetTicks() - start < seconds * 1000) {
        struct timespec a, b;
        clock_gettime(CLOCK_MONOTONIC, &a);
        mainFrame(&previous);
        clock_gettime(CLOCK_MONOTONIC, &b);
        times.push_back((b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6);
        if (hold) stateTimer = 0; // the splash states would move on
    }
    double elapsed = (SDL_GetTicks() - start) / 1000.0;
    std::sort(times.begin(), times.end());
    printf("%s: %zu frames in %.2f s, %.0f frames/s, median frame %.3f ms, 99th %.3f ms\n", screen,
           times.size(), elapsed, times.size() / elapsed, times[times.size() / 2],
           times[times.size() * 99 / 100]);
    SDL_Quit();
    return 0;
}
