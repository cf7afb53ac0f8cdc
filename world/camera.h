// The in-game camera and the play state's update: pan, zoom, tilt, orders and selection.
#pragma once

#include <cstdint>

extern float camX;
extern float camY;
extern float camZ;    // -1500 (nearest the ground) to 0
extern float camTilt; // degrees about x, 0 to 70
extern int32_t camTiltMode;

// The ground point that an order aims at, from the camera as it stands.
void cameraOrderPoint(float *tX, float *tY);
