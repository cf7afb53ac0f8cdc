// Stand-in for the game world until it is built: start-up hands over the atlas table
// and empties the typed names; the level and the scene are empty.
#include "world/game.h"

#include <cstring>

#include "core/config.h"
#include "core/state.h"
#include "video/video.h"

const int playerColours[4][3] = {
    {255, 0, 0}, {124, 187, 110}, {138, 110, 187}, {187, 151, 110}};

const char *const musicTracks[1] = {"bgm/bgmMenu.ogg"};
const SfxEntry soundEffects[1] = {{"sfx/sfxMenuClick.wav", 0, 0}};

void gameInit() {
    videoPrepare(1);
    audioMusicSetTracks(musicTracks, 1);
    audioSfxLoad(soundEffects, 1);
    videoTextureAtlasSet(textureAtlases, 3);
    audioMusicPlay(0);
    stateTimer = 0;
    memset(myPlayerName, 0, sizeof myPlayerName);
    memset(serverName, 0, sizeof serverName);
    myPlayerNameLength = 0;
    serverNameLength = 0;
}

void gameLevelInit() {}
void gameUpdate(float) {}
void gameDraw() {}
