// The menu track: 24 bars at 90 beats a minute (64 s) over one eight-bar progression,
// played three times: a soft pad with bass and a bell arpeggio, then a flute melody with
// light percussion, then a second melody. Every note and effect is rendered on a circle of
// the track's length, so that a note or echo that rings past the end sounds at the
// beginning, and the track loops without a seam.
#include <cmath>
#include <cstdint>
#include <iterator>

#include "synth.h"

namespace {

constexpr int beat = synthRate * 2 / 3; // 29400 frames: 90 beats a minute
constexpr int barBeats = 4;
constexpr int phraseBars = 8;
constexpr int phrases = 3;
constexpr int trackFrames = beat * barBeats * phraseBars * phrases;

struct Chord {
    int pad[4]; // the pad's voicing, MIDI notes
    int bass;
};
// Fmaj7 Em7 Dm7 Cmaj7 Bbmaj7 Am7 Gm7 C7sus4; the sus4 resolves to C7 half-way.
constexpr Chord chords[phraseBars] = {
    {{53, 57, 60, 64}, 41}, {{52, 55, 59, 62}, 40}, {{50, 53, 57, 60}, 38}, {{48, 52, 55, 59}, 36},
    {{46, 50, 53, 57}, 34}, {{48, 52, 55, 57}, 33}, {{46, 50, 53, 55}, 31}, {{48, 53, 55, 58}, 36}};
constexpr int c7[4] = {48, 52, 55, 58};

struct Note {
    float beat, length;
    int pitch;
};
// The two melodies, in beats from the start of their phrase.
constexpr Note melodyB[] = {
    {0, 1.5, 81},   {1.5, .5, 79}, {2, 1, 76},     {3, 1, 72},     {4, 1.5, 74},
    {5.5, .5, 76},  {6, 2, 79},    {8, 1.5, 77},   {9.5, .5, 76},  {10, 1, 74},
    {11, 1, 69},    {12, 2.5, 76}, {14.5, .5, 74}, {15, 1, 72},    {16, 1.5, 74},
    {17.5, .5, 77}, {18, 2, 81},   {20, 1, 79},    {21, 1, 76},    {22, 2, 72},
    {24, 1, 70},    {25, 1, 74},   {26, 1.5, 77},  {27.5, .5, 76}, {28, 3, 79}};
constexpr Note melodyC[] = {
    {0, 1, 84},     {1, 1, 81},     {2, .5, 79},   {2.5, .5, 81},  {3, 1, 76},   {4, 1.5, 79},
    {5.5, .5, 76},  {6, 1, 74},     {7, 1, 71},    {8, 1, 72},     {9, 1, 74},   {10, 1, 77},
    {11, 1, 81},    {12, 2, 79},    {14, 2, 76},   {16, 1, 77},    {17, 1, 74},  {18, .5, 77},
    {18.5, .5, 79}, {19, 1, 81},    {20, 1.5, 84}, {21.5, .5, 81}, {22, 1, 79},  {23, 1, 76},
    {24, 1.5, 77},  {25.5, .5, 74}, {26, 1, 70},   {27, 1, 74},    {28, 2.5, 76}};

double hz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12);
}

// Smooth 0-to-1 rise over length seconds.
double rise(double t, double length) {
    if (t >= length) return 1;
    return t <= 0 ? 0 : 0.5 - 0.5 * std::cos(M_PI * t / length);
}

struct Random {
    uint32_t state;
    double next() { // -1..1
        state = state * 1664525u + 1013904223u;
        return double(int32_t(state)) / 2147483648.0;
    }
};

// One cycle of a soft, warm tone: the first eight harmonics, falling off steeply.
struct Wavetable {
    static constexpr int size = 4096;
    double table[size + 1];
    Wavetable() {
        for (int i = 0; i <= size; i++) {
            double x = 2 * M_PI * i / size, v = 0;
            for (int h = 1; h <= 8; h++)
                v += std::sin(h * x + 0.7 * h * h) / std::pow(h, 1.7);
            table[i] = v;
        }
        double peak = 0;
        for (double v : table)
            peak = std::fmax(peak, std::fabs(v));
        for (double &v : table)
            v /= peak;
    }
    double at(double phase) const { // phase in cycles, 0..1
        double x = phase * size;
        int i = int(x);
        return table[i] + (x - i) * (table[i + 1] - table[i]);
    }
};

// The mix: dry left and right, and the reverb and echo sends, all of the track's length.
struct Mix {
    std::vector<double> left, right, reverbSend, echoSend;
    Mix() : left(trackFrames), right(trackFrames), reverbSend(trackFrames), echoSend(trackFrames) {}
    // Adds one sample at a frame counted on the circle, panned (-1 left, 1 right).
    void add(long frame, double v, double pan, double reverb, double echo = 0) {
        size_t i = size_t(frame % trackFrames);
        left[i] += v * std::sqrt(0.5 * (1 - pan));
        right[i] += v * std::sqrt(0.5 * (1 + pan));
        reverbSend[i] += v * reverb;
        echoSend[i] += v * echo;
    }
};

long at(int bar, double beats) {
    return long(bar) * barBeats * beat + long(beats * beat);
}

void pad(Mix &mix, const Wavetable &wave, long start, double seconds, int pitch, double level,
         double release = 1.4) {
    const double attack = 0.8;
    const double detune[3] = {-0.07, 0, 0.07}; // semitones
    const double pans[3] = {-0.6, 0, 0.6};
    long frames = long((seconds + release) * synthRate);
    for (int v = 0; v < 3; v++) {
        double step = hz(pitch + detune[v]) / synthRate;
        double phase = 0.23 * v + 0.01 * pitch;
        phase -= std::floor(phase);
        for (long i = 0; i < frames; i++) {
            double t = double(i) / synthRate;
            double env = rise(t, attack) * (1 - rise(t - seconds, release));
            double swell = 1 + 0.12 * std::sin(2 * M_PI * 0.25 * t + v);
            mix.add(start + i, level * env * swell * wave.at(phase), pans[v], 0.5);
            phase += step;
            phase -= std::floor(phase);
        }
    }
}

void bass(Mix &mix, long start, double seconds, int pitch, double level) {
    double f = hz(pitch);
    long frames = long((seconds + 0.12) * synthRate);
    for (long i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        double env =
            rise(t, 0.012) * (0.6 + 0.4 * std::exp(-t / 0.8)) * (1 - rise(t - seconds, 0.12));
        double x = 2 * M_PI * f * t;
        double v = std::sin(x) + 0.35 * std::sin(2 * x) + 0.12 * std::sin(3 * x);
        mix.add(start + i, level * env * v, 0, 0.08);
    }
}

// A soft bell: a clear fundamental with quickly fading upper partials.
void bell(Mix &mix, long start, int pitch, double level, double pan) {
    double f = hz(pitch);
    long frames = long(2.0 * synthRate);
    for (long i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        double x = 2 * M_PI * f * t;
        double v = std::sin(x) * std::exp(-t / 0.55) +
                   0.25 * std::sin(2 * x) * std::exp(-t / 0.18) +
                   0.08 * std::sin(4.16 * x) * std::exp(-t / 0.06);
        mix.add(start + i, level * rise(t, 0.003) * v, pan, 0.45, 0.15);
    }
}

// A breathy flute: fundamental, two soft harmonics, a vibrato that grows in, a little air.
void flute(Mix &mix, long start, double seconds, int pitch, double level, Random &random) {
    double f = hz(pitch);
    long frames = long((seconds + 0.25) * synthRate);
    double phase = 0, air = 0;
    for (long i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        double vibrato = 1 + 0.004 * rise(t, 0.5) * std::sin(2 * M_PI * 5.2 * t);
        phase += f * vibrato / synthRate;
        phase -= std::floor(phase);
        double x = 2 * M_PI * phase;
        air += 0.08 * (random.next() - air);
        double v = std::sin(x) + 0.22 * std::sin(2 * x + 0.4) + 0.06 * std::sin(3 * x) + 0.5 * air;
        double env = rise(t, 0.05) * (0.85 + 0.15 * std::exp(-t / 0.2)) *
                     (1 - rise(t - seconds + 0.05, 0.25));
        mix.add(start + i, level * env * v, 0.1, 0.35, 0.3);
    }
}

void kick(Mix &mix, long start, double level) {
    long frames = long(0.4 * synthRate);
    double phase = 0;
    for (long i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        phase += (45 + 55 * std::exp(-t / 0.04)) / synthRate;
        double v = std::sin(2 * M_PI * phase) * std::exp(-t / 0.11) * rise(t, 0.002);
        mix.add(start + i, level * v, 0, 0.05);
    }
}

// Shaker and rim: noise through a one-pole high-pass (shaker) or a gentle band (rim).
void shaker(Mix &mix, long start, double level, Random &random) {
    long frames = long(0.12 * synthRate);
    double previous = 0, high = 0;
    for (long i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        double x = random.next();
        high = 0.6 * (high + x - previous);
        previous = x;
        double env = rise(t, 0.004) * std::exp(-t / 0.03);
        mix.add(start + i, level * env * high, 0.35, 0.2);
    }
}

void rim(Mix &mix, long start, double level, Random &random) {
    long frames = long(0.2 * synthRate);
    double low = 0, previous = 0, band = 0;
    for (long i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        low += 0.25 * (random.next() - low);
        band = 0.9 * (band + low - previous);
        previous = low;
        double tone = 0.5 * std::sin(2 * M_PI * 420 * t);
        double v = (band + tone) * std::exp(-t / 0.035) * rise(t, 0.001);
        mix.add(start + i, level * v, -0.3, 0.5);
    }
}

void score(Mix &mix) {
    Wavetable wave;
    Random random{2024};
    const long barFrames = long(barBeats) * beat;
    for (int phrase = 0; phrase < phrases; phrase++) {
        for (int b = 0; b < phraseBars; b++) {
            int bar = phrase * phraseBars + b;
            const Chord &chord = chords[b];
            double barSeconds = double(barFrames) / synthRate;
            bool last = b == phraseBars - 1;
            double padLevel = phrase == 0 ? 0.03 : 0.022;
            // Pad: the sus4 bar changes to C7 half-way. The track's very last chord is short
            // and fades fast, so that little of it rings on into the loop's start.
            bool end = last && phrase == phrases - 1;
            double beatSeconds = double(beat) / synthRate;
            for (int v = 0; v < 4; v++) {
                if (!last) {
                    pad(mix, wave, at(bar, 0), barSeconds, chord.pad[v], padLevel);
                    continue;
                }
                pad(mix, wave, at(bar, 0), 2 * beatSeconds, chord.pad[v], padLevel);
                if (end)
                    pad(mix, wave, at(bar, 2), 0.75 * beatSeconds, c7[v], padLevel, 1.0);
                else
                    pad(mix, wave, at(bar, 2), 2 * beatSeconds, c7[v], padLevel);
            }
            // Bass: held in the first phrase, a gentle rhythm after it.
            if (phrase == 0) {
                bass(mix, at(bar, 0), barSeconds * 0.95, chord.bass, 0.075);
            } else {
                bass(mix, at(bar, 0), beatSeconds * 1.4, chord.bass, 0.08);
                bass(mix, at(bar, 1.5), beatSeconds * 0.4, chord.bass + 12, 0.05);
                bass(mix, at(bar, 2), beatSeconds * (end ? 1.0 : 1.9), chord.bass + 7, 0.065);
            }
            // Bells: a rising and falling arpeggio in eighths, then in quarters under the
            // second melody; none in the middle phrase.
            const int *tones = last ? c7 : chord.pad;
            int up[5] = {tones[0] + 12, tones[1] + 12, tones[2] + 12, tones[3] + 12, tones[0] + 24};
            if (phrase == 0) {
                const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
                for (int i = 0; i < 8; i++)
                    bell(mix, at(bar, i * 0.5), up[order[i]], i % 2 ? 0.045 : 0.065,
                         i % 2 ? 0.4 : -0.4);
            } else if (phrase == 2) {
                const int order[4] = {0, 2, 4, 2};
                for (int i = 0; i < 4; i++)
                    bell(mix, at(bar, i), up[order[i]], 0.04, -0.5);
            }
            // Percussion under the melodies: kick on one and three, shaker in eighths with
            // the off-beats stronger, a rim on two and four in the last phrase.
            if (phrase > 0) {
                kick(mix, at(bar, 0), 0.16);
                kick(mix, at(bar, 2), 0.12);
                for (int i = 0; i < 8; i++)
                    shaker(mix, at(bar, i * 0.5), i % 2 ? 0.1 : 0.06, random);
                if (phrase == 2) {
                    rim(mix, at(bar, 1), 0.09, random);
                    rim(mix, at(bar, 3), 0.09, random);
                }
            }
        }
        const Note *melody = phrase == 1 ? melodyB : melodyC;
        int count = phrase == 1 ? int(std::size(melodyB)) : int(std::size(melodyC));
        for (int i = 0; phrase > 0 && i < count; i++)
            flute(mix, at(phrase * phraseBars, melody[i].beat), melody[i].length * beat / synthRate,
                  melody[i].pitch, 0.1, random);
    }
}

// Ping-pong echo at a dotted eighth and a small room reverb, each run twice round the
// circle so that the second pass starts with the tail of the first.
void effects(Mix &mix, std::vector<double> &left, std::vector<double> &right) {
    const int echoDelay = beat * 3 / 4;
    std::vector<double> echoL(echoDelay), echoR(echoDelay);
    const int combLengths[4] = {1557, 1617, 1491, 1422};
    const int allpassLengths[2] = {556, 441};
    const int stereoSpread = 23;
    struct Comb {
        std::vector<double> line;
        double filtered = 0;
        size_t pos = 0;
        double run(double x) {
            double y = line[pos];
            filtered = 0.7 * y + 0.3 * filtered; // damping: the tail darkens as it fades
            line[pos] = x + 0.82 * filtered;
            pos = (pos + 1) % line.size();
            return y;
        }
    };
    struct Allpass {
        std::vector<double> line;
        size_t pos = 0;
        double run(double x) {
            double delayed = line[pos];
            line[pos] = x + 0.5 * delayed;
            pos = (pos + 1) % line.size();
            return delayed - x;
        }
    };
    Comb combs[2][4];
    Allpass allpasses[2][2];
    for (int c = 0; c < 2; c++) {
        for (int i = 0; i < 4; i++)
            combs[c][i].line.assign(size_t(combLengths[i] + c * stereoSpread), 0);
        for (int i = 0; i < 2; i++)
            allpasses[c][i].line.assign(size_t(allpassLengths[i] + c * stereoSpread), 0);
    }
    left = mix.left;
    right = mix.right;
    size_t echoPos = 0;
    for (long n = 0; n < 2L * trackFrames; n++) {
        size_t i = size_t(n % trackFrames);
        double el = echoL[echoPos], er = echoR[echoPos];
        echoL[echoPos] = mix.echoSend[i] + 0.35 * er;
        echoR[echoPos] = el;
        echoPos = (echoPos + 1) % echoL.size();
        double in = 0.025 * (mix.reverbSend[i] + 0.5 * (el + er));
        double wet[2];
        for (int c = 0; c < 2; c++) {
            double sum = 0;
            for (Comb &comb : combs[c])
                sum += comb.run(in);
            for (Allpass &allpass : allpasses[c])
                sum = allpass.run(sum);
            wet[c] = sum;
        }
        if (n < trackFrames) continue;
        left[i] += 0.4 * el + wet[0];
        right[i] += 0.4 * er + wet[1];
    }
}

} // namespace

std::vector<float> synthMenuTrack() {
    Mix mix;
    score(mix);
    std::vector<double> left, right;
    effects(mix, left, right);
    double peak = 0;
    for (int i = 0; i < trackFrames; i++)
        peak = std::fmax(peak, std::fmax(std::fabs(left[size_t(i)]), std::fabs(right[size_t(i)])));
    std::vector<float> out(size_t(trackFrames) * 2);
    for (int i = 0; i < trackFrames; i++) {
        out[size_t(i) * 2] = float(left[size_t(i)] * 0.7 / peak);
        out[size_t(i) * 2 + 1] = float(right[size_t(i)] * 0.7 / peak);
    }
    return out;
}
