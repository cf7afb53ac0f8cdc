// Sound effects and music on OpenAL Soft's WAV-writing device: which source each effect
// takes, what is heard, the music's formats, restart, loop and failures.
#include <AL/al.h>
#include <SDL/SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <ctime>
#include <string>

#include "../deadline.h"
#include "audio/audio.h"
#include "sound.h"

namespace {

class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        soundOpen("wave");
        ASSERT_EQ(chdir(getenv("COGMIRE_SOURCE")), 0);
    }
    // A stop that waits for ever on the music's thread fails at the deadline.
    void SetUp() override { failAfter(45, "an audio call did not return within 45 s"); }
    void TearDown() override { audioMusicPlay(-1), failAfter(0, ""); }
};

int sourceState(int i) {
    ALint state = 0;
    alGetSourcei(sfxSources[i], AL_SOURCE_STATE, &state);
    return state;
}

const SfxEntry click[1] = {{"sfx/sfxMenuClick.wav", 0, 0}};

// CPU seconds of the whole process, every thread.
double cpuSeconds() {
    return double(clock()) / CLOCKS_PER_SEC;
}

// What four seconds of music may cost: decoding takes a few hundredths of a second, a thread
// that polls without sleeping takes most of a core even on a crowded machine; the
// sanitizers slow the decoding many times over.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr double musicCpuLimit = 2.0;
#else
constexpr double musicCpuLimit = 0.4;
#endif

TEST_F(Sound, EffectsTakeTheSourcesInTurnWhileOn) {
    audioSfxLoad(click, 1);
    ASSERT_NE(sfxBuffers[0], 0u);
    for (int i = 0; i < 8; i++) {
        audioSfxPlay(0);
        ALint buffer = 0;
        alGetSourcei(sfxSources[i], AL_BUFFER, &buffer);
        EXPECT_EQ(ALuint(buffer), sfxBuffers[0]) << "source " << i;
        EXPECT_EQ(sfxNextSource, (i + 1) % 8);
    }
    soundSleep(0.2); // every click has ended
    audioSfxPlay(0);
    EXPECT_EQ(sourceState(0), AL_PLAYING);
    EXPECT_EQ(sfxNextSource, 1);
    // Off (0, or anything but 1): nothing plays and the next source stays.
    for (int off : {0, 2}) {
        audioSfxSetEnabled(off);
        audioSfxPlay(0);
        EXPECT_EQ(sfxNextSource, 1);
        EXPECT_NE(sourceState(1), AL_PLAYING);
    }
    audioSfxSetEnabled(1);
    audioSfxPlay(0);
    EXPECT_EQ(sourceState(1), AL_PLAYING);
    EXPECT_EQ(sfxNextSource, 2);
}

TEST_F(Sound, ClickIsHeardBriefly) {
    audioSfxLoad(click, 1);
    long mark = soundNow();
    audioSfxPlay(0);
    Wav wav = soundAfter(mark, 0.5);
    EXPECT_EQ(wav.rate, 44100);
    EXPECT_LT(wavPeak(wav, mark - wav.at(0.3), mark), 0.001);
    EXPECT_GT(wavPeak(wav, mark, mark + wav.at(0.5)), 0.1);
    int loud = wavLoudWindows(wav, mark, mark + wav.at(0.5), 0.01);
    EXPECT_GE(loud, 1);
    EXPECT_LE(loud, 8);
}

// Test tones: 441 Hz; 330 Hz left and 550 Hz right; 300 Hz for the first second then
// 700 Hz; 0.6 s of 300 Hz then 0.6 s of 700 Hz.
double tone441(double t, int) {
    return 0.5 * std::sin(2 * M_PI * 441 * t);
}
double toneLeftRight(double t, int c) {
    return 0.5 * std::sin(2 * M_PI * (c ? 550 : 330) * t);
}
double toneStep(double t, int) {
    return 0.5 * std::sin(2 * M_PI * (t < 1 ? 300 : 700) * t);
}
double toneShortStep(double t, int) {
    return 0.5 * std::sin(2 * M_PI * (t < 0.6 ? 300 : 700) * t);
}
double silence(double, int) {
    return 0;
}

// The frequency of each channel from 0.3 s to 0.8 s after the music started at mark, and
// both channels well heard.
void expectTones(long mark, double left, double right) {
    Wav wav = soundAfter(mark, 0.8);
    long from = mark + wav.at(0.3), to = mark + wav.at(0.8);
    EXPECT_NEAR(wavFrequency(wav, from, to, 0), left, left * 0.03);
    EXPECT_NEAR(wavFrequency(wav, from, to, 1), right, right * 0.03);
    EXPECT_GT(wavRms(wav, from, to, 0), 0.1);
    EXPECT_GT(wavRms(wav, from, to, 1), 0.1);
    EXPECT_LT(wavPeak(wav, from, to), 0.55); // signed samples: no jumps at full scale
}

TEST_F(Sound, MusicPlaysInTheTracksRateAndChannels) {
    std::string mono = soundTrack("mono.ogg", 1, 22050, 3, tone441);
    std::string stereo = soundTrack("stereo.ogg", 2, 44100, 3, toneLeftRight);
    const char *tracks[2] = {mono.c_str(), stereo.c_str()};
    audioMusicSetTracks(tracks, 2);
    alListener3f(AL_POSITION, 1000, 0, 0); // the music stays at the listener
    // The music's two buffers take the lowest free names: those of two made and deleted here.
    ALuint names[2];
    ALint bytes[2] = {};
    alGenBuffers(2, names);
    alDeleteBuffers(2, names);
    // Marked once the start has returned, however long a crowded machine made it take.
    audioMusicPlay(0);
    long mark = soundNow();
    EXPECT_EQ(musicFormat, AL_FORMAT_MONO16);
    // Each holds a whole refill of 131072 bytes (the track loops, so no refill is short).
    alGetBufferi(names[0], AL_SIZE, &bytes[0]);
    alGetBufferi(names[1], AL_SIZE, &bytes[1]);
    EXPECT_TRUE(bytes[0] == 131072 && bytes[1] == 131072) << bytes[0] << ", " << bytes[1];
    expectTones(mark, 441, 441);
    audioMusicPlay(1);
    mark = soundNow();
    EXPECT_EQ(musicFormat, AL_FORMAT_STEREO16);
    expectTones(mark, 330, 550);
    // The restarted thread streams on past the two buffers primed at the start (1.5 s).
    Wav wav = soundAfter(mark, 2.2);
    EXPECT_GT(wavRms(wav, mark + wav.at(1.7), mark + wav.at(2.2)), 0.1);
}

TEST_F(Sound, SwitchingOffAndOnRestartsFromTheBeginning) {
    std::string step = soundTrack("step.ogg", 1, 44100, 5, toneStep);
    const char *tracks[1] = {step.c_str()};
    audioMusicSetTracks(tracks, 1);
    // Nothing started yet: on plays nothing, and a stop of nothing changes nothing.
    audioMusicSetEnabled(1);
    audioMusicPlay(-1);
    EXPECT_EQ(musicRunning, 0);
    EXPECT_EQ(musicSource, ALuint(-1)); // no source

    audioMusicPlay(0);
    EXPECT_EQ(musicRunning, 1);
    EXPECT_NE(musicThread, nullptr);
    soundSleep(1.8);
    long mark = soundNow();
    Wav wav = soundAfter(mark, 0);
    EXPECT_NEAR(wavFrequency(wav, mark - wav.at(0.5), mark, 0), 700, 21);

    Uint32 before = SDL_GetTicks();
    audioMusicSetEnabled(0);
    EXPECT_LT(SDL_GetTicks() - before, 200u);
    EXPECT_EQ(musicOn, 0);
    EXPECT_EQ(musicRunning, 0);
    EXPECT_EQ(musicThread, nullptr);
    EXPECT_EQ(musicSource, ALuint(-1));
    mark = soundNow();
    wav = soundAfter(mark, 0.5);
    EXPECT_LT(wavPeak(wav, mark + wav.at(0.15), mark + wav.at(0.5)), 0.001);

    audioMusicSetEnabled(1);
    mark = soundNow();
    EXPECT_EQ(musicRunning, 1);
    EXPECT_NE(musicThread, nullptr);
    expectTones(mark, 300, 300);
}

TEST_F(Sound, MusicLoopsWithoutAGapAndWithoutSpinning) {
    std::string step = soundTrack("short.ogg", 1, 44100, 1.2, toneShortStep);
    const char *tracks[1] = {step.c_str()};
    audioMusicSetTracks(tracks, 1);
    long mark = soundNow();
    double cpu = cpuSeconds();
    audioMusicPlay(0);
    soundSleep(4);
    EXPECT_LT(cpuSeconds() - cpu, musicCpuLimit);
    Wav wav = soundAfter(mark, 4);
    EXPECT_EQ(wavLoudWindows(wav, mark + wav.at(0.2), mark + wav.at(3.8), 0.05), 360);
    // The third time round starts with the 300 Hz part again.
    EXPECT_NEAR(wavFrequency(wav, mark + wav.at(2.55), mark + wav.at(2.85), 0), 300, 9);
    EXPECT_NEAR(wavFrequency(wav, mark + wav.at(3.15), mark + wav.at(3.45), 0), 700, 21);
}

TEST_F(Sound, TracksThatCannotPlayLeaveItSilent) {
    std::string three = soundTrack("three.ogg", 3, 44100, 2, tone441);
    std::string empty = soundTrack("empty.ogg", 1, 44100, 0, silence);
    std::string good = soundTrack("good.ogg", 1, 44100, 2, tone441);
    const char *tracks[5] = {"bgm/missing.ogg", "sfx/sfxMenuClick.wav", three.c_str(),
                             empty.c_str(), good.c_str()};
    audioMusicSetTracks(tracks, 5);
    for (int track = 0; track < 4; track++) {
        long mark = soundNow();
        double cpu = cpuSeconds();
        audioMusicPlay(track);
        EXPECT_EQ(musicRunning, track == 3) << "track " << track; // the empty one starts
        soundSleep(0.6);
        EXPECT_LT(cpuSeconds() - cpu, 0.3) << "track " << track;
        Wav wav = soundAfter(mark, 0.6);
        EXPECT_LT(wavPeak(wav, mark, mark + wav.at(0.6)), 0.001) << "track " << track;
        // Switching off and on tries the same track again.
        audioMusicSetEnabled(0);
        audioMusicSetEnabled(1);
        EXPECT_EQ(musicCurrentTrack, track);
    }
    audioMusicPlay(4);
    long mark = soundNow();
    expectTones(mark, 441, 441);
}

// A track or a sound padded past the bound would hold start-up for minutes while the decoder
// looks for its last page, and a named pipe would block the open: both are refused unopened.
TEST_F(Sound, PipesAndPaddedFilesAreRefusedAtOnce) {
    std::string padded = soundTrack("padded.ogg", 1, 44100, 2, tone441);
    std::string bound = soundTrack("bound.ogg", 1, 44100, 2, tone441);
    std::string pipe = padded + ".pipe";
    ASSERT_EQ(truncate(padded.c_str(), 1L << 30), 0); // sparse: no disk is used
    ASSERT_EQ(truncate(bound.c_str(), 8L << 20), 0);  // 8 MiB: still opened
    ASSERT_TRUE(mkfifo(pipe.c_str(), 0600) == 0 || errno == EEXIST);
    EXPECT_TRUE(audioFileUsable(bound.c_str()));
    ASSERT_EQ(truncate(bound.c_str(), (8L << 20) + 1), 0);
    EXPECT_FALSE(audioFileUsable(bound.c_str()));

    const char *tracks[2] = {padded.c_str(), pipe.c_str()};
    audioMusicSetTracks(tracks, 2);
    for (int track = 0; track < 2; track++) {
        Uint32 start = SDL_GetTicks();
        audioMusicPlay(track);
        EXPECT_LT(SDL_GetTicks() - start, 1000u) << "track " << track;
        EXPECT_EQ(musicRunning, 0) << "track " << track;
    }
    const SfxEntry sounds[2] = {{padded.c_str(), 0, 0}, {pipe.c_str(), 0, 0}};
    audioSfxLoad(sounds, 2);
    EXPECT_EQ(sfxBuffers[0], 0u);
    EXPECT_EQ(sfxBuffers[1], 0u);
    unlink(padded.c_str());
    unlink(pipe.c_str());
}

} // namespace
