// Times the client's real frame loop: start-up as the game does it, then whole frames
// (buttons, events, update, draw, swap, 1 ms sleep) for a while, in a chosen screen.
//   framebench [seconds] [bare|splash|menu|play|play-low]
// "bare" holds the first splash state before its scroll (a black frame: the bare loop),
// "splash" holds the first splash picture in view, "menu" the main menu at rest, "play"
// the living quick-test game at high quality and "play-low" at low quality.
// Prints the frame count, frames per second and the median frame time; in play, also the
// game update alone, timed over as many frames on a fresh level.
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "core/main.h"
#include "core/state.h"
#include "video/video.h"
#include "world/camera.h"
#include "world/game.h"

int main(int argc, char **argv) {
    double seconds = argc > 1 ? atof(argv[1]) : 5.0;
    const char *screen = argc > 2 ? argv[2] : "bare";
    if (mainStartup() != 0) return 1;
    bool play = strncmp(screen, "play", 4) == 0;
    bool hold = strcmp(screen, "menu") != 0 && !play;
    if (play) {
        screenState = 23;
        videoSetQuality(strcmp(screen, "play-low") == 0 ? 0 : 1);
        gameLevelInit();
        camZ = -1200; // near enough that particles are drawn too
    } else if (strcmp(screen, "splash") == 0) {
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
    int atlas = -2; // the atlas bound by the first frame; a later upload would change it
    while (SDL_GetTicks() - start < seconds * 1000) {
        struct timespec a, b;
        clock_gettime(CLOCK_MONOTONIC, &a);
        mainFrame(&previous);
        clock_gettime(CLOCK_MONOTONIC, &b);
        times.push_back((b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6);
        if (hold) stateTimer = 0; // the splash states would move on
        if (atlas == -2) atlas = boundAtlas;
    }
    double elapsed = (SDL_GetTicks() - start) / 1000.0;
    std::sort(times.begin(), times.end());
    printf("%s: %zu frames in %.2f s, %.0f frames/s, median frame %.3f ms, 99th %.3f ms\n", screen,
           times.size(), elapsed, times.size() / elapsed, times[times.size() / 2],
           times[times.size() * 99 / 100]);
    if (play) {
        // The update alone, at the frame rate just measured, from a fresh level.
        float dt = float(elapsed * 1000 / double(times.size()));
        gameLevelInit();
        struct timespec a, b;
        clock_gettime(CLOCK_MONOTONIC, &a);
        for (size_t i = 0; i < times.size(); i++)
            gameUpdate(dt);
        clock_gettime(CLOCK_MONOTONIC, &b);
        double ms = (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6;
        printf("%s: game update alone %.4f ms a frame (%zu updates of %.2f ms), %.2f%% of the "
               "median frame; atlas %s\n",
               screen, ms / double(times.size()), times.size(), double(dt),
               100 * ms / double(times.size()) / times[times.size() / 2],
               atlas == boundAtlas ? "bound once" : "re-bound");
    }
    SDL_Quit();
    return 0;
}
