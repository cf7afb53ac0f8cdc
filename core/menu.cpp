// The seven menu screens: main menu, settings, credits, multiplayer screen, on-screen
// keyboard, connecting screen and lobby. They only read the state machine's values.
#include "core/menu.h"

#include <array>

#include "audio/audio.h"
#include "core/config.h"
#include "core/state.h"
#include "core/text.h"
#include "net/net.h"
#include "video/video.h"
#include "world/game.h"

namespace {

struct MenuItem {
    float x, y;
};

// Item positions relative to each screen's anchor on the plane.
constexpr MenuItem menuMainItems[4] = {{0, 0}, {0, 7}, {0, 14}, {0, 21}};
constexpr MenuItem menuSettingsItems[4] = {{0, -7}, {0, 0}, {0, 7}, {0, 14}};
constexpr MenuItem menuMultiplayerItems[4] = {{0, -7}, {0, 0}, {0, 20}, {0, 27}};
constexpr MenuItem menuLobbyItems[3] = {{0, 10}, {0, 26}, {0, 33}};

// Anchors on the plane.
constexpr float mainX = 1100, mainY = 0;
constexpr float settingsX = 1100, settingsY = -200;
constexpr float creditsX = 1100, creditsY = 186;
constexpr float multiplayerX = 1280, multiplayerY = 0;
constexpr float connectingX = 1460, connectingY = 0;
constexpr float lobbyX = 1640, lobbyY = 0;
constexpr float lobbyListX = 1580, lobbyListY = -30;

constexpr float textZ = -0.5f;
constexpr float textScale = 0.2f;
constexpr float barZ = -0.55f;
constexpr float barWidth = 140;
constexpr float barHeight = 8;
constexpr float lineStep = 7;

// Alpha 254 rather than 255 keeps blending on, so the glyphs' clear texels blend.
void colourItem() {
    videoSetColor(255, 207, 60, 254);
}
void colourValue() {
    videoSetColor(31, 137, 236, 254);
}
void colourBar() {
    videoSetColor(201, 166, 59, 128);
}

void menuText(float x, float y, const char *text, int centred) {
    textDraw(x, y, textZ, textScale, textScale, text, centred);
}

// A typed or received name: at most 15 characters of its 16-byte buffer, so a buffer that
// lost its terminating zero is cut rather than read past its end.
void menuName(float x, float y, const char (&name)[16]) {
    char text[16];
    int n = 0;
    for (; n < 15 && name[n]; n++)
        text[n] = name[n];
    text[n] = 0;
    menuText(x, y, text, 0);
}

// Key centres of the on-screen keyboard on the plane: row i and column j at
// (1280 - 23.5 + 5j, -7.6 + 5i).
struct KeyCentre {
    float x, y;
};
constexpr int keyRows = 4, keyColumns = 10;
constexpr auto keyCentres = [] {
    std::array<KeyCentre, keyRows * keyColumns> t{};
    for (int i = 0; i < keyRows; i++)
        for (int j = 0; j < keyColumns; j++)
            t[i * keyColumns + j] = {multiplayerX - 23.5f + 5.0f * j, -7.6f + 5.0f * i};
    return t;
}();

} // namespace

const int lobbyOptionSprites[8] = {41, 42, 43, 44, 45, 46, 47, 48};

void menuDrawMain() {
    const float sx = menuScrollX, sy = menuScrollY;
    colourBar();
    videoDrawBox(mainX - sx, mainY + menuMainCursor - sy, barZ, barWidth, barHeight);
    colourItem();
    // The logo stands 24 above the first item.
    videoDrawSprite(mainX - sx, mainY - 24 - sy, textZ, 0.3f, 0.3f, 50);
    static const char *const texts[4] = {"QUICK TEST", "MULTIPLAYER", "CREDITS", "SETTINGS"};
    for (int i = 0; i < 4; i++)
        menuText(mainX + menuMainItems[i].x - sx, mainY + menuMainItems[i].y - sy, texts[i], 1);
}

void menuDrawSettings() {
    const float sx = menuScrollX, sy = menuScrollY;
    colourBar();
    videoDrawBox(settingsX - sx, settingsY + menuSettingsCursor - sy, barZ, barWidth, barHeight);
    // Label and value have the same length and are centred on one point; each one's spaces
    // are the other's cells, so the line reads as one phrase in two colours.
    struct Line {
        const char *labelOn, *valueOn, *labelOff, *valueOff;
    };
    static const Line lines[3] = {
        {"GFX     ", "    HIGH", "GFX    ", "    LOW"},
        {"MUSIC   ", "      ON", "MUSIC    ", "      OFF"},
        {"SFX   ", "    ON", "SFX    ", "    OFF"},
    };
    const int switches[3] = {videoQuality, musicOn, sfxOn};
    for (int i = 0; i < 3; i++) {
        const float x = settingsX + menuSettingsItems[i].x - sx;
        const float y = settingsY + menuSettingsItems[i].y - sy;
        const bool on = switches[i] == 1;
        colourItem();
        menuText(x, y, on ? lines[i].labelOn : lines[i].labelOff, 1);
        colourValue();
        menuText(x, y, on ? lines[i].valueOn : lines[i].valueOff, 1);
    }
    colourItem();
    menuText(settingsX + menuSettingsItems[3].x - sx, settingsY + menuSettingsItems[3].y - sy,
             "BACK", 1);
}

void menuDrawCredits() {
    const float sx = menuScrollX, sy = menuScrollY;
    static const char *const lines[5] = {
        "MUSIC   COGMIRE TEAM",  "ARTIST   COGMIRE TEAM",   "2D GFX   COGMIRE TEAM",
        "3D GFX   COGMIRE TEAM", "THE REST   COGMIRE TEAM",
    };
    colourItem();
    for (int i = 0; i < 5; i++)
        menuText(creditsX - sx, creditsY + lineStep * i - sy, lines[i], 1);
}

void menuDrawMultiplayer() {
    const float sx = menuScrollX, sy = menuScrollY;
    colourBar();
    videoDrawBox(multiplayerX - sx, multiplayerY + menuMultiplayerCursor - sy, barZ, barWidth,
                 barHeight);
    colourItem();
    // The two entry lines: the label from 60 left of the column, the text from 20 left.
    const float nameY = multiplayerY + menuMultiplayerItems[0].y - sy;
    menuText(multiplayerX - 60 - sx, nameY, "NAME", 0);
    if (myPlayerNameLength > 0) menuName(multiplayerX - 20 - sx, nameY, myPlayerName);
    const float serverY = multiplayerY + menuMultiplayerItems[1].y - sy;
    menuText(multiplayerX - 60 - sx, serverY, "SERVER", 0);
    if (serverNameLength > 0) menuName(multiplayerX - 20 - sx, serverY, serverName);
    menuText(multiplayerX + menuMultiplayerItems[2].x - sx,
             multiplayerY + menuMultiplayerItems[2].y - sy, "CONNECT", 1);
    menuText(multiplayerX + menuMultiplayerItems[3].x - sx,
             multiplayerY + menuMultiplayerItems[3].y - sy, "BACK", 1);
}

void menuDrawKeyboard() {
    if (!(keyboardOffset < 50)) return;
    const float sx = menuScrollX, sy = menuScrollY;
    videoSetColor(255, 255, 255, 254);
    videoDrawSprite(multiplayerX - sx, multiplayerY - sy + keyboardOffset, -0.3f, textScale,
                    textScale, 49);
    // In front of the keyboard picture, which lies in front of the menu text.
    if (keyboardRow < 0 || keyboardRow >= keyRows || keyboardColumn < 0 ||
        keyboardColumn >= keyColumns)
        return;
    const KeyCentre &key = keyCentres[keyboardRow * keyColumns + keyboardColumn];
    videoDrawSprite(key.x - sx, key.y - sy + keyboardOffset, -0.29f, textScale, textScale, 51);
}

void menuDrawConnecting() {
    colourItem();
    menuText(connectingX - menuScrollX, connectingY - menuScrollY,
             menuConnecting == 1 ? "CONNECTING..." : "DISCONNECTING...", 1);
}

void menuDrawLobby() {
    const float sx = menuScrollX, sy = menuScrollY;
    // The player list, each slot in its colour at half brightness.
    static const char *const labels[4] = {"1.", "2.", "3.", "4."};
    for (int i = 0; i < 4; i++) {
        const float x = lobbyListX - sx, y = lobbyListY + lineStep * i - sy;
        videoSetColor(playerColours[i][0] >> 1, playerColours[i][1] >> 1, playerColours[i][2] >> 1,
                      254);
        menuText(x, y, labels[i], 0);
        if (playerNameLengths[i] > 0) menuName(x + 20, y, playerNames[i]);
    }
    colourBar();
    videoDrawBox(lobbyX - sx, lobbyY + menuLobbyCursor - sy, barZ, barWidth, menuLobbyBarHeight);
    colourItem();
    menuText(lobbyX + menuLobbyItems[1].x - sx, lobbyY + menuLobbyItems[1].y - sy, "START", 1);
    menuText(lobbyX + menuLobbyItems[2].x - sx, lobbyY + menuLobbyItems[2].y - sy, "DISCONNECT", 1);
    // The option selector: an arrow 40 to each side of its picture. Both arrows are wound
    // so that they face the viewer; the left one, given as (-1, 0), (1, 1), (1, -1), would
    // be a back face under the screens' y-downward projection and be culled.
    const float px = lobbyX + menuLobbyItems[0].x - sx, py = lobbyY + menuLobbyItems[0].y - sy;
    videoDrawTriangle(px - 40, py, -0.53f, -1, 0, 1, -1, 1, 1, 10, 10);
    videoDrawTriangle(px + 40, py, -0.53f, 1, 0, -1, 1, -1, -1, 10, 10);
    if (lobbyOption < 0 || lobbyOption >= 8) return;
    videoSetColor(255, 255, 255, 255);
    videoDrawSprite(px, py, -0.53f, 0.35f, 0.35f, lobbyOptionSprites[lobbyOption]);
}
