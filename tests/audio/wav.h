// Reading back what the sound library played: the WAV file that OpenAL Soft's wave writer
// keeps writing, and the measures the audio tests take of it.
#pragma once

#include <string>
#include <vector>

struct Wav {
    int rate = 0, channels = 0;
    std::vector<float> samples; // interleaved, -1..1
    long frames() const { return channels ? long(samples.size()) / channels : 0; }
    long at(double seconds) const { return long(seconds * rate); }
};

// 16-bit or float samples; the data runs to the end of the file whatever its size field
// says, since the writer fills that in only when the device closes.
bool wavRead(const std::string &path, Wav &wav);
// Over frames [from, to) of one channel, or of all when channel is -1.
double wavRms(const Wav &wav, long from, long to, int channel = -1);
double wavPeak(const Wav &wav, long from, long to, int channel = -1);
// Upward zero crossings per second: the frequency of a pure tone.
double wavFrequency(const Wav &wav, long from, long to, int channel);
// Windows of 10 ms in [from, to) whose RMS is above level.
int wavLoudWindows(const Wav &wav, long from, long to, double level);
