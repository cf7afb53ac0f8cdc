// Sound effects and streamed music.
#pragma once

#include <cstdint>

// One row of the sound table: the WAV file's path; the two numbers are not read.
struct SfxEntry {
    const char *fileName;
    int32_t unused0;
    int32_t unused1;
};

extern int sfxOn;
extern int musicOn;

void audioInit();
void audioSfxLoad(const SfxEntry *table, int count);
void audioSfxPlay(int sound);
void audioSfxSetEnabled(int on);

void audioMusicSetTracks(const char *const *names, int count);
// Stops the music and releases it; a track of 0 or more then starts from its beginning.
void audioMusicPlay(int track);
void audioMusicSetEnabled(int on);
