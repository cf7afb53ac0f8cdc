// The game world's start-up assets and the set-up of the one built-in level: its props,
// the player's five units, the smoke emitters, the bases and the camera.
#include "world/game.h"

#include <cstring>

#include "core/config.h"
#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/camera.h"
#include "world/map.h"
#include "world/particle.h"
#include "world/scenery.h"
#include "world/unit.h"

const int playerColours[4][3] = {{255, 0, 0}, {124, 187, 110}, {138, 110, 187}, {187, 151, 110}};
const char *const musicTracks[1] = {"bgm/bgmMenu.ogg"};
const SfxEntry soundEffects[1] = {{"sfx/sfxMenuClick.wav", 0, 0}};

namespace {

struct LevelProp {
    float x, y, angle;
};
constexpr LevelProp levelProps[4] = {
    {1100, 1100, 100}, {1200, 1100, 140}, {1120, 1140, 0}, {1150, 1110, 20}};

struct LevelUnit {
    int type;
    float x, y, heading;
};
// Every client spawns its own units at these places, whichever slot it plays.
constexpr LevelUnit levelUnits[5] = {{2, 1300, 1120, 240},
                                     {2, 1100, 1000, 20},
                                     {1, 1300, 1020, 240},
                                     {1, 1400, 1420, 240},
                                     {1, 1200, 1200, 240}};

struct LevelEmitter {
    float x, y, z, scale, angle;
};
constexpr LevelEmitter levelEmitters[3] = {
    {1000, 1000, 0, 1.0f, 20}, {1100, 800, -2, 1.2f, 120}, {1120, 790, -4, 2.0f, 220}};

} // namespace

void gameInit() {
    videoPrepare(1);
    audioMusicSetTracks(musicTracks, 1);
    audioSfxLoad(soundEffects, 1);
    videoTextureAtlasSet(textureAtlases, 3);
    audioMusicPlay(0);
    stateTimer = 0;
    // The configuration file, loaded next, fills them again; the lengths stay as they are.
    memset(myPlayerName, 0, sizeof myPlayerName);
    memset(serverName, 0, sizeof serverName);
}

void gameLevelInit() {
    sceneryPropsClear();
    unitClearAll();
    sceneryEmittersClear();
    gameHudInit();
    particleClearAll();
    for (const LevelProp &p : levelProps)
        sceneryPropAdd(1, p.x, p.y, p.angle);
    for (const LevelUnit &u : levelUnits)
        unitSpawn(u.type, u.x, u.y, u.heading, myPlayerId, -1, 0);
    for (const LevelEmitter &e : levelEmitters)
        sceneryEmitterAdd(1, e.x, e.y, e.z, e.scale, e.angle);
    for (int32_t &alive : baseAlive)
        alive = 0;
    for (int b = 0; b < 2; b++) {
        mapTiles[baseCells[b][1] * mapWidth + baseCells[b][0]] = mapTileBase;
        baseAlive[b] = 1;
    }
    // Over the map's centre; zoom and tilt carry over from the last game.
    camX = float(mapWidth) * mapCellWidth * 0.5f;
    camY = float(mapHeight) * mapCellHeight * 0.5f;
}
