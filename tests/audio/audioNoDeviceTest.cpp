// Without any sound device: every audio call returns at once and the program runs on.
#include <SDL/SDL.h>

#include "audio/audio.h"
#include "sound.h"

TEST(NoDevice, EverythingRunsOnSilently) {
    soundOpen("none");
    ASSERT_EQ(chdir(getenv("COGMIRE_SOURCE")), 0);
    const SfxEntry click[1] = {{"sfx/sfxMenuClick.wav", 0, 0}};
    audioSfxLoad(click, 1);
    EXPECT_EQ(sfxBuffers[0], 0u);
    for (int i = 0; i < 9; i++)
        audioSfxPlay(0);
    const char *tracks[1] = {"bgm/bgmMenu.ogg"};
    audioMusicSetTracks(tracks, 1);
    Uint32 before = SDL_GetTicks();
    audioMusicPlay(0);
    audioMusicSetEnabled(0);
    audioMusicSetEnabled(1);
    EXPECT_LT(SDL_GetTicks() - before, 100u);
    EXPECT_EQ(musicRunning, 0);
    EXPECT_EQ(musicThread, nullptr);
    EXPECT_EQ(musicSource, uint32_t(-1)); // no source
}
