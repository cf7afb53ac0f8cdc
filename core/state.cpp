// The screen state machine's per-frame update: the clocks, the splash, the menus that
// scroll and slide over one plane, the multiplayer screen's text entry, the connecting
// screen, the lobby and the hand-over to the game.
#include "core/state.h"

#include "audio/audio.h"
#include "core/config.h"
#include "core/input.h"
#include "net/net.h"
#include "video/video.h"
#include "world/game.h"

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
// Four rows of ten keys, as the keyboard picture shows them.
// clang-format off
const char keyboardKeys[40] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0',
                               'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',
                               'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T',
                               'U', 'V', 'W', 'X', 'Y', 'Z', '.', '.', '.', '@'};
// clang-format on

// Speeds in plane (or cursor) units per millisecond.
static constexpr float stateSplashSpeed = 0.1f;
static constexpr float stateScrollSpeed = 0.4f;
static constexpr float stateCursorSpeed = 0.1f;
static constexpr float stateKeyboardSpeed = 0.1f;
static constexpr float stateBackgroundShrink = 0.005f;
static constexpr float stateBackgroundMin = 9.0f;
static constexpr float stateKeyboardHidden = 50.0f;
static constexpr float stateKeyboardShown = 16.0f;
static constexpr int stateNameMax = 15;
static constexpr int stateSoundClick = 0;

// Plane x of the screens that the slides run between.
static constexpr float statePlaneMultiplayer = 1280;
static constexpr float statePlaneConnecting = 1460;
static constexpr float statePlaneLobby = 1640;
static constexpr float statePlaneGame = 1820;

enum : int {
    stateSplash0 = 0,
    stateSplashPause0 = 1,
    stateSplashTo1 = 2,
    stateSplashPause1 = 3,
    stateSplashAway = 4,
    stateToMain = 5,
    stateMain = 6,
    stateToCredits = 7,
    stateCredits = 8,
    stateFromCredits = 9,
    stateToMultiplayer = 10,
    stateMultiplayer = 11,
    stateFromMultiplayer = 12,
    stateMultiplayerToConnecting = 13,
    stateConnecting = 14,
    stateConnectingToMultiplayer = 15,
    stateConnectingToLobby = 16,
    stateLobby = 17,
    stateLobbyToConnecting = 18,
    stateToSettings = 19,
    stateSettings = 20,
    stateFromSettings = 21,
    stateLobbyToGame = 22,
    statePlay = 23,
};

// The mask read once at the start of the update; every test of the frame uses it.
static ButtonMask stateButtons;

static bool statePressed(ButtonMask bit) {
    return inputPressed(stateButtons, bit);
}
static bool stateConfirm() {
    return statePressed(buttonReturn) || statePressed(buttonA);
}
static void stateClick() {
    audioSfxPlay(stateSoundClick);
}

static void stateEnter(int state) {
    screenState = state;
    stateTimer = 0;
}

// Moves one coordinate of the view by velocity (plane units per ms, negative to move down)
// toward end; a step that reaches or passes end lands exactly on it, and the state changes
// in that frame with the timer restarted.
static void stateScroll(float *value, float velocity, float end, float dt, int next) {
    *value += velocity * dt;
    if (velocity > 0 ? *value < end : *value > end) return;
    *value = end;
    stateEnter(next);
}

static void stateSlideBegin(int state, float target, int next) {
    screenState = state;
    menuSlideTarget = target;
    menuSlideNextState = next;
}

// The direction is set by where the target lies at the start of the frame.
static void stateSlide(float dt) {
    float velocity = menuSlideTarget > menuScrollX ? stateScrollSpeed : -stateScrollSpeed;
    stateScroll(&menuScrollX, velocity, menuSlideTarget, dt, menuSlideNextState);
}

// Moves value toward target by step, landing exactly on it.
static void stateApproach(float *value, float target, float step) {
    if (target > *value) {
        *value += step;
        if (*value > target) *value = target;
    } else if (target < *value) {
        *value -= step;
        if (*value < target) *value = target;
    }
}

static void stateSelectionMove(int *selection, int count) {
    if (statePressed(buttonUp) && --*selection < 0) *selection = count - 1;
    if (statePressed(buttonDown) && ++*selection >= count) *selection = 0;
}

// The cursor's part of the menu rule; true when the menu is at rest, so that it may act
// on this frame's confirm.
static bool stateCursorMove(float *cursor, float target, float dt) {
    stateApproach(cursor, target, stateCursorSpeed * dt);
    return *cursor == target;
}

static bool stateMenu(int *selection, float *cursor, const float *targets, int count, float dt) {
    stateSelectionMove(selection, count);
    return stateCursorMove(cursor, targets[*selection], dt);
}

static void stateMainUpdate(float dt) {
    if (!stateMenu(&menuMainSelection, &menuMainCursor, menuMainCursorTargets, 4, dt)) return;
    if (!stateConfirm()) return;
    switch (menuMainSelection) {
    case 0: // QUICK TEST: straight into play, no slide
        screenState = statePlay;
        gameLevelInit();
        break;
    case 1: // MULTIPLAYER
        screenState = stateToMultiplayer;
        break;
    case 2: // CREDITS
        screenState = stateToCredits;
        break;
    default: // SETTINGS
        screenState = stateToSettings;
        break;
    }
    stateClick();
}

static void stateSettingsUpdate(float dt) {
    if (!stateMenu(&menuSettingsSelection, &menuSettingsCursor, menuSettingsCursorTargets, 4, dt))
        return;
    if (!stateConfirm()) return;
    // The click comes after the change, so that switching sound effects off is silent.
    switch (menuSettingsSelection) {
    case 0: // GFX
        videoSetQuality(videoQuality == 0 ? 1 : 0);
        break;
    case 1: // MUSIC
        audioMusicSetEnabled(musicOn == 1 ? 0 : 1);
        break;
    case 2: // SFX
        audioSfxSetEnabled(sfxOn == 1 ? 0 : 1);
        break;
    default: // BACK
        screenState = stateFromSettings;
        break;
    }
    stateClick();
}

// Appends the key's character to a name while it has room, keeping the zero behind it.
static void stateNameType(char *name, int *length, char c) {
    if (*length >= stateNameMax) return;
    name[*length] = c;
    ++*length;
}

static void stateNameDelete(char *name, int *length) {
    if (*length <= 0) return;
    --*length;
    name[*length] = 0;
}

// The multiplayer screen: its menu, and the on-screen keyboard that slides in for text
// entry on NAME and SERVER and takes the buttons while it is out.
static void stateMultiplayerUpdate(float dt) {
    int &selection = menuMultiplayerSelection;
    if (keyboardOffset >= stateKeyboardHidden) stateSelectionMove(&selection, 4);
    bool atRest =
        stateCursorMove(&menuMultiplayerCursor, menuMultiplayerCursorTargets[selection], dt);

    if (keyboardActive == 1) {
        keyboardOffset -= stateKeyboardSpeed * dt;
        if (keyboardOffset < stateKeyboardShown) keyboardOffset = stateKeyboardShown;
    } else {
        keyboardOffset += stateKeyboardSpeed * dt;
        if (keyboardOffset > stateKeyboardHidden) keyboardOffset = stateKeyboardHidden;
    }

    if (keyboardOffset < stateKeyboardHidden) {
        // The keyboard is out or moving: it takes the buttons, one action a frame.
        if (statePressed(buttonReturn)) {
            keyboardActive = 0;
            stateClick();
            configSave();
        } else if (statePressed(buttonA)) {
            stateClick();
            if (keyboardRow == 3 && keyboardColumn == 9) { // the done key
                keyboardActive = 0;
                configSave();
            } else {
                char c = keyboardKeys[keyboardRow * 10 + keyboardColumn];
                if (selection == 0)
                    stateNameType(myPlayerName, &myPlayerNameLength, c);
                else if (selection == 1)
                    stateNameType(serverName, &serverNameLength, c);
            }
        } else if (statePressed(buttonB)) {
            stateClick();
            if (selection == 0)
                stateNameDelete(myPlayerName, &myPlayerNameLength);
            else if (selection == 1)
                stateNameDelete(serverName, &serverNameLength);
        } else if (statePressed(buttonUp)) {
            if (--keyboardRow < 0) keyboardRow = 3;
        } else if (statePressed(buttonDown)) {
            if (++keyboardRow > 3) keyboardRow = 0;
        } else if (statePressed(buttonLeft)) {
            if (--keyboardColumn < 0) keyboardColumn = 9;
        } else if (statePressed(buttonRight)) {
            if (++keyboardColumn > 9) keyboardColumn = 0;
        }
        return;
    }

    if (!atRest || !stateConfirm()) return;
    stateClick();
    switch (selection) {
    case 3: // BACK
        screenState = stateFromMultiplayer;
        break;
    case 2: // CONNECT
        stateSlideBegin(stateMultiplayerToConnecting, statePlaneConnecting, stateConnecting);
        menuConnecting = 1;
        netConnectBegin();
        netConnect(myPlayerName, serverName);
        break;
    default: // NAME or SERVER: the keyboard slides in from the next frame
        keyboardActive = 1;
        break;
    }
}

static void stateConnectingUpdate() {
    if (stateTimer < 1500) return;
    if (menuConnecting == 1 && netState == 1) {
        stateSlideBegin(stateConnectingToLobby, statePlaneLobby, stateLobby);
    } else {
        // A connect that got no welcome, or a disconnect: both go back the same way.
        netDisconnect();
        stateSlideBegin(stateConnectingToMultiplayer, statePlaneMultiplayer, stateMultiplayer);
    }
}

static void stateLobbyUpdate(float dt) {
    if (netState == 2) {
        stateSlideBegin(stateLobbyToGame, statePlaneGame, statePlay);
        gameLevelInit();
        return;
    }
    bool atRest = stateMenu(&menuLobbySelection, &menuLobbyCursor, menuLobbyCursorTargets, 3, dt);
    if (atRest && menuLobbySelection == 0) {
        if (statePressed(buttonLeft)) {
            stateClick();
            if (--lobbyOption < 0) lobbyOption = 7;
        } else if (statePressed(buttonRight)) {
            stateClick();
            if (++lobbyOption > 7) lobbyOption = 0;
        }
    }
    if (atRest && stateConfirm()) {
        if (menuLobbySelection == 2) { // DISCONNECT
            stateClick();
            stateSlideBegin(stateLobbyToConnecting, statePlaneConnecting, stateConnecting);
            menuConnecting = 0;
        } else if (menuLobbySelection == 1) { // START
            // The state stays until the server's answer starts the game.
            stateClick();
            netSendBegin();
        }
    }
    stateApproach(&menuLobbyBarHeight, menuLobbyBarHeights[menuLobbySelection],
                  stateCursorSpeed * dt);
}

void stateUpdate(float dt) {
    if (dt < 0.01f) dt = 0.01f;
    totalTime += dt;
    stateTimer += dt;
    stateButtons = inputButtons;

    switch (screenState) {
    case stateSplash0:
        if (stateTimer >= 3000)
            stateScroll(&menuScrollX, stateSplashSpeed, 400, dt, stateSplashPause0);
        break;
    case stateSplashPause0:
        if (stateTimer >= 2000) screenState = stateSplashTo1;
        break;
    case stateSplashTo1:
        stateScroll(&menuScrollX, stateSplashSpeed, 580, dt, stateSplashPause1);
        break;
    case stateSplashPause1:
        if (stateTimer >= 4000) screenState = stateSplashAway;
        break;
    case stateSplashAway:
        stateScroll(&menuScrollX, stateSplashSpeed, 760, dt, stateToMain);
        break;
    case stateToMain:
        stateScroll(&menuScrollX, stateScrollSpeed, 1100, dt, stateMain);
        break;
    case stateMain:
        stateMainUpdate(dt);
        break;
    case stateToCredits:
        stateScroll(&menuScrollY, stateScrollSpeed, 200, dt, stateCredits);
        break;
    case stateCredits:
        if (stateConfirm()) {
            screenState = stateFromCredits;
            stateClick();
        }
        break;
    case stateFromCredits:
        stateScroll(&menuScrollY, -stateScrollSpeed, 0, dt, stateMain);
        break;
    case stateToMultiplayer:
        stateScroll(&menuScrollX, stateScrollSpeed, 1280, dt, stateMultiplayer);
        break;
    case stateMultiplayer:
        stateMultiplayerUpdate(dt);
        break;
    case stateFromMultiplayer:
        stateScroll(&menuScrollX, -stateScrollSpeed, 1100, dt, stateMain);
        break;
    case stateConnecting:
        stateConnectingUpdate();
        break;
    case stateLobby:
        stateLobbyUpdate(dt);
        break;
    case stateToSettings:
        stateScroll(&menuScrollY, -stateScrollSpeed, -200, dt, stateSettings);
        break;
    case stateSettings:
        stateSettingsUpdate(dt);
        break;
    case stateFromSettings:
        stateScroll(&menuScrollY, stateScrollSpeed, 0, dt, stateMain);
        break;
    case stateMultiplayerToConnecting:
    case stateConnectingToMultiplayer:
    case stateConnectingToLobby:
    case stateLobbyToConnecting:
    case stateLobbyToGame:
        stateSlide(dt);
        break;
    case statePlay:
        gameUpdate(dt);
        break;
    default:
        break;
    }

    inputButtonsPrevious = stateButtons;
    if (screenState > stateSplashAway) {
        menuBackgroundScale -= stateBackgroundShrink * dt;
        if (menuBackgroundScale < stateBackgroundMin) menuBackgroundScale = stateBackgroundMin;
    }
    netReceive();
    netSendUpdate(dt);
}
