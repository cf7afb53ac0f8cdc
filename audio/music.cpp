// Music streamed from an Ogg Vorbis track into two buffers that take turns on one source,
// refilled by a thread of its own; the main thread starts and stops it.
#include <AL/al.h>
#include <AL/alc.h>
#include <SDL/SDL.h>
#include <vorbis/vorbisfile.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "audio/audio.h"

int musicOn = 1;
int musicCurrentTrack = -1;
ALuint musicSource = audioNoName;
int musicFormat = AL_FORMAT_STEREO16;
SDL_Thread *musicThread = nullptr;
int musicRunning = 0;

static const char *const *musicTracks = nullptr;
static int musicTrackCount = 0;
static ALuint musicBuffers[2] = {audioNoName, audioNoName};
static FILE *musicFile = nullptr;
static OggVorbis_File musicDecoder;
static bool musicDecoderOpen = false;
static vorbis_info *musicInfo = nullptr;
// The one value both threads touch: the main thread sets it to end the music thread.
static std::atomic<int> musicStop{0};
static bool musicExitHookSet = false;

// 32768 stereo or 65536 mono 16-bit sample frames per refill.
static constexpr int musicStagingBytes = 131072;

// Fills one buffer with the next samples and returns the bytes loaded (0: none, the buffer
// is left as it was). At the end of the track the decoder goes back to its beginning, so
// the music loops with no gap; a track that gives no samples at all ends the refill.
static int audioMusicStream(ALuint buffer) {
    char data[musicStagingBytes];
    int n = 0;
    bool rewound = false;
    while (n < musicStagingBytes) {
        int section = 0;
        long got = ov_read(&musicDecoder, data + n, musicStagingBytes - n, 0, 2, 1, &section);
        if (got > 0) {
            n += int(got);
            rewound = false;
            continue;
        }
        // A decoding error ends this refill early; the next one reads on.
        if (got < 0 || rewound || ov_pcm_seek(&musicDecoder, 0) != 0) break;
        rewound = true;
    }
    if (n > 0) alBufferData(buffer, musicFormat, data, n, ALsizei(musicInfo->rate));
    return n;
}

// Refills every buffer the source has finished; returns 1 when none had finished. A buffer
// that gets no samples stays off the queue, so that it never plays its old samples again.
static int audioMusicUpdate() {
    ALint processed = 0;
    alGetSourcei(musicSource, AL_BUFFERS_PROCESSED, &processed);
    for (int i = 0; i < processed; i++) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(musicSource, 1, &buffer);
        if (buffer != 0 && audioMusicStream(buffer) > 0)
            alSourceQueueBuffers(musicSource, 1, &buffer);
        ALint state = AL_PLAYING;
        alGetSourcei(musicSource, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) alSourcePlay(musicSource);
    }
    return processed == 0 ? 1 : 0;
}

// Refills both buffers in order, queues those that got samples and starts the source.
static void audioMusicPrime() {
    for (ALuint buffer : musicBuffers)
        if (audioMusicStream(buffer) > 0) alSourceQueueBuffers(musicSource, 1, &buffer);
    alSourcePlay(musicSource);
}

static void audioMusicService() {
    while (audioMusicUpdate() == 0) {
        ALint state = AL_PLAYING;
        alGetSourcei(musicSource, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) continue;
        // Stopped with nothing left to play: empty the queue and start afresh.
        alSourcei(musicSource, AL_BUFFER, 0);
        audioMusicPrime();
    }
}

static int audioMusicThread(void *) {
    while (musicStop.load() == 0) {
        audioMusicService();
        SDL_Delay(10);
    }
    return 0;
}

// At process exit, before the sound library's own teardown runs, the music thread is ended
// so that it is never inside the library while that library goes away. Nothing is released.
static void audioMusicEndAtExit() {
    if (musicRunning != 1) return;
    musicStop = 1;
    if (musicThread) SDL_WaitThread(musicThread, nullptr);
    musicThread = nullptr;
}

void audioMusicSetTracks(const char *const *names, int count) {
    musicTracks = names;
    musicTrackCount = count;
}

void audioMusicPlay(int track) {
    // Stop: the thread ends before anything that it uses is deleted.
    if (musicRunning == 1) {
        musicStop = 1;
        if (musicThread) {
            SDL_WaitThread(musicThread, nullptr);
            musicThread = nullptr;
        }
    }
    musicRunning = 0;
    if (musicSource != audioNoName) {
        alDeleteSources(1, &musicSource);
        musicSource = audioNoName;
    }
    if (musicBuffers[0] != audioNoName) {
        alDeleteBuffers(2, musicBuffers);
        musicBuffers[0] = musicBuffers[1] = audioNoName;
    }
    if (musicDecoderOpen) {
        ov_clear(&musicDecoder); // closes musicFile too
        musicDecoderOpen = false;
        musicFile = nullptr;
    }
    if (track < 0) return;
    // No sound device: nothing to play on, and nothing is made.
    if (!alcGetCurrentContext()) return;

    alGenBuffers(2, musicBuffers);
    alGenSources(1, &musicSource);
    if (musicSource == audioNoName || musicBuffers[0] == audioNoName) return;
    // At the listener, whatever the distance model or the listener's place.
    alSource3f(musicSource, AL_POSITION, 0, 0, 0);
    alSource3f(musicSource, AL_VELOCITY, 0, 0, 0);
    alSource3f(musicSource, AL_DIRECTION, 0, 0, 0);
    alSourcef(musicSource, AL_ROLLOFF_FACTOR, 0);
    alSourcei(musicSource, AL_SOURCE_RELATIVE, AL_TRUE);

    musicCurrentTrack = track;
    if (track >= musicTrackCount || !audioFileUsable(musicTracks[track])) return;
    musicFile = fopen(musicTracks[track], "rb");
    if (!musicFile) return;
    if (ov_open(musicFile, &musicDecoder, nullptr, 0) < 0) {
        fclose(musicFile);
        musicFile = nullptr;
        return;
    }
    musicDecoderOpen = true;
    musicInfo = ov_info(&musicDecoder, -1);
    // Only mono and stereo have a 16-bit format; other layouts are refused, not garbled.
    if (!musicInfo || musicInfo->channels < 1 || musicInfo->channels > 2 || musicInfo->rate <= 0) {
        ov_clear(&musicDecoder);
        musicDecoderOpen = false;
        musicFile = nullptr;
        return;
    }
    musicFormat = musicInfo->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;

    // Primed and started here, before the thread exists; from then on only the thread
    // touches the source, the buffers and the decoder.
    audioMusicPrime();
    musicStop = 0;
    musicThread = SDL_CreateThread(audioMusicThread, nullptr);
    if (musicThread && !musicExitHookSet) musicExitHookSet = atexit(audioMusicEndAtExit) == 0;
    musicRunning = 1;
}

void audioMusicSetEnabled(int on) {
    musicOn = on;
    audioMusicPlay(on == 1 ? musicCurrentTrack : -1);
}
