// The play state's update: the camera's pan, zoom and tilt, the order to the selected unit
// (to a point, or into a base near it), the selection, then the world's own update.
#include "world/camera.h"

#include <cstdio>

#include "core/input.h"
#include "world/game.h"
#include "world/map.h"
#include "world/particle.h"
#include "world/scenery.h"
#include "world/unit.h"

float camX = 0;
float camY = 0;
float camZ = 0;
float camTilt = 0;
int32_t camTiltMode = 0;

static constexpr float cameraZoomNearest = -1500;
static constexpr float cameraZoomSpeed = 0.8f;
static constexpr float cameraTiltSpeed = 0.1f;
static constexpr float cameraTiltLimits[3] = {0, 40, 70};
// An order within 30 units of a standing base's centre goes into the base (squared).
static constexpr float cameraBaseReachSquared = 900;

void cameraOrderPoint(float *tX, float *tY) {
    *tX = camX;
    *tY = camY + (cameraZoomNearest - camZ) * camTilt * 0.017f - 50;
}

// Sends the selected unit to the order point, or into a standing base within reach of it.
static void cameraOrder() {
    float tX, tY;
    cameraOrderPoint(&tX, &tY);
    fprintf(stderr, "tX = %.3f tY = %.3f\n", double(tX), double(tY));
    Unit &u = units[selectedUnit];
    u.aiState = 1;
    for (int i = 0; i < 4; i++) {
        if (baseAlive[i] == 0) continue;
        float bx = float(baseCells[i][0]) * mapCellWidth;
        float by = float(baseCells[i][1]) * mapCellHeight;
        float dx = tX - bx, dy = tY - by;
        if (dx * dx + dy * dy < cameraBaseReachSquared) {
            tX = bx;
            tY = by;
            u.aiState = 2;
            u.targetBase = i;
            break;
        }
    }
    u.targetX = tX;
    u.targetY = tY;
    u.postX = tX;
    u.postY = tY;
}

void gameUpdate(float dt) {
    const ButtonMask held = inputButtons;
    // The pan speed follows the zoom that the frame starts with: dt far out, dt / 6 near.
    float pan = dt + dt * camZ / 1800;
    if (held & buttonLeft) camX -= pan;
    if (held & buttonRight) camX += pan;
    if (held & buttonUp) camY -= pan;
    if (held & buttonDown) camY += pan;

    if (held & buttonL) camZ += cameraZoomSpeed * dt;
    if (held & buttonR) camZ -= cameraZoomSpeed * dt;
    if (camZ < cameraZoomNearest) camZ = cameraZoomNearest;
    if (camZ > 0) camZ = 0;

    if (inputPressed(held, buttonY) && ++camTiltMode == 3) camTiltMode = 0;
    if (camTiltMode == 0) {
        camTilt -= cameraTiltSpeed * dt;
        if (camTilt < 0) camTilt = 0;
    } else {
        camTilt += cameraTiltSpeed * dt;
        float limit = cameraTiltLimits[camTiltMode];
        if (camTilt > limit) camTilt = limit;
    }

    if (inputPressed(held, buttonA)) cameraOrder();
    if (inputPressed(held, buttonB)) unitSelectNext();

    unitUpdateAll(dt);
    sceneryEmittersUpdate(dt);
    particleUpdateAll(dt);
}
