// The menu screens at rest, read back as text lines, boxes and sprites.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/audio.h"
#include "core/config.h"
#include "core/menu.h"
#include "core/state.h"
#include "drawn.h"
#include "net/net.h"
#include "video/video.h"

namespace {

void restAt(float x, float y) {
    menuScrollX = x;
    menuScrollY = y;
    fakeReset();
}

void setName(char (&buffer)[16], int &length, const char *text) {
    memset(buffer, 0, sizeof buffer);
    length = int(strlen(text));
    memcpy(buffer, text, size_t(length));
}

void expectBar(const FakeCall &box, float y, float height) {
    EXPECT_FLOAT_EQ(box.args[0], 0);
    EXPECT_NEAR(box.args[1], y, 1e-4);
    EXPECT_FLOAT_EQ(box.args[2], -0.55f);
    EXPECT_FLOAT_EQ(box.args[3], 140);
    EXPECT_FLOAT_EQ(box.args[4], height);
    EXPECT_EQ(box.colour[0], 201);
    EXPECT_EQ(box.colour[1], 166);
    EXPECT_EQ(box.colour[2], 59);
    EXPECT_EQ(box.colour[3], 128);
}

// A centred line's first and last cells lie symmetric about x 0.
void expectCentred(const DrawnLine &line) {
    EXPECT_FLOAT_EQ(line.firstX, -(float(line.text.size()) - 1) * 4.5f / 2) << line.text;
}

} // namespace

TEST(Menus, MainMenuAtRest) {
    menuMainCursor = 7.6f;
    restAt(1100, 0);
    menuDrawMain();
    auto boxes = fakeCallsNamed("DrawBox");
    ASSERT_EQ(boxes.size(), 1u);
    expectBar(boxes[0], 7.6f, 8);
    auto logo = fakeCallsNamed("DrawSprite")[0];
    EXPECT_EQ(logo.args, (std::vector<float>{0, -24, -0.5f, 0.3f, 0.3f, 50}));
    EXPECT_EQ(logo.colour[1], 207);
    const char *items[4] = {"QUICK TEST", "MULTIPLAYER", "CREDITS", "SETTINGS"};
    for (int i = 0; i < 4; i++) {
        DrawnLine line = drawnLine(7.0f * i);
        EXPECT_EQ(line.text, items[i]);
        expectCentred(line);
        EXPECT_EQ(line.colours.find_first_not_of("i "), std::string::npos);
    }
    for (const FakeCall &s : fakeCallsNamed("DrawSprite")) // the glyphs at scale 0.2
        EXPECT_TRUE(s.args[5] > 40 || (s.args[3] == 0.2f && s.args[4] == 0.2f)) << s.args[3];
}

TEST(Menus, SettingsLinesInTwoColours) {
    videoQuality = 1, musicOn = 0, sfxOn = 1;
    menuSettingsCursor = 7.6f; // on SFX
    restAt(1100, -200);
    menuDrawSettings();
    expectBar(fakeCallsNamed("DrawBox")[0], 7.6f, 8);
    struct {
        float y;
        const char *text, *colours;
    } expected[4] = {{-7, "GFX HIGH", "iii vvvv"},
                     {0, "MUSIC OFF", "iiiii vvv"},
                     {7, "SFX ON", "iii vv"},
                     {14, "BACK", "iiii"}};
    for (auto &e : expected) {
        DrawnLine line = drawnLine(e.y);
        EXPECT_EQ(line.text, e.text);
        EXPECT_EQ(line.colours, e.colours);
        expectCentred(line);
    }

    // The first pair shows only for a switch of exactly 1.
    videoQuality = 2, musicOn = 1, sfxOn = 0;
    restAt(1100, -200);
    menuDrawSettings();
    EXPECT_EQ(drawnLine(-7).text, "GFX LOW");
    EXPECT_EQ(drawnLine(0).text, "MUSIC ON");
    EXPECT_EQ(drawnLine(7).text, "SFX OFF");
    videoQuality = 1, musicOn = 1, sfxOn = 1;
}

TEST(Menus, CreditsFiveCentredLines) {
    restAt(1100, 200);
    menuDrawCredits();
    EXPECT_TRUE(fakeCallsNamed("DrawBox").empty());
    const char *roles[5] = {"MUSIC   ", "ARTIST   ", "2D GFX   ", "3D GFX   ", "THE REST   "};
    for (int i = 0; i < 5; i++) {
        DrawnLine line = drawnLine(-14.0f + 7 * i);
        EXPECT_EQ(line.text.rfind(roles[i], 0), 0u) << line.text;
        EXPECT_GT(line.text.size(), strlen(roles[i]));
        expectCentred(line);
    }
}

TEST(Menus, MultiplayerNamesFromTheirColumn) {
    setName(myPlayerName, myPlayerNameLength, "");
    setName(serverName, serverNameLength, "HOST");
    menuMultiplayerCursor = 22; // on CONNECT
    restAt(1280, 0);
    menuDrawMultiplayer();
    EXPECT_EQ(drawnLine(-7).text, "NAME");
    EXPECT_FLOAT_EQ(drawnLine(-7).firstX, -60);
    EXPECT_EQ(drawnLine(0, -0.5f, -61, -30).text, "SERVER");
    EXPECT_FLOAT_EQ(drawnLine(0, -0.5f, -61, -30).firstX, -60);
    EXPECT_EQ(drawnLine(0, -0.5f, -21, 100).text, "HOST");
    EXPECT_EQ(drawnLine(20).text, "CONNECT");
    EXPECT_EQ(drawnLine(27).text, "BACK");
    for (float y : {20.0f, 27.0f})
        expectCentred(drawnLine(y));
    expectBar(fakeCallsNamed("DrawBox")[0], 22, 8);

    setName(myPlayerName, myPlayerNameLength, "ACE");
    setName(serverName, serverNameLength, "192.168.100.200");
    restAt(1280, 0);
    menuDrawMultiplayer();
    // The label from -60, the typed text from -20.
    EXPECT_EQ(drawnLine(-7, -0.5f, -61, -30).text, "NAME");
    DrawnLine name = drawnLine(-7, -0.5f, -21, 100);
    EXPECT_EQ(name.text, "ACE");
    EXPECT_FLOAT_EQ(name.firstX, -20);
    DrawnLine server = drawnLine(0, -0.5f, -21, 100);
    EXPECT_EQ(server.text, "192.168.100.200");
    EXPECT_FLOAT_EQ(server.firstX, -20);

    // A buffer that lost its terminating zero is cut at 15 characters.
    memset(myPlayerName, 'W', sizeof myPlayerName);
    myPlayerNameLength = 15;
    restAt(1280, 0);
    menuDrawMultiplayer();
    EXPECT_EQ(drawnLine(-7, -0.5f, -21, 100).text, std::string(15, 'W'));
    setName(myPlayerName, myPlayerNameLength, "");
    setName(serverName, serverNameLength, "");
}

TEST(Menus, KeyboardShowsOnlyBelowFifty) {
    restAt(1280, 0);
    keyboardOffset = 50;
    menuDrawKeyboard();
    EXPECT_TRUE(fakeCalls.empty());

    keyboardOffset = 49.9f;
    keyboardRow = 3, keyboardColumn = 9;
    menuDrawKeyboard();
    auto sprites = fakeCallsNamed("DrawSprite");
    ASSERT_EQ(sprites.size(), 2u);
    EXPECT_EQ(sprites[0].args, (std::vector<float>{0, 49.9f, -0.3f, 0.2f, 0.2f, 49}));
    // The key cursor starts on the done key, at plane (1301.5, 7.4).
    EXPECT_FLOAT_EQ(sprites[1].args[0], 21.5f);
    EXPECT_FLOAT_EQ(sprites[1].args[1], 7.4f + 49.9f);
    EXPECT_FLOAT_EQ(sprites[1].args[2], -0.29f);
    EXPECT_EQ(sprites[1].args[5], 51);
    EXPECT_EQ(sprites[1].colour[3], 254);

    restAt(1280, 0);
    keyboardOffset = 16, keyboardRow = 1, keyboardColumn = 2;
    menuDrawKeyboard();
    EXPECT_FLOAT_EQ(fakeCalls.back().args[0], -13.5f);
    EXPECT_FLOAT_EQ(fakeCalls.back().args[1], -2.6f + 16);
    keyboardOffset = 50, keyboardRow = 3, keyboardColumn = 9;
}

TEST(Menus, ConnectingText) {
    restAt(1460, 0);
    menuConnecting = 1;
    menuDrawConnecting();
    EXPECT_EQ(drawnLine(0).text, "CONNECTING...");
    expectCentred(drawnLine(0));
    restAt(1460, 0);
    menuConnecting = 0;
    menuDrawConnecting();
    EXPECT_EQ(drawnLine(0).text, "DISCONNECTING...");
}

TEST(Menus, LobbyWithOnlySlotTwoKnown) {
    for (int i = 0; i < 4; i++)
        setName(playerNames[i], playerNameLengths[i], "");
    setName(playerNames[2], playerNameLengths[2], "ZED");
    lobbyOption = 7;
    menuLobbyCursor = 10, menuLobbyBarHeight = 26;
    restAt(1640, 0);
    menuDrawLobby();
    const int halved[4][3] = {{127, 0, 0}, {62, 93, 55}, {69, 55, 93}, {93, 75, 55}};
    for (int i = 0; i < 4; i++) {
        DrawnLine label = drawnLine(-30.0f + 7 * i, -0.5f, -61, -50);
        EXPECT_EQ(label.text, std::string(1, char('1' + i)) + ".");
        EXPECT_FLOAT_EQ(label.firstX, -60);
        DrawnLine name = drawnLine(-30.0f + 7 * i, -0.5f, -41, 100);
        EXPECT_EQ(name.text, i == 2 ? "ZED" : "");
        if (i == 2) {
            EXPECT_FLOAT_EQ(name.firstX, -40);
        }
        for (const FakeCall &c : fakeCallsNamed("DrawSprite")) {
            if (c.args[1] == -30.0f + 7 * i) {
                EXPECT_EQ(std::vector<int>(c.colour, c.colour + 4),
                          (std::vector<int>{halved[i][0], halved[i][1], halved[i][2], 254}));
            }
        }
    }
    expectBar(fakeCallsNamed("DrawBox")[0], 10, 26);
    EXPECT_EQ(drawnLine(26).text, "START");
    EXPECT_EQ(drawnLine(33).text, "DISCONNECT");
    for (float y : {26.0f, 33.0f})
        expectCentred(drawnLine(y));
    auto arrows = fakeCallsNamed("DrawTriangle");
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_FLOAT_EQ(arrows[0].args[0], -40);
    EXPECT_FLOAT_EQ(arrows[1].args[0], 40);
    for (const FakeCall &a : arrows) {
        EXPECT_FLOAT_EQ(a.args[1], 10);
        EXPECT_FLOAT_EQ(a.args[2], -0.53f);
        EXPECT_FLOAT_EQ(a.args[9], 10); // the corners' scale
        EXPECT_FLOAT_EQ(a.args[10], 10);
        EXPECT_EQ(a.colour[0], 255);
        EXPECT_EQ(a.colour[1], 207);
    }
    // Each arrow's tip points away from the picture.
    EXPECT_FLOAT_EQ(arrows[0].args[3], -1);
    EXPECT_FLOAT_EQ(arrows[1].args[3], 1);
    auto option = fakeCallsNamed("DrawSprite").back();
    EXPECT_EQ(option.args, (std::vector<float>{0, 10, -0.53f, 0.35f, 0.35f, 48}));
    EXPECT_EQ(option.colour[3], 255);
    setName(playerNames[2], playerNameLengths[2], "");
    lobbyOption = 0;
}
