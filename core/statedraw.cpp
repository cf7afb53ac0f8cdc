// The drawing of one frame for the current screen state: clear and projection, the
// state's atlas, the spinning background rings of the menus, and the screens in view.
#include "core/state.h"

#include "core/menu.h"
#include "video/video.h"
#include "world/game.h"
#include "world/mesh.h"

namespace {

constexpr int statePlay = 23;

// The three background layers, drawn back to front; the angle grows with totalTime and is
// worked out afresh each frame.
struct BackgroundLayer {
    int grey;
    float z;
    float degreesPerMs;
};
constexpr BackgroundLayer backgroundLayers[3] = {
    {16, -11.7f, 0.05f}, {32, -11.25f, 0.10f}, {48, -11.0f, 0.15f}};

void drawBackground() {
    for (const BackgroundLayer &layer : backgroundLayers) {
        videoSetColor(layer.grey, layer.grey, layer.grey, 255);
        videoLoadIdentity();
        videoTranslate(0, 0, layer.z);
        videoRotate(0, 0, totalTime * layer.degreesPerMs);
        videoScale(menuBackgroundScale, menuBackgroundScale, 1);
        videoDrawMeshFlat(meshRing.data(), int(meshRingTriangles));
    }
}

// The splash pictures lie at plane x 400 and 580 and never scroll in y.
void drawSplash() {
    videoSetColor(255, 255, 255, 255);
    videoDrawSprite(400 - menuScrollX, 0, -0.5f, 0.33f, 0.33f, 0);
    videoDrawSprite(580 - menuScrollX, 0, -0.5f, 0.33f, 0.33f, 1);
}

// The screens drawn in each state, in order.
using ScreenDraw = void (*)();
constexpr ScreenDraw stateScreens[24][3] = {
    {drawSplash}, // 0 to 4 the splash
    {drawSplash},
    {drawSplash},
    {drawSplash},
    {drawSplash},
    {menuDrawMain},                                           // 5 to the main menu
    {menuDrawMain},                                           // 6 main menu
    {menuDrawMain, menuDrawCredits},                          // 7 to the credits
    {menuDrawCredits},                                        // 8 credits
    {menuDrawMain, menuDrawCredits},                          // 9 back from the credits
    {menuDrawMain, menuDrawMultiplayer},                      // 10 to the multiplayer screen
    {menuDrawMultiplayer, menuDrawKeyboard},                  // 11 multiplayer screen
    {menuDrawMain, menuDrawMultiplayer},                      // 12 back to the main menu
    {menuDrawMultiplayer, menuDrawConnecting, menuDrawLobby}, // 13 to connecting
    {menuDrawConnecting},                                     // 14 connecting
    {menuDrawMultiplayer, menuDrawConnecting, menuDrawLobby}, // 15 back to multiplayer
    {menuDrawConnecting, menuDrawLobby},                      // 16 to the lobby
    {menuDrawLobby},                                          // 17 lobby
    {menuDrawConnecting, menuDrawLobby},                      // 18 lobby to disconnecting
    {menuDrawMain, menuDrawSettings},                         // 19 to the settings
    {menuDrawSettings},                                       // 20 settings
    {menuDrawMain, menuDrawSettings},                         // 21 back from the settings
    {menuDrawLobby},                                          // 22 lobby into play
    {gameDraw},                                               // 23 play
};

} // namespace

void stateDraw() {
    const int state = screenState;
    // Only the near plane differs: the scene needs depth precision far out.
    if (state == statePlay) {
        videoClear(7, 65, 114, 255);
        videoSetFrustum(-16, 16, -9, 9, 20, 3000);
    } else {
        videoClear(0, 0, 0, 255);
        videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
    }
    // Asked every frame; the bind does the work only when the atlas changes.
    if (state >= 0 && state <= 4)
        videoTextureAtlasBind(atlasSplash);
    else if (state == statePlay)
        videoTextureAtlasBind(atlasGame);
    else
        videoTextureAtlasBind(atlasMenu);
    if (state >= 5 && state <= 22) drawBackground();

    // A scroll or slide draws both the screen it leaves and the one it goes to.
    if (state >= 0 && state <= statePlay)
        for (ScreenDraw draw : stateScreens[state])
            if (draw) draw();
}
