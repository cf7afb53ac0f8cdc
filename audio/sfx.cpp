// Sound effects: the sound library's start-up, one buffer per sound loaded at once, and
// eight sources used strictly in turn.
#include <AL/alut.h>

#include "audio/audio.h"
#include "platform/file.h"

static_assert(sizeof(ALuint) == sizeof(uint32_t));

int sfxOn = 1;
ALuint sfxSources[sfxSourceCount];
int sfxNextSource = 0;
ALuint sfxBuffers[sfxBufferCount];

void audioInit() {
    // Without a device the program runs on silent: no sources, nothing reported.
    if (!alutInit(nullptr, nullptr)) return;
    alGenSources(sfxSourceCount, sfxSources);
    sfxNextSource = 0;
}

bool audioFileUsable(const char *path) {
    long size = platformRegularFileSize(path);
    return size >= 0 && size <= audioFileMaxBytes;
}

void audioSfxLoad(const SfxEntry *table, int count) {
    if (count > sfxBufferCount) count = sfxBufferCount;
    // A file that does not load leaves 0, no buffer: playing it sounds nothing.
    for (int i = 0; i < count; i++)
        sfxBuffers[i] = audioFileUsable(table[i].fileName)
                            ? alutCreateBufferFromFile(table[i].fileName)
                            : AL_NONE;
}

void audioSfxPlay(int sound) {
    if (sfxOn != 1 || sound < 0 || sound >= sfxBufferCount) return;
    // The next source is taken whatever it is doing: a sound still playing there is cut,
    // and stopped first because the library refuses a new buffer on a playing source.
    ALuint source = sfxSources[sfxNextSource];
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, ALint(sfxBuffers[sound]));
    alSourcePlay(source);
    sfxNextSource = (sfxNextSource + 1) % sfxSourceCount;
}

void audioSfxSetEnabled(int on) {
    sfxOn = on;
}
