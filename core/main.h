// The client's start-up, its frame loop and the GL state set-up.
#pragma once

#include <cstdint>

// The size asked of the video mode; a resize event replaces it.
extern int windowWidth;
extern int windowHeight;
// Set by Escape or the window's close; the loop ends at the top of the next frame.
extern int mainQuit;

void mainGlSetup(int width, int height);
int64_t mainTimeGet();

// Start-up, step by step; returns 0, or the exit status when SDL or the window fails.
int mainStartup();
// Frame time from the tick count: the signed difference to *previous, at least 1 ms.
float mainFrameTime(uint32_t now, uint32_t *previous);
// The window's events: a resize sets the video mode and the GL state again; quit.
void mainEvents();
// One frame of the loop: buttons, time, events, update, draw, swap, 1 ms sleep.
void mainFrame(uint32_t *previous);
// Frames until quit, then SDL_Quit; returns the exit status 0.
int mainLoop();
// The whole program after its entry: start-up, frames until quit, SDL_Quit.
int mainRun();
