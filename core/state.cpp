// Stand-in for the screen state machine until the screens are built: the state it owns,
// the clocks and the stored button mask.
#include "core/state.h"

#include "core/input.h"

float totalTime = 0;
float stateTimer = 0;
int screenState = 0;

float menuScrollX = 0;
float menuScrollY = 0;
float menuSlideTarget = 0;
int menuSlideNextState = 0;
int menuConnecting = 0;
float menuBackgroundScale = 38.0f;

int menuMainSelection = 0;
float menuMainCursor = 0.0f;
const float menuMainCursorTargets[4] = {0, 7.6f, 15.2f, 22.8f};
int menuSettingsSelection = 3;
float menuSettingsCursor = 15.4f;
const float menuSettingsCursorTargets[4] = {-7.6f, 0, 7.6f, 15.4f};
int menuMultiplayerSelection = 3;
float menuMultiplayerCursor = 30.0f;
const float menuMultiplayerCursorTargets[4] = {-7.6f, 0, 22, 30};
int menuLobbySelection = 2;
float menuLobbyCursor = 36.5f;
const float menuLobbyCursorTargets[3] = {10, 28.5f, 36.5f};
int lobbyOption = 0;
float menuLobbyBarHeight = 8.0f;
const float menuLobbyBarHeights[3] = {26, 8, 8};

int keyboardActive = 0;
float keyboardOffset = 50.0f;
int keyboardRow = 3;
int keyboardColumn = 9;
const char keyboardKeys[40] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0',
                               'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',
                               'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T',
                               'U', 'V', 'W', 'X', 'Y', 'Z', '.', '.', '.', '@'};

void stateUpdate(float dt) {
    if (dt < 0.01f) dt = 0.01f;
    totalTime += dt;
    stateTimer += dt;
    inputButtonsPrevious = inputButtons;
}
