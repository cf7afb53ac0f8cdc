// The game world: start-up assets, level set-up, the play state's update and drawing.
#pragma once

extern const int playerColours[4][3];

void gameInit();
void gameLevelInit();
void gameUpdate(float dt);
void gameDraw();
