// The screen state machine: its per-frame update and drawing, and the clocks.
#pragma once

// Milliseconds since start-up, and since the current screen state began.
extern float totalTime;
extern float stateTimer;
extern int screenState;

void stateUpdate(float dt);
void stateDraw();
