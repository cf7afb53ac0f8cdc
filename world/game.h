// The game world: start-up assets, level set-up, the play state's update and drawing.
#pragma once

#include "audio/audio.h"

extern const int playerColours[4][3];
extern const char *const musicTracks[1];
extern const SfxEntry soundEffects[1];

void gameInit();
void gameLevelInit();
void gameUpdate(float dt);
void gameDraw();
void gameHudInit();
void gameHudDraw();
