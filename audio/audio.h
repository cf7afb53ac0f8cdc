// Sound effects on eight sources taken in turn, and music streamed from an Ogg Vorbis
// track by a thread of its own.
#pragma once

#include <cstdint>

struct SDL_Thread;

// One row of the sound table: the WAV file's path; the two numbers are not read.
struct SfxEntry {
    const char *fileName;
    int32_t unused0;
    int32_t unused1;
};

// The switches as the settings screen shows them; effects play only while sfxOn is 1.
extern int sfxOn;
extern int musicOn;

// Initialises the sound library and makes the effect sources; silent when there is no device.
void audioInit();
void audioSfxLoad(const SfxEntry *table, int count);
void audioSfxPlay(int sound);
void audioSfxSetEnabled(int on);

void audioMusicSetTracks(const char *const *names, int count);
// Stops the music and releases it; a track of 0 or more then starts from its beginning.
void audioMusicPlay(int track);
void audioMusicSetEnabled(int on);

// The largest sound or music file that is opened: 8 MiB holds minutes of music (the menu
// track is 0.5 MB) and the decoder's search for the last page of a padded file stays
// under a quarter of a second; a bigger file would stall start-up for many seconds.
constexpr long audioFileMaxBytes = 8L << 20;
// Whether a sound or music file may be opened: a regular file of at most audioFileMaxBytes.
// Anything else (missing, a pipe or a device that could block, a padded giant) is treated
// as a file that does not open.
bool audioFileUsable(const char *path);

// Read by the tests. Sound-library names (ALuint); audioNoName where nothing was made.
constexpr uint32_t audioNoName = 0xFFFFFFFFu;
constexpr int sfxSourceCount = 8;
constexpr int sfxBufferCount = 8;
extern uint32_t sfxSources[sfxSourceCount];
extern int sfxNextSource;
extern uint32_t sfxBuffers[sfxBufferCount];
extern int musicCurrentTrack;
extern uint32_t musicSource;
extern int musicFormat;
extern SDL_Thread *musicThread;
extern int musicRunning;
