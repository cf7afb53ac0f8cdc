// WAV reading and the measures of tests/audio/wav.h.
#include "wav.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

static uint32_t wavU32(const uint8_t *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
static uint16_t wavU16(const uint8_t *p) {
    return uint16_t(p[0] | p[1] << 8);
}

bool wavRead(const std::string &path, Wav &wav) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> f(in ? size_t(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char *>(f.data()), std::streamsize(f.size()));
    f.resize(size_t(in.gcount()));
    if (f.size() < 12 || memcmp(f.data(), "RIFF", 4) || memcmp(&f[8], "WAVE", 4)) return false;
    int format = 0, bits = 0;
    for (size_t pos = 12; pos + 8 <= f.size();) {
        uint32_t size = wavU32(&f[pos + 4]);
        size_t body = pos + 8, left = f.size() - body;
        if (!memcmp(&f[pos], "fmt ", 4) && size >= 16 && left >= size) {
            format = wavU16(&f[body]);
            wav.channels = wavU16(&f[body + 2]);
            wav.rate = int(wavU32(&f[body + 4]));
            bits = wavU16(&f[body + 14]);
            if (format == 0xFFFE && size >= 26) format = wavU16(&f[body + 24]);
        } else if (!memcmp(&f[pos], "data", 4)) {
            size_t bytes = size < left ? size : left;
            if (wav.channels < 1 || !((format == 1 && bits == 16) || (format == 3 && bits == 32)))
                return false;
            size_t width = size_t(bits / 8), count = bytes / width / size_t(wav.channels);
            count *= size_t(wav.channels);
            wav.samples.resize(count);
            for (size_t i = 0; i < count; i++) {
                const uint8_t *p = &f[body + i * width];
                if (format == 1) {
                    wav.samples[i] = float(int16_t(wavU16(p))) / 32768.0f;
                } else {
                    uint32_t u = wavU32(p);
                    memcpy(&wav.samples[i], &u, 4);
                }
            }
            return true;
        }
        if (left < size) return false;
        pos = body + size + (size & 1);
    }
    return false;
}

// Calls f(sample) for frames [from, to) of a channel or of all channels.
template <class F> static void wavEach(const Wav &wav, long from, long to, int channel, F f) {
    from = std::max(from, 0L);
    to = std::min(to, wav.frames());
    for (long i = from; i < to; i++)
        for (int c = 0; c < wav.channels; c++)
            if (channel < 0 || c == channel) f(wav.samples[size_t(i * wav.channels + c)]);
}

double wavRms(const Wav &wav, long from, long to, int channel) {
    double sum = 0;
    long n = 0;
    wavEach(wav, from, to, channel, [&](float s) { sum += double(s) * s, n++; });
    return n ? std::sqrt(sum / double(n)) : 0;
}

double wavPeak(const Wav &wav, long from, long to, int channel) {
    double peak = 0;
    wavEach(wav, from, to, channel, [&](float s) { peak = std::fmax(peak, std::fabs(s)); });
    return peak;
}

double wavFrequency(const Wav &wav, long from, long to, int channel) {
    int crossings = 0;
    float previous = 0;
    wavEach(wav, from, to, channel, [&](float s) {
        crossings += previous < 0 && s >= 0;
        previous = s;
    });
    return to > from ? crossings * double(wav.rate) / double(to - from) : 0;
}

int wavLoudWindows(const Wav &wav, long from, long to, double level) {
    long step = wav.rate / 100;
    if (step < 1) return 0; // no WAV was read
    int loud = 0;
    for (long i = from; i + step <= to; i += step)
        loud += wavRms(wav, i, i + step) > level;
    return loud;
}
