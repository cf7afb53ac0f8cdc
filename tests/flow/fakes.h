// Recording fakes of the audio, network and game-world modules, and helpers that drive
// the state machine frame by frame.
//
// Link seam: fakes.cpp defines every symbol of audio/audio.cpp, net/net.cpp and
// world/game.cpp, and the state machine's one call into net/update.cpp, netSendUpdate. The
// test's own objects come before the library on the link line, so those library members
// are never pulled in and the state machine calls these instead.
#pragma once

#include <string>
#include <vector>

#include "core/input.h"

// The pad's buttons by their bits; the flow presses these, not the input module's names.
constexpr ButtonMask padLeft = 0x1, padRight = 0x2, padUp = 0x4, padDown = 0x8, padA = 0x10,
                     padB = 0x20, padX = 0x40, padSpace = 0x400, padReturn = 0x800;

// The calls that matter to the flow, in order: "click" (sound effects on), "silentClick"
// (off), "audioSfxSetEnabled(n)", "audioMusicSetEnabled(n)", "gameLevelInit",
// "netConnectBegin", "netConnect(name,host)", "netDisconnect", "netSendBegin".
extern std::vector<std::string> fakeCalls;
// Per-frame calls are counted rather than logged.
extern int fakeReceiveCount;
extern int fakeSendUpdateCount;
extern float fakeSendUpdateDt;
extern int fakeGameUpdateCount;
extern float fakeGameUpdateDt;
// What netReceive saw when it ran: the stored mask and the background scale.
extern ButtonMask fakeReceiveSawPrevious;
extern float fakeReceiveSawScale;

// Every value of the state machine, the names and the fakes back to their start.
void flowReset();
// One frame of dt with these buttons held.
void flowFrame(float dt, ButtonMask held = 0);
// Frames of dt with these buttons held until screenState is state or count frames ran;
// returns the frames run.
int flowFramesUntilState(int state, float dt, int count, ButtonMask held = 0);
// A press: one frame with the button held, one with it released.
void flowPress(ButtonMask button, float dt = 10);
// Frames of dt with nothing held.
void flowIdle(float ms, float dt = 10);
// The calls logged so far, as one string "a; b; c".
std::string flowCalls();
