// The screen state machine: its per-frame update and drawing, the clocks, and the menu
// state that the screens draw.
#pragma once

// Milliseconds since start-up, and since the current screen state began.
extern float totalTime;
extern float stateTimer;
// The current screen, 0 to 23.
extern int screenState;

// The view over the menu plane; a screen element at (X, Y) is drawn at (X - scroll).
extern float menuScrollX;
extern float menuScrollY;
extern float menuSlideTarget;
extern int menuSlideNextState;
// 1 while the connecting screen stands for a connect, 0 for a disconnect.
extern int menuConnecting;
extern float menuBackgroundScale;

extern int menuMainSelection;
extern float menuMainCursor;
extern const float menuMainCursorTargets[4];
extern int menuSettingsSelection;
extern float menuSettingsCursor;
extern const float menuSettingsCursorTargets[4];
extern int menuMultiplayerSelection;
extern float menuMultiplayerCursor;
extern const float menuMultiplayerCursorTargets[4];
extern int menuLobbySelection;
extern float menuLobbyCursor;
extern const float menuLobbyCursorTargets[3];
extern int lobbyOption;
extern float menuLobbyBarHeight;
extern const float menuLobbyBarHeights[3];

// The multiplayer screen's text entry and on-screen keyboard.
extern int keyboardActive;
extern float keyboardOffset;
extern int keyboardRow;
extern int keyboardColumn;
extern const char keyboardKeys[40];

void stateUpdate(float dt);
void stateDraw();
