// The screen state machine: splash timing, scrolls and slides, the menu rule, the main
// menu, credits, settings, connecting screen and lobby, the background and the order of
// the update's steps.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "core/config.h"
#include "core/state.h"
#include "fakes.h"
#include "net/net.h"
#include "video/video.h"
#include "audio/audio.h"
#include "workdir.h"

namespace {

constexpr ButtonMask allButtons = 0x1fff;

class Flow : public testing::Test {
  protected:
    void SetUp() override { flowReset(); }
    TempWorkDir dir;
};

void atScreen(int state, float x, float y) {
    screenState = state;
    menuScrollX = x;
    menuScrollY = y;
    stateTimer = 0;
}

// The frames at which the splash changes state (the new state, totalTime, stateTimer), with
// dt 10 and the given buttons held on every other frame.
std::vector<std::tuple<int, float, float>> splashChanges(ButtonMask noise) {
    flowReset();
    std::vector<std::tuple<int, float, float>> changes;
    int last = screenState;
    for (int frame = 0; screenState != 6 && frame < 3000; frame++) {
        flowFrame(10, frame % 2 ? noise : 0);
        if (screenState != last) changes.push_back({last = screenState, totalTime, stateTimer});
    }
    return changes;
}

TEST_F(Flow, SplashRunsItsTimetableWhateverIsPressed) {
    // The frame that brings the timer to 3000 is the first to scroll (it ends at 3000, so
    // it starts at 2990); from there 4000 ms to 400, a 2000 ms pause, 1800 ms to 580,
    // 4000 ms pause, 1800 ms to 760 and 850 ms to 1100. Only the scrolls restart the timer.
    float t = 2990;
    std::vector<std::tuple<int, float, float>> expected = {
        {1, t += 4000, 0}, {2, t += 2000, 2000}, {3, t += 1800, 0},
        {4, t += 4000, 4000}, {5, t += 1800, 0}, {6, t += 850, 0}};
    EXPECT_EQ(splashChanges(0), expected);
    EXPECT_EQ(splashChanges(allButtons), expected);
    EXPECT_EQ(menuScrollX, 1100);
    EXPECT_EQ(menuScrollY, 0);
    // The rings shrank from the frame that entered state 5 on: 86 frames.
    EXPECT_NEAR(menuBackgroundScale, 38 - 0.005f * 860, 1e-3);
}

TEST_F(Flow, SplashWaitCountsFromStartUp) {
    flowIdle(2990);
    EXPECT_EQ(menuScrollX, 0);
    flowFrame(10);
    EXPECT_EQ(menuScrollX, 1);

    // A long first frame (the start-up's loading) shortens the wait.
    flowReset();
    flowFrame(2500);
    flowIdle(490);
    EXPECT_EQ(menuScrollX, 0);
    flowFrame(10);
    EXPECT_EQ(menuScrollX, 1);
}

TEST_F(Flow, OvershootLandsExactlyAndChangesStateInThatFrame) {
    // Up, with a confirm in the same frame: the landing is the frame's one transition.
    atScreen(5, 1099, 0);
    stateTimer = 123;
    flowFrame(10, padReturn);
    EXPECT_EQ(menuScrollX, 1100);
    EXPECT_EQ(screenState, 6);
    EXPECT_EQ(stateTimer, 0);
    flowFrame(10, padReturn); // still held: no confirm
    EXPECT_EQ(screenState, 6);

    // Down.
    flowReset();
    atScreen(9, 1100, 1);
    flowFrame(10);
    EXPECT_EQ(menuScrollY, 0);
    EXPECT_EQ(screenState, 6);

    // A slide back down to the multiplayer screen.
    flowReset();
    atScreen(15, 1283, 0);
    stateTimer = 77;
    menuSlideTarget = 1280;
    menuSlideNextState = 11;
    flowFrame(10);
    EXPECT_EQ(menuScrollX, 1280);
    EXPECT_EQ(screenState, 11);
    EXPECT_EQ(stateTimer, 0);
}

TEST_F(Flow, MenuSelectionWrapsAndUpWithDownStays) {
    atScreen(6, 1100, 0);
    flowPress(padUp | padDown);
    EXPECT_EQ(menuMainSelection, 0);
    flowPress(padUp);
    EXPECT_EQ(menuMainSelection, 3);
    flowIdle(400);
    EXPECT_EQ(menuMainCursor, 22.8f);
    flowPress(padUp | padDown);
    EXPECT_EQ(menuMainSelection, 3);
    flowPress(padDown);
    EXPECT_EQ(menuMainSelection, 0);
    flowPress(padDown);
    flowIdle(1000);
    EXPECT_EQ(menuMainCursor, 7.6f); // lands exactly
}

TEST_F(Flow, SettingsMultiplayerAndLobbyStartAtRestOnTheirLastItem) {
    atScreen(20, 1100, -200);
    flowPress(padA); // the first frame is at rest: BACK acts
    EXPECT_EQ(screenState, 21);
    EXPECT_EQ(menuSettingsCursor, 15.4f);
    atScreen(11, 1280, 0);
    flowPress(padA);
    EXPECT_EQ(screenState, 12);
    EXPECT_EQ(flowFramesUntilState(6, 10, 100), 44); // 450 ms, one frame in the press
    atScreen(17, 1640, 0);
    netState = 1;
    flowPress(padA);
    EXPECT_EQ(screenState, 18);
}

TEST_F(Flow, ConfirmWhileTheCursorMovesIsLost) {
    atScreen(6, 1100, 0);
    flowFrame(10, padDown);
    EXPECT_EQ(menuMainCursor, 1); // 0.1 a ms toward MULTIPLAYER's 7.6
    // Pressed while moving, then held until long after the cursor has arrived.
    flowFrame(10, padReturn);
    for (int i = 0; i < 100; i++)
        flowFrame(10, padReturn);
    EXPECT_EQ(menuMainCursor, 7.6f);
    EXPECT_EQ(screenState, 6);
    EXPECT_EQ(flowCalls(), "");
    flowPress(padA);
    EXPECT_EQ(screenState, 10);
    EXPECT_EQ(flowCalls(), "click");
}

TEST_F(Flow, ConfirmActsInTheFrameOfAChangeWhenTheCursorArrives) {
    // An 80 ms frame moves the cursor 8, past the next item's 7.6, and back up past 0.
    atScreen(6, 1100, 0);
    flowFrame(80, padDown | padReturn);
    EXPECT_EQ(screenState, 10);
    atScreen(6, 1100, 0);
    flowFrame(80, padUp | padA);
    EXPECT_EQ(screenState, 23);
}

TEST_F(Flow, MainMenuItemsLeadToTheirScreens) {
    struct Case {
        int selection;
        float cursor; // at rest on the item
        int via, to;
        float x, y;
        int frames; // of 10 ms after the press: 180 or 200 at 0.4, one frame in the press
    } cases[] = {{1, 7.6f, 10, 11, 1280, 0, 44},
                 {2, 15.2f, 7, 8, 1100, 200, 49},
                 {3, 22.8f, 19, 20, 1100, -200, 49}};
    for (const Case &c : cases) {
        flowReset();
        atScreen(6, 1100, 0);
        menuMainSelection = c.selection;
        menuMainCursor = c.cursor;
        flowPress(padReturn);
        EXPECT_EQ(screenState, c.via);
        EXPECT_EQ(flowCalls(), "click");
        EXPECT_EQ(flowFramesUntilState(c.to, 10, 100), c.frames);
        EXPECT_EQ(menuScrollX, c.x);
        EXPECT_EQ(menuScrollY, c.y);
        EXPECT_EQ(stateTimer, 0);
    }
}

TEST_F(Flow, QuickTestStartsTheLevelAndThenPlays) {
    atScreen(6, 1100, 0);
    flowPress(padA, 7);
    EXPECT_EQ(screenState, 23);
    EXPECT_EQ(flowCalls(), "gameLevelInit; click");
    EXPECT_EQ(fakeGameUpdateCount, 1); // the release frame already plays
    EXPECT_EQ(fakeGameUpdateDt, 7);
    flowIdle(1000);
    EXPECT_EQ(screenState, 23); // nothing leaves play
    EXPECT_EQ(totalTime, 1014);
    EXPECT_EQ(flowCalls(), "gameLevelInit; click");
}

TEST_F(Flow, CreditsGoBackOnAnyConfirm) {
    // Return still held from the main menu's confirm is no confirm here.
    atScreen(7, 1100, 0);
    flowFramesUntilState(8, 10, 100, padReturn);
    flowFrame(10, padReturn);
    flowIdle(500);
    flowPress(padLeft);
    EXPECT_EQ(screenState, 8);
    flowPress(padA);
    EXPECT_EQ(screenState, 9);
    EXPECT_EQ(flowCalls(), "click");
    EXPECT_EQ(flowFramesUntilState(6, 10, 100), 49); // 500 ms in all, one frame in the press
    EXPECT_EQ(menuScrollY, 0);
}

TEST_F(Flow, SettingsClickOnlyAfterTheChange) {
    atScreen(20, 1100, -200);
    auto choose = [](int item) {
        const float atRest[4] = {-7.6f, 0, 7.6f, 15.4f};
        menuSettingsSelection = item;
        flowIdle(300);
        EXPECT_EQ(menuSettingsCursor, atRest[item]) << item;
        flowPress(padReturn);
    };
    flowPress(padUp | padReturn); // lost: the cursor is on its way to SFX
    choose(2);
    EXPECT_EQ(sfxOn, 0);
    EXPECT_EQ(flowCalls(), "audioSfxSetEnabled(0); silentClick");
    fakeCalls.clear();
    choose(2);
    EXPECT_EQ(sfxOn, 1);
    EXPECT_EQ(flowCalls(), "audioSfxSetEnabled(1); click");
    fakeCalls.clear();
    musicOn = 0;
    choose(1);
    EXPECT_EQ(musicOn, 1);
    EXPECT_EQ(flowCalls(), "audioMusicSetEnabled(1); click");
    choose(1);
    EXPECT_EQ(musicOn, 0);
    fakeCalls.clear();
    choose(0);
    EXPECT_EQ(videoQuality, 0);
    choose(0);
    EXPECT_EQ(videoQuality, 1);
    videoQuality = 2; // anything but 0 counts as on
    choose(0);
    EXPECT_EQ(videoQuality, 0);
    EXPECT_EQ(flowCalls(), "click; click; click");
    EXPECT_EQ(screenState, 20);
    choose(3);
    EXPECT_EQ(screenState, 21);
    EXPECT_EQ(flowFramesUntilState(6, 10, 100), 49);
    EXPECT_EQ(menuScrollY, 0);
}

TEST_F(Flow, HeldConfirmDoesNotRepeat) {
    atScreen(20, 1100, -200);
    menuSettingsSelection = 0;
    menuSettingsCursor = -7.6f;
    for (int i = 0; i < 20; i++)
        flowFrame(10, padReturn | padA);
    EXPECT_EQ(videoQuality, 0);
    EXPECT_EQ(flowCalls(), "click");
}

TEST_F(Flow, ConnectThatGetsNoWelcomeFallsBack) {
    atScreen(11, 1280, 0);
    menuMultiplayerSelection = 2;
    menuMultiplayerCursor = 22;
    flowFrame(10, padA);
    EXPECT_EQ(screenState, 13);
    EXPECT_EQ(menuConnecting, 1);
    // 450 ms of slide, then 1500 ms on the connecting screen: 1950 ms from the confirm.
    EXPECT_EQ(flowFramesUntilState(14, 10, 1000), 45);
    EXPECT_EQ(menuScrollX, 1460);
    flowIdle(1490);
    EXPECT_EQ(screenState, 14);
    EXPECT_EQ(flowCalls(), "click; netConnectBegin; netConnect(,)");
    flowFrame(10);
    EXPECT_EQ(screenState, 15);
    EXPECT_EQ(menuSlideTarget, 1280);
    EXPECT_EQ(flowCalls(), "click; netConnectBegin; netConnect(,); netDisconnect");
    EXPECT_EQ(flowFramesUntilState(11, 10, 1000), 45);
    EXPECT_EQ(menuScrollX, 1280);
    EXPECT_EQ(menuConnecting, 1);
}

TEST_F(Flow, ServerEntryTypesAndDeletesTheHostOnly) {
    atScreen(11, 1280, 0);
    memcpy(myPlayerName, "AB", 2);
    myPlayerNameLength = 2;
    flowIdle(200);
    EXPECT_EQ(keyboardOffset, 50); // hidden, and it stays there
    flowPress(padUp | padA);       // lost: the cursor is on its way to CONNECT
    flowIdle(200);
    EXPECT_EQ(menuMultiplayerCursor, 22); // CONNECT's row
    flowPress(padUp);
    flowIdle(300);
    flowPress(padA); // SERVER
    flowIdle(400);
    // From the done key to M (row 2, column 2), type it; up to C, type it; delete.
    for (ButtonMask b :
         {padDown, padDown, padDown, padRight, padRight, padRight, padA, padUp, padA})
        flowPress(b);
    EXPECT_STREQ(serverName, "MC");
    flowPress(padB);
    EXPECT_STREQ(serverName, "M");
    EXPECT_EQ(serverNameLength, 1);
    EXPECT_STREQ(myPlayerName, "AB");
}

TEST_F(Flow, ConnectingScreenReachesTheLobbyOnlyWhenJoined) {
    atScreen(14, 1460, 0);
    menuConnecting = 1;
    netState = 1;
    flowIdle(1490);
    EXPECT_EQ(screenState, 14);
    flowFrame(10);
    EXPECT_EQ(screenState, 16);
    EXPECT_EQ(flowFramesUntilState(17, 10, 1000), 45);
    EXPECT_EQ(menuScrollX, 1640);
    EXPECT_EQ(flowCalls(), "");

    // A game already running is no join.
    flowReset();
    atScreen(14, 1460, 0);
    menuConnecting = 1;
    netState = 2;
    flowIdle(1500);
    EXPECT_EQ(screenState, 15);
    EXPECT_EQ(flowCalls(), "netDisconnect");

    // A disconnect goes back even while joined, and only after the 1500 ms.
    flowReset();
    atScreen(14, 1460, 0);
    menuConnecting = 0;
    netState = 1;
    flowIdle(1500);
    EXPECT_EQ(screenState, 15);
    EXPECT_EQ(flowCalls(), "netDisconnect");
}

class Lobby : public Flow {
  protected:
    void SetUp() override {
        Flow::SetUp();
        atScreen(17, 1640, 0);
        netState = 1;
        menuConnecting = 1; // the lobby is reached by a connect
    }
    void select(int item) {
        const float atRest[3] = {10, 28.5f, 36.5f};
        menuLobbySelection = item;
        menuLobbyCursor = atRest[item];
    }
};

TEST_F(Lobby, OptionSelectorWrapsWithAClickEachWay) {
    flowPress(padUp);
    flowPress(padUp);
    EXPECT_EQ(menuLobbySelection, 0);
    EXPECT_EQ(menuLobbyBarHeight, 10); // 0.1 a ms toward 26 from the second press on
    flowPress(padLeft);                // the cursor is still on its way: lost
    EXPECT_EQ(lobbyOption, 0);
    flowIdle(400);
    EXPECT_EQ(menuLobbyCursor, 10);
    EXPECT_EQ(menuLobbyBarHeight, 26);
    flowPress(padLeft);
    EXPECT_EQ(lobbyOption, 7);
    flowPress(padRight);
    EXPECT_EQ(lobbyOption, 0);
    flowPress(padLeft | padRight); // Left wins
    EXPECT_EQ(lobbyOption, 7);
    EXPECT_EQ(flowCalls(), "click; click; click");
    flowPress(padReturn); // the selector ignores a confirm
    EXPECT_EQ(flowCalls(), "click; click; click");
    flowPress(padDown);
    flowIdle(400);
    EXPECT_EQ(menuLobbyBarHeight, 8);
    EXPECT_EQ(menuLobbyCursor, 28.5f);
    flowPress(padLeft); // only on the selector
    EXPECT_EQ(lobbyOption, 7);
}

TEST_F(Lobby, StartSendsEveryTimeAndTheGameStartsFromTheServer) {
    select(1);
    flowPress(padReturn);
    flowPress(padA);
    EXPECT_EQ(screenState, 17);
    EXPECT_EQ(flowCalls(), "click; netSendBegin; click; netSendBegin");
    fakeCalls.clear();
    netState = 2;
    select(2);
    flowFrame(10, padReturn); // the start frame does nothing else
    EXPECT_EQ(screenState, 22);
    EXPECT_EQ(menuSlideTarget, 1820);
    EXPECT_EQ(menuSlideNextState, 23);
    EXPECT_EQ(flowCalls(), "gameLevelInit");
    EXPECT_EQ(flowFramesUntilState(23, 10, 1000), 45);
    EXPECT_EQ(menuScrollX, 1820);
    EXPECT_EQ(fakeGameUpdateCount, 0); // the game runs from the frame after the slide
    flowFrame(10);
    EXPECT_EQ(fakeGameUpdateCount, 1);
    EXPECT_EQ(flowCalls(), "gameLevelInit");
}

TEST_F(Lobby, DisconnectShowsDisconnectingThenCloses) {
    flowPress(padUp | padA); // lost: the cursor is on its way to START
    select(2);
    flowPress(padA);
    EXPECT_EQ(screenState, 18);
    EXPECT_EQ(menuConnecting, 0);
    EXPECT_EQ(menuLobbyBarHeight, 8);
    EXPECT_EQ(flowFramesUntilState(14, 10, 1000), 44); // 450 ms, one frame in the press
    flowIdle(1490);
    EXPECT_EQ(flowCalls(), "click");
    flowFrame(10);
    EXPECT_EQ(flowCalls(), "click; netDisconnect");
    EXPECT_EQ(screenState, 15);
    flowFramesUntilState(11, 10, 1000);
    EXPECT_EQ(menuScrollX, 1280);
}

TEST_F(Flow, BackgroundShrinksFromStateFiveToNineAndStays) {
    flowIdle(5000);
    EXPECT_EQ(menuBackgroundScale, 38); // the splash leaves it alone
    flowReset();
    atScreen(5, 760, 0);
    // 200 ms frames take exactly 1.0 off each time.
    for (int i = 0; i < 28; i++)
        flowFrame(200);
    EXPECT_EQ(menuBackgroundScale, 10);
    flowFrame(200);
    EXPECT_EQ(menuBackgroundScale, 9);
    EXPECT_EQ(screenState, 6);
    flowPress(padReturn);
    flowIdle(1000);
    EXPECT_EQ(screenState, 23);
    EXPECT_EQ(menuBackgroundScale, 9);
}

TEST_F(Flow, UpdateStoresTheMaskShrinksThenReceivesAndSends) {
    atScreen(6, 1100, 0);
    flowFrame(0, padDown);
    EXPECT_EQ(totalTime, 0.01f); // dt is raised to 0.01
    EXPECT_EQ(stateTimer, 0.01f);
    EXPECT_EQ(fakeSendUpdateDt, 0.01f);
    EXPECT_EQ(fakeReceiveSawPrevious, padDown);
    EXPECT_EQ(fakeReceiveSawScale, 38.0f - 0.005f * 0.01f);
    EXPECT_EQ(inputButtonsPrevious, padDown);

    // Every state receives, then sends.
    flowReset();
    for (int state = 0; state < 24; state++) {
        screenState = state;
        ButtonMask held = state % 2 ? padX : padSpace; // both act nowhere
        flowFrame(10, held);
        EXPECT_EQ(fakeReceiveSawPrevious, held) << state;
    }
    EXPECT_EQ(fakeReceiveCount, 24);
    EXPECT_EQ(fakeSendUpdateCount, 24);
}

} // namespace
