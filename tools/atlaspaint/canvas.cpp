// Canvas compositing, distance functions of the basic shapes, and value noise.
#include "canvas.h"

#include <algorithm>
#include <cmath>

Col mix(Col a, Col b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Col rgb(int r, int g, int b, int a) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

float clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float smooth(float e0, float e1, float v) {
    float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Canvas::Canvas(int width, int height, Col fill)
    : w(width), h(height), px(size_t(width) * size_t(height), fill) {}

void Canvas::over(int x, int y, Col c, float cov) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    Col &d = at(x, y);
    float as = clamp01(c.a * cov);
    if (as <= 0) return;
    float ad = d.a * (1 - as);
    float ao = as + ad;
    if (ao <= 0) {
        // Both transparent: the colour still follows, weighted by coverage.
        d = mix(d, Col{c.r, c.g, c.b, 0}, clamp01(cov));
        return;
    }
    d.r = (c.r * as + d.r * ad) / ao;
    d.g = (c.g * as + d.g * ad) / ao;
    d.b = (c.b * as + d.b * ad) / ao;
    d.a = ao;
}

void Canvas::fill(float x0, float y0, float x1, float y1,
                  const std::function<float(float, float)> &sdf,
                  const std::function<Col(float, float)> &colour) {
    int ix0 = std::max(0, int(std::floor(x0))), iy0 = std::max(0, int(std::floor(y0)));
    int ix1 = std::min(w, int(std::ceil(x1))), iy1 = std::min(h, int(std::ceil(y1)));
    for (int y = iy0; y < iy1; y++)
        for (int x = ix0; x < ix1; x++) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float cov = clamp01(0.5f - sdf(cx, cy));
            if (cov > 0) over(x, y, colour(cx, cy), cov);
        }
}

void Canvas::fill(float x0, float y0, float x1, float y1,
                  const std::function<float(float, float)> &sdf, Col colour) {
    fill(x0, y0, x1, y1, sdf, [colour](float, float) { return colour; });
}

std::vector<uint8_t> Canvas::bytes() const {
    std::vector<uint8_t> out;
    out.reserve(px.size() * 4);
    auto q = [](float v) { return uint8_t(std::lround(clamp01(v) * 255.0f)); };
    for (const Col &c : px) {
        out.push_back(q(c.r));
        out.push_back(q(c.g));
        out.push_back(q(c.b));
        out.push_back(q(c.a));
    }
    return out;
}

float sdCircle(float x, float y, float cx, float cy, float r) {
    return std::hypot(x - cx, y - cy) - r;
}

float sdBox(float x, float y, float cx, float cy, float hw, float hh, float radius) {
    float qx = std::fabs(x - cx) - hw + radius, qy = std::fabs(y - cy) - hh + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sdSegment(float x, float y, float ax, float ay, float bx, float by) {
    float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? clamp01((px * dx + py * dy) / len2) : 0;
    return std::hypot(px - dx * t, py - dy * t);
}

float sdGear(float x, float y, float cx, float cy, float rOuter, float rInner, int teeth,
             float toothFraction, float phase) {
    float dx = x - cx, dy = y - cy;
    float r = std::hypot(dx, dy);
    float a = std::atan2(dy, dx) - phase;
    float sector = 6.2831853f / float(teeth);
    float local = a - sector * std::round(a / sector); // -sector/2 .. sector/2
    // A tooth is a box in the frame of its own sector, widening slightly at its root.
    float tx = r * std::cos(local), ty = r * std::sin(local);
    float halfWidth = 0.5f * toothFraction * sector * (rInner + rOuter) * 0.5f;
    float taper = (tx - rInner) / std::max(1.0f, rOuter - rInner);
    float tooth = sdBox(tx, ty, (rInner + rOuter) * 0.5f, 0, (rOuter - rInner) * 0.5f,
                        halfWidth * (1.15f - 0.3f * clamp01(taper)), 1.5f);
    float disc = r - rInner;
    return std::min(tooth, disc);
}

static uint32_t hashMix(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

float hash01(int x, int y, uint32_t seed) {
    uint32_t v = hashMix(uint32_t(x) * 0x9E3779B1U ^ hashMix(uint32_t(y) + seed * 0x85EBCA77U));
    return float(v >> 8) / 16777216.0f;
}

float noise2(float x, float y, uint32_t seed) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - float(ix), fy = y - float(iy);
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    float c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
}

float fbm(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; i++) {
        sum += amp * noise2(x, y, seed + uint32_t(i) * 101U);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

static float noiseTiled(float x, float y, uint32_t seed, int period) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - float(ix), fy = y - float(iy);
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    auto w = [period](int v) { return ((v % period) + period) % period; };
    float a = hash01(w(ix), w(iy), seed), b = hash01(w(ix + 1), w(iy), seed);
    float c = hash01(w(ix), w(iy + 1), seed), d = hash01(w(ix + 1), w(iy + 1), seed);
    return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
}

float fbmTiled(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; i++) {
        sum += amp * noiseTiled(x, y, seed + uint32_t(i) * 101U, period);
        norm += amp;
        x *= 2;
        y *= 2;
        period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

void padEdges(Canvas &c, int x0, int y0, int x1, int y1, int pad) {
    for (int y = y0 - pad; y < y1 + pad; y++)
        for (int x = x0 - pad; x < x1 + pad; x++) {
            if (x < 0 || y < 0 || x >= c.w || y >= c.h) continue;
            if (x >= x0 && x < x1 && y >= y0 && y < y1) continue;
            int sx = std::min(std::max(x, x0), x1 - 1), sy = std::min(std::max(y, y0), y1 - 1);
            c.at(x, y) = c.at(sx, sy);
        }
}
