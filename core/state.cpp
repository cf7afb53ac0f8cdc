// Stand-in for the screen state machine until the screens are built: clocks and a black
// menu frame.
#include "core/state.h"

#include "core/input.h"
#include "video/video.h"

float totalTime = 0;
float stateTimer = 0;
int screenState = 0;

void stateUpdate(float dt) {
    if (dt < 0.01f) dt = 0.01f;
    totalTime += dt;
    stateTimer += dt;
    inputButtonsPrevious = inputButtons;
}

void stateDraw() {
    videoClear(0, 0, 0, 255);
    videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
    videoTextureAtlasBind(0);
}
