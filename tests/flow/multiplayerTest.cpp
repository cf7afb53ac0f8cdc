// The multiplayer screen: its menu, the on-screen keyboard's slide, key cursor, typing,
// deleting and the saves at each end of an entry, CONNECT and BACK.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/state.h"
#include "fakes.h"
#include "workdir.h"

namespace {

class Multiplayer : public testing::Test {
  protected:
    void SetUp() override {
        flowReset();
        screenState = 11;
        menuScrollX = 1280;
    }
    TempWorkDir dir;

    // Moves the menu to item and lets the cursor arrive.
    static void select(int item) {
        for (int n = 0; n < 4 && menuMultiplayerSelection != item; n++)
            flowPress(padDown);
        ASSERT_EQ(menuMultiplayerSelection, item) << "four presses of Down";
        flowIdle(1000);
    }
    // Confirms NAME or SERVER and lets the keyboard slide all the way in.
    static void beginEntry(int item) {
        select(item);
        flowPress(padReturn);
        flowIdle(400);
    }
    // Walks the key cursor to the key of c on the four rows of ten keys and types it.
    static void type(char c) {
        const int index = int(std::string("1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ...@").find(c));
        ASSERT_GE(index, 0);
        for (int n = 0; n < 4 && keyboardRow != index / 10; n++)
            flowPress(padDown);
        for (int n = 0; n < 10 && keyboardColumn != index % 10; n++)
            flowPress(padRight);
        ASSERT_EQ(keyboardRow * 10 + keyboardColumn, index) << "the key cursor never reached " << c;
        flowPress(padA);
    }
    static bool saved() { return std::filesystem::exists("configuration.dat"); }
    static std::vector<unsigned char> savedBytes() {
        std::ifstream in("configuration.dat", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static int clicks() { return int(std::count(fakeCalls.begin(), fakeCalls.end(), "click")); }
};

TEST_F(Multiplayer, KeyboardSlidesInAndOutIn340Ms) {
    select(0);
    EXPECT_EQ(menuMultiplayerCursor, -7.6f); // NAME's row
    flowFrame(10, padReturn);
    EXPECT_EQ(keyboardActive, 1);
    EXPECT_EQ(keyboardOffset, 50); // it starts on the next frame
    int frames = 0;
    while (keyboardOffset > 16 && frames < 100) {
        flowFrame(10);
        frames++;
    }
    EXPECT_EQ(frames, 34);
    EXPECT_EQ(keyboardOffset, 16);
    flowIdle(100);
    EXPECT_EQ(keyboardOffset, 16);
    flowFrame(10, padReturn); // the slide ran before the Return: still in
    EXPECT_EQ(keyboardActive, 0);
    EXPECT_EQ(keyboardOffset, 16);
    for (frames = 0; keyboardOffset < 50 && frames < 100; frames++)
        flowFrame(10);
    EXPECT_EQ(frames, 34);
    EXPECT_EQ(keyboardOffset, 50);
}

TEST_F(Multiplayer, CursorStartsOnTheDoneKey) {
    beginEntry(0);
    EXPECT_TRUE(!saved());
    fakeCalls.clear();
    flowPress(padA);
    EXPECT_EQ(keyboardActive, 0);
    EXPECT_EQ(myPlayerNameLength, 0);
    EXPECT_EQ(flowCalls(), "click");
    EXPECT_EQ(savedBytes().size(), 256u);
}

TEST_F(Multiplayer, LongestDottedAddressFitsExactly) {
    beginEntry(1);
    for (char c : std::string("192.168.100.200"))
        type(c);
    EXPECT_EQ(serverNameLength, 15);
    EXPECT_STREQ(serverName, "192.168.100.200");
    int before = clicks();
    type('7'); // dropped, with its click
    EXPECT_EQ(clicks(), before + 1);
    EXPECT_EQ(serverNameLength, 15);
    EXPECT_EQ(serverName[15], 0);
    EXPECT_EQ(myPlayerNameLength, 0);
    flowPress(padReturn);
    std::vector<unsigned char> bytes = savedBytes();
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[5], 15);
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 21), "192.168.100.200");
}

TEST_F(Multiplayer, DeleteClearsTheLastCharacterAndStopsAtEmpty) {
    beginEntry(0);
    type('A');
    type('Z');
    type('9');
    EXPECT_STREQ(myPlayerName, "AZ9");
    fakeCalls.clear();
    flowPress(padB);
    EXPECT_EQ(myPlayerNameLength, 2);
    EXPECT_EQ(myPlayerName[2], 0);
    flowPress(padB);
    flowPress(padB);
    flowPress(padB);
    EXPECT_EQ(myPlayerNameLength, 0);
    EXPECT_EQ(std::string(myPlayerName, 16), std::string(16, '\0'));
    EXPECT_EQ(flowCalls(), "click; click; click; click");
}

TEST_F(Multiplayer, KeyCursorWrapsSilently) {
    beginEntry(0);
    fakeCalls.clear();
    flowPress(padRight);
    EXPECT_EQ(keyboardColumn, 0);
    flowPress(padLeft);
    EXPECT_EQ(keyboardColumn, 9);
    flowPress(padDown);
    EXPECT_EQ(keyboardRow, 0);
    flowPress(padUp);
    EXPECT_EQ(keyboardRow, 3);
    flowPress(padUp | padLeft); // one action a frame: the row moves first
    EXPECT_EQ(keyboardRow, 2);
    EXPECT_EQ(keyboardColumn, 9);
    EXPECT_EQ(flowCalls(), "");
}

TEST_F(Multiplayer, MenuIsFrozenWhileTheKeyboardIsOut) {
    beginEntry(1);
    flowPress(padDown);
    flowPress(padDown);
    EXPECT_EQ(menuMultiplayerSelection, 1);
    EXPECT_EQ(keyboardRow, 1);
    flowPress(padReturn); // ends the entry, does not confirm SERVER again
    EXPECT_EQ(keyboardActive, 0);
    flowPress(padDown); // still sliding out
    EXPECT_EQ(menuMultiplayerSelection, 1);
    flowIdle(400);
    EXPECT_EQ(keyboardOffset, 50);
    flowPress(padDown);
    EXPECT_EQ(menuMultiplayerSelection, 2);
}

TEST_F(Multiplayer, CursorKeepsGlidingWhileTheKeyboardComes) {
    // Down in the frame after the confirm still moves the menu: the keyboard is not out yet.
    select(0);
    flowFrame(10, padReturn);
    flowFrame(10, padDown);
    EXPECT_EQ(menuMultiplayerSelection, 1);
    EXPECT_LT(keyboardOffset, 50);
    flowPress(padDown);
    EXPECT_EQ(menuMultiplayerSelection, 1);
    EXPECT_LT(menuMultiplayerCursor, 0); // still on its way to SERVER's row
    flowIdle(200);
    EXPECT_EQ(menuMultiplayerCursor, 0);
    type('Q');
    EXPECT_STREQ(serverName, "Q");
}

TEST_F(Multiplayer, ReturnDuringTheSlideOutSavesAgain) {
    beginEntry(0);
    flowPress(padReturn);
    ASSERT_TRUE(saved());
    std::filesystem::remove("configuration.dat");
    EXPECT_GT(keyboardOffset, 16);
    EXPECT_LT(keyboardOffset, 50);
    fakeCalls.clear();
    flowPress(padReturn);
    EXPECT_TRUE(saved());
    EXPECT_EQ(flowCalls(), "click");
    // The done key during the slide-out ends it again, too.
    std::filesystem::remove("configuration.dat");
    flowPress(padA);
    EXPECT_TRUE(saved());
    EXPECT_EQ(keyboardActive, 0);
}

TEST_F(Multiplayer, TypingDuringTheSlideOutChangesTheString) {
    beginEntry(0);
    flowPress(padLeft); // off the done key, onto '.'
    flowPress(padReturn);
    flowPress(padA);
    flowPress(padA);
    EXPECT_STREQ(myPlayerName, "..");
    flowPress(padB);
    EXPECT_STREQ(myPlayerName, ".");
    flowIdle(400);
    EXPECT_EQ(keyboardOffset, 50);
    flowPress(padB); // hidden: b does nothing on the menu
    EXPECT_STREQ(myPlayerName, ".");
}

TEST_F(Multiplayer, BackScrollsToTheMainMenu) {
    flowPress(padA);
    EXPECT_EQ(screenState, 12);
    EXPECT_EQ(flowCalls(), "click");
    flowFramesUntilState(6, 10, 100);
    EXPECT_EQ(menuScrollX, 1100);
}

TEST_F(Multiplayer, ConnectSlidesAwayAndConnectsWithBothStrings) {
    beginEntry(0);
    type('B');
    type('O');
    flowPress(padReturn);
    flowIdle(400);
    select(2);
    fakeCalls.clear();
    flowFrame(10, padReturn);
    EXPECT_EQ(screenState, 13);
    EXPECT_EQ(menuSlideTarget, 1460);
    EXPECT_EQ(menuSlideNextState, 14);
    EXPECT_EQ(menuConnecting, 1);
    EXPECT_EQ(flowCalls(), "click; netConnectBegin; netConnect(BO,)");
}

} // namespace
