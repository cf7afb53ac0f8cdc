// The menu click: a short wooden tick, two damped partials and a breath of soft noise.
#include <cmath>
#include <cstdint>

#include "synth.h"

std::vector<float> synthClick() {
    const int frames = synthRate * 45 / 1000;
    std::vector<double> s(size_t(frames), 0.0);
    uint32_t seed = 12345;
    double noise = 0;
    for (int i = 0; i < frames; i++) {
        double t = double(i) / synthRate;
        double body = std::sin(2 * M_PI * 1400 * t) * std::exp(-t / 0.007);
        double tick = 0.55 * std::sin(2 * M_PI * 3100 * t) * std::exp(-t / 0.0025);
        double thump = 0.35 * std::sin(2 * M_PI * 520 * t) * std::exp(-t / 0.012);
        seed = seed * 1664525u + 1013904223u;
        double white = double(int32_t(seed)) / 2147483648.0;
        noise += 0.35 * (white - noise); // low-passed, so the noise softens rather than hisses
        double breath = 0.4 * noise * std::exp(-t / 0.0015);
        // A 0.3 ms rise and a 5 ms fade: no step at either end.
        double rise = std::fmin(1.0, t / 0.0003);
        double fade = std::fmin(1.0, (double(frames - 1 - i) / synthRate) / 0.005);
        s[size_t(i)] = (body + tick + thump + breath) * rise * fade;
    }
    double peak = 0;
    for (double v : s)
        peak = std::fmax(peak, std::fabs(v));
    std::vector<float> out;
    for (double v : s)
        out.push_back(float(v * 0.5 / peak));
    return out;
}
