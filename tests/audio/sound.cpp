// The sound device of the audio tests (see sound.h).
#include "sound.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "audio/audio.h"
#include "oggwrite.h"

static std::string soundDir;

static void soundRemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(soundDir, ignored);
}

void soundOpen(const char *drivers) {
    std::string pattern = (std::filesystem::temp_directory_path() / "cogmireSoundXXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    soundDir = pattern;
    atexit(soundRemoveFolder); // after the music's own exit hook, registered later
    std::ofstream(soundDir + "/alsoft.conf")
        << "[general]\ndrivers=" << drivers << "\n[wave]\nfile=" << soundDir << "/out.wav\n";
    setenv("ALSOFT_CONF", (soundDir + "/alsoft.conf").c_str(), 1);
    audioInit();
}

long soundNow() {
    Wav wav;
    wavRead(soundDir + "/out.wav", wav);
    return wav.frames();
}

Wav soundAfter(long mark, double seconds) {
    // The device writes in real time: most of the wait is slept, then the file is read.
    Wav wav;
    soundSleep(seconds - double(soundNow() - mark) / 44100);
    for (int i = 0; i < 500; i++) {
        wav = Wav();
        if (wavRead(soundDir + "/out.wav", wav) && wav.frames() >= mark + wav.at(seconds))
            return wav;
        soundSleep(0.02);
    }
    ADD_FAILURE() << "the WAV stops at " << wav.frames() << ", wanted " << mark + wav.at(seconds);
    return wav;
}

void soundSleep(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::string soundTrack(const char *name, int channels, int rate, double seconds,
                       double (*f)(double t, int channel)) {
    int frames = int(seconds * rate);
    std::vector<float> samples(size_t(frames * channels));
    for (int i = 0; i < frames; i++)
        for (int c = 0; c < channels; c++)
            samples[size_t(i * channels + c)] = float(f(double(i) / rate, c));
    std::string path = soundDir + "/" + name;
    EXPECT_TRUE(oggWrite(path, samples.data(), frames, channels, rate, 0.3f));
    return path;
}
