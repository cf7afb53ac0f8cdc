// Start-up order, the frame loop with its millisecond timing and window events, and the
// fixed OpenGL state that every resize sets again.
#include "core/main.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <ctime>

#include "audio/audio.h"
#include "core/config.h"
#include "core/input.h"
#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/game.h"
#include "world/random.h"

int windowWidth = 960;
int windowHeight = 544;
int mainQuit = 0;

static constexpr Uint32 mainVideoFlags = SDL_HWSURFACE | SDL_OPENGL | SDL_RESIZABLE | SDL_HWACCEL;
static_assert(mainVideoFlags == 0x113);

void mainGlSetup(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -6, 6, 1, 400);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    // The texture's content may be gone with the old surface: the next bind uploads again.
    boundAtlas = -1;
}

int64_t mainTimeGet() { return int64_t(time(nullptr)); }

int mainStartup() {
    if (SDL_Init(SDL_INIT_EVERYTHING) < 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Surface *surface = SDL_SetVideoMode(windowWidth, windowHeight, 32, mainVideoFlags);
    if (!surface) {
        fprintf(stderr, "main(): SDL_SetVideoMode() failed: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_WM_SetCaption("Cogmire SDL OpenGL", nullptr);
    mainGlSetup(surface->w, surface->h);
    audioInit();
    videoInit();
    inputInit();
    int64_t now = mainTimeGet();
    randomSeed(uint32_t(uint64_t(now)), uint32_t(uint64_t(now) >> 32));
    netInit();
    gameInit();
    configLoad();
    return 0;
}

float mainFrameTime(uint32_t now, uint32_t *previous) {
    float dt = float(int32_t(now - *previous));
    if (dt < 1.0f) dt = 1.0f;
    *previous = now;
    return dt;
}

void mainEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_VIDEORESIZE) {
            // The event's size is kept even when the new mode cannot be set.
            windowWidth = event.resize.w;
            windowHeight = event.resize.h;
            SDL_Surface *surface = SDL_SetVideoMode(windowWidth, windowHeight, 32, mainVideoFlags);
            if (surface) mainGlSetup(surface->w, surface->h);
        } else if (event.type == SDL_QUIT) {
            mainQuit = 1;
        }
    }
}

void mainFrame(uint32_t *previous) {
    inputPoll();
    // Escape ends the program after this frame, which still runs to its end.
    if (inputButtons & buttonEscape) mainQuit = 1;
    float dt = mainFrameTime(SDL_GetTicks(), previous);
    mainEvents();
    stateUpdate(dt);
    stateDraw();
    videoSwapBuffers();
    SDL_Delay(1);
}

int mainLoop() {
    uint32_t previous = 0;
    while (!mainQuit) mainFrame(&previous);
    SDL_Quit();
    return 0;
}

int mainRun() {
    int status = mainStartup();
    if (status != 0) return status;
    return mainLoop();
}
