// Recording fakes of the audio, network and game-world modules (see fakes.h for the seam).
#include "fakes.h"

#include <cstring>

#include "audio/audio.h"
#include "core/config.h"
#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/game.h"

std::vector<std::string> fakeCalls;
int fakeReceiveCount = 0;
int fakeSendUpdateCount = 0;
float fakeSendUpdateDt = 0;
int fakeGameUpdateCount = 0;
float fakeGameUpdateDt = 0;
ButtonMask fakeReceiveSawPrevious = 0;
float fakeReceiveSawScale = 0;

// audio/audio.cpp
int sfxOn = 1;
int musicOn = 1;
void audioInit() {}
// The click sounds only while sound effects are on, as the real one does.
void audioSfxPlay(int sound) {
    fakeCalls.push_back(sound != 0 ? "sound" : sfxOn ? "click" : "silentClick");
}
void audioSfxSetEnabled(int on) {
    sfxOn = on;
    fakeCalls.push_back("audioSfxSetEnabled(" + std::to_string(on) + ")");
}
void audioMusicSetEnabled(int on) {
    musicOn = on;
    fakeCalls.push_back("audioMusicSetEnabled(" + std::to_string(on) + ")");
}

// net/net.cpp
int netState = 0;
int myPlayerId = 0;
char playerNames[4][netNameSize];
int playerNameLengths[4];
uint32_t packetsReceived = 0;
PlatformSocket netSocket = platformSocketInvalid;
int serverPort = 0;
PlatformAddress serverAddr;
int localPort = 0;
uint8_t netBuffer[netBufferSize];
float sendAccumulator = 0;
void netInit() {}
void netConnectBegin() {
    fakeCalls.push_back("netConnectBegin");
}
void netConnect(const char *playerName, const char *serverHost) {
    fakeCalls.push_back(std::string("netConnect(") + playerName + "," + serverHost + ")");
}
void netDisconnect() {
    fakeCalls.push_back("netDisconnect");
}
void netSendPacket(uint8_t *, int) {}
void netSendBegin() {
    fakeCalls.push_back("netSendBegin");
}
bool netHandleDatagram(const uint8_t *, int) {
    return false;
}
void netReceive() {
    fakeReceiveCount++;
    fakeReceiveSawPrevious = inputButtonsPrevious;
    fakeReceiveSawScale = menuBackgroundScale;
}
void netSendUpdate(float dt) {
    // Always after the receive of the same frame.
    if (fakeSendUpdateCount + 1 == fakeReceiveCount) fakeSendUpdateCount++;
    fakeSendUpdateDt = dt;
}

// world/game.cpp
const int playerColours[4][3] = {};
void gameInit() {}
void gameLevelInit() {
    fakeCalls.push_back("gameLevelInit");
}
void gameUpdate(float dt) {
    fakeGameUpdateCount++;
    fakeGameUpdateDt = dt;
}
void gameDraw() {}

// The state machine's values as the program starts. Its globals are constant-initialised,
// so they hold these before this file's initialisation copies them, whatever tests do later.
#define FLOW_STATE(X)                                                                          \
    X(totalTime) X(stateTimer) X(screenState) X(menuScrollX) X(menuScrollY) X(menuSlideTarget) \
    X(menuSlideNextState) X(menuConnecting) X(menuBackgroundScale) X(menuMainSelection)        \
    X(menuMainCursor) X(menuSettingsSelection) X(menuSettingsCursor)                           \
    X(menuMultiplayerSelection) X(menuMultiplayerCursor) X(menuLobbySelection)                 \
    X(menuLobbyCursor) X(lobbyOption) X(menuLobbyBarHeight) X(keyboardActive)                  \
    X(keyboardOffset) X(keyboardRow) X(keyboardColumn)
#define FLOW_KEEP(v) static const auto flowStart_##v = v;
#define FLOW_RESTORE(v) v = flowStart_##v;
FLOW_STATE(FLOW_KEEP)

void flowReset() {
    FLOW_STATE(FLOW_RESTORE)
    inputButtons = 0;
    inputButtonsPrevious = 0;
    memset(myPlayerName, 0, sizeof myPlayerName);
    memset(serverName, 0, sizeof serverName);
    myPlayerNameLength = 0;
    serverNameLength = 0;
    memset(configBlock, 0, sizeof configBlock);
    videoQuality = 1;
    sfxOn = 1;
    musicOn = 1;
    netState = 0;
    fakeCalls.clear();
    fakeReceiveCount = 0;
    fakeSendUpdateCount = 0;
    fakeSendUpdateDt = 0;
    fakeGameUpdateCount = 0;
    fakeGameUpdateDt = 0;
}

void flowFrame(float dt, ButtonMask held) {
    inputButtons = held;
    stateUpdate(dt);
}

int flowFramesUntilState(int state, float dt, int count, ButtonMask held) {
    int n = 0;
    while (n < count && screenState != state) {
        flowFrame(dt, held);
        n++;
    }
    return n;
}

void flowPress(ButtonMask button, float dt) {
    flowFrame(dt, button);
    flowFrame(dt, 0);
}

void flowIdle(float ms, float dt) {
    for (float t = 0; t < ms; t += dt)
        flowFrame(dt, 0);
}

std::string flowCalls() {
    std::string s;
    for (const std::string &c : fakeCalls)
        s += (s.empty() ? "" : "; ") + c;
    return s;
}
