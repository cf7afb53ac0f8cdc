// The splash atlas: the title card (sprite 0, 476 by 192 texels at (2, 2)) and a dusk
// scene over the mire (sprite 1, 476 by 268 at (2, 198)). Both are drawn opaque.
#include <cmath>

#include "canvas.h"

namespace {

// Layered title lettering: drop shadow, dark outline, then a metal gradient with a sheen.
void title(Canvas &c, const std::string &text, float cx, float top, float height, float advance,
           float pen, Col light, Col mid, Col dark, float x0, float x1) {
    auto sdf = [&](float x, float y) { return textSdf(text, x, y, cx, top, height, advance, pen); };
    float y0 = top - 12, y1 = top + height + 14;
    c.fill(
        x0, y0, x1, y1, [&](float x, float y) { return sdf(x - 4, y - 5) - 3.5f; },
        Col{0, 0, 0, 0.55f});
    c.fill(
        x0, y0, x1, y1, [&](float x, float y) { return sdf(x, y) - 3.5f; }, rgb(16, 12, 6));
    c.fill(x0, y0, x1, y1, sdf, [&](float, float y) {
        float t = clamp01((y - top) / height);
        Col col = t < 0.5f ? mix(light, mid, t * 2) : mix(mid, dark, (t - 0.5f) * 2);
        // A bright band just above the middle, as on polished brass.
        float sheen = std::exp(-std::pow((t - 0.42f) / 0.05f, 2.0f));
        return mix(col, Col{1, 1, 0.9f, 1}, 0.55f * sheen);
    });
    // A thin highlight along the top edges of the strokes.
    c.fill(
        x0, y0, x1, y1, [&](float x, float y) { return std::max(sdf(x, y), -(sdf(x, y + 2.5f))); },
        Col{1, 0.97f, 0.85f, 0.6f});
}

void paintTitleCard(Canvas &c) {
    const int x0 = 2, y0 = 2, x1 = 478, y1 = 194;
    float cx = (x0 + x1) / 2.0f, cy = (y0 + y1) / 2.0f;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            float t = float(y - y0) / (y1 - y0);
            Col top = rgb(22, 54, 56), bottom = rgb(6, 14, 16);
            Col col = mix(top, bottom, t);
            float murk = fbm(x / 40.0f, y / 22.0f, 7, 5);
            col = mix(col, rgb(40, 70, 44), 0.35f * murk * murk);
            float dx = (x - cx) / (x1 - x0), dy = (y - cy) / (y1 - y0);
            float vignette = 1 - 0.9f * (dx * dx + dy * dy);
            c.at(x, y) = Col{col.r * vignette, col.g * vignette, col.b * vignette, 1};
        }
    // Big quiet cogs behind the title.
    c.fill(
        x0, y0, x1, y1,
        [&](float x, float y) {
            float g = sdGear(x, y, 410, 40, 92, 78, 16, 0.5f, 0.1f);
            return std::max(g, -sdCircle(x, y, 410, 40, 40));
        },
        rgb(120, 170, 150, 34));
    c.fill(
        x0, y0, x1, y1,
        [&](float x, float y) {
            float g = sdGear(x, y, 52, 170, 64, 53, 12, 0.5f, 0.3f);
            return std::max(g, -sdCircle(x, y, 52, 170, 26));
        },
        rgb(120, 170, 150, 26));
    title(c, "COGMIRE", cx, 44, 82, -13, 7.5f, rgb(255, 244, 190), rgb(240, 176, 46),
          rgb(150, 78, 14), x0, x1);
    // Rules and a line beneath the name.
    Col teal = rgb(150, 214, 200);
    c.fill(
        x0, 150, x1, 160, [&](float x, float y) { return sdBox(x, y, cx - 162, 155, 46, 1.2f); },
        teal);
    c.fill(
        x0, 150, x1, 160, [&](float x, float y) { return sdBox(x, y, cx + 162, 155, 46, 1.2f); },
        teal);
    c.fill(
        x0, 140, x1, 172,
        [&](float x, float y) {
            return textSdf("GEARS IN THE MUD", x, y, cx, 148, 14, -4.0f, 1.8f);
        },
        teal);
    // A fine frame just inside the edge.
    c.fill(
        x0, y0, x1, y1,
        [&](float x, float y) {
            return std::fabs(sdBox(x, y, cx, cy, (x1 - x0) / 2.0f - 5, (y1 - y0) / 2.0f - 5, 6)) -
                   0.8f;
        },
        rgb(150, 214, 200, 120));
    padEdges(c, x0, y0, x1, y1, 2);
}

void paintDuskCard(Canvas &c) {
    const int x0 = 2, y0 = 198, x1 = 478, y1 = 466;
    float cx = (x0 + x1) / 2.0f;
    float horizon = y0 + 160.0f;
    float sunX = cx + 70, sunY = horizon - 26;
    auto sky = [&](float x, float y) {
        float t = clamp01((y - y0) / (horizon - y0));
        Col col = t < 0.6f ? mix(rgb(26, 20, 58), rgb(140, 60, 90), t / 0.6f)
                           : mix(rgb(140, 60, 90), rgb(250, 150, 70), (t - 0.6f) / 0.4f);
        float d = std::hypot(x - sunX, y - sunY);
        col = mix(col, rgb(255, 220, 140), 0.6f * std::exp(-d / 60.0f));
        // Long bands of cloud.
        float cloud = fbm(x / 90.0f, y / 9.0f, 31, 5);
        col = mix(col, rgb(60, 30, 60), 0.5f * smooth(0.55f, 0.75f, cloud) * (1 - t * 0.5f));
        return col;
    };
    // Distant works: chimneys and a row of cogs on the skyline.
    auto skyline = [&](float x, float y) {
        float ground = sdBox(x, y, cx, horizon + 20, 300, 22);
        float d = ground;
        const float towers[][3] = {{60, 40, 10}, {96, 62, 8},   {128, 30, 12}, {330, 54, 9},
                                   {372, 80, 7}, {410, 36, 14}, {446, 58, 8}};
        for (const auto &t : towers)
            d = std::min(d, sdBox(x, y, t[0], horizon - t[1] / 2, t[2] / 2, t[1] / 2 + 1));
        d = std::min(d, sdGear(x, y, 200, horizon - 6, 34, 27, 12, 0.5f, 0.2f));
        d = std::min(d, sdGear(x, y, 256, horizon + 4, 22, 17, 9, 0.5f, 0.0f));
        d = std::min(d, sdBox(x, y, 230, horizon - 3, 60, 6));
        return d;
    };
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            float fx = x + 0.5f, fy = y + 0.5f;
            Col col;
            if (fy < horizon) {
                col = sky(fx, fy);
            } else {
                // The mire mirrors the sky, broken by ripples, darker toward the viewer.
                float depth = (fy - horizon) / (y1 - horizon);
                float ripple = (fbm(fx / 50.0f, fy / 3.0f, 57, 4) - 0.5f) * 14 * (0.3f + depth);
                float my = horizon - (fy - horizon) + ripple;
                col = sky(fx + ripple, std::max(float(y0), my));
                if (sdCircle(fx + ripple, my, sunX, sunY + 10, 17) < 0) col = rgb(255, 196, 120);
                if (skyline(fx + ripple * 0.5f, my) < 0) col = rgb(30, 16, 30);
                col = mix(col, rgb(14, 24, 20), 0.35f + 0.5f * depth);
                float scum = fbm(fx / 18.0f, fy / 6.0f, 77, 4);
                col = mix(col, rgb(46, 66, 30), 0.5f * smooth(0.6f, 0.8f, scum) * depth);
            }
            c.at(x, y) = col;
            c.at(x, y).a = 1;
        }
    // The sun, low and swollen, half behind the works.
    c.fill(
        x0, y0, x1, horizon, [&](float x, float y) { return sdCircle(x, y, sunX, sunY + 10, 17); },
        [&](float, float y) {
            return mix(rgb(255, 236, 170), rgb(255, 150, 70), clamp01((y - sunY + 7) / 34));
        });
    c.fill(
        x0, y0, x1, horizon + 1,
        [&](float x, float y) { return std::max(skyline(x, y), y - horizon); }, rgb(34, 18, 34));
    // Lit windows on the towers.
    for (int k = 0; k < 18; k++) {
        float wx = 40 + hash01(k, 1, 5) * 420, wy = horizon - 6 - hash01(k, 2, 5) * 50;
        if (skyline(wx, wy) > -1.5f) continue;
        c.fill(
            wx - 3, wy - 3, wx + 3, wy + 3,
            [&](float x, float y) { return sdBox(x, y, wx, wy, 1.2f, 1.6f); }, rgb(255, 200, 90));
    }
    // Reeds in front.
    for (int k = 0; k < 40; k++) {
        float rx = x0 + hash01(k, 3, 9) * (x1 - x0);
        float rh = 30 + hash01(k, 4, 9) * 60;
        float lean = (hash01(k, 5, 9) - 0.5f) * 24;
        float base = y1 + 2;
        c.fill(
            rx - 30, base - rh - 4, rx + 30, base,
            [&](float x, float y) {
                float d = sdSegment(x, y, rx, base, rx + lean, base - rh);
                float t = clamp01((base - y) / rh);
                return d - (1.8f - 1.3f * t);
            },
            rgb(10, 14, 10));
    }
    // Two small machines wading through the mire, lamps lit.
    for (int k = 0; k < 2; k++) {
        float ux = k == 0 ? 150 : 330, uy = horizon + (k == 0 ? 44 : 30);
        float s = k == 0 ? 1.0f : 0.7f;
        auto body = [&](float x, float y) {
            float hull = sdBox(x, y, ux, uy, 26 * s, 8 * s, 4 * s);
            float dome = sdCircle(x, y, ux - 4 * s, uy - 9 * s, 10 * s);
            float gun = sdBox(x, y, ux + 14 * s, uy - 11 * s, 12 * s, 2 * s, 1);
            return std::min({hull, std::max(dome, y - uy), gun});
        };
        c.fill(ux - 60, uy - 40, ux + 60, uy + 20, body, rgb(16, 12, 18));
        c.fill(
            ux - 60, uy - 40, ux + 60, uy + 20,
            [&](float x, float y) { return sdCircle(x, y, ux - 16 * s, uy - 1 * s, 2.2f * s); },
            rgb(255, 210, 110));
        c.fill(
            ux - 60, uy - 40, ux + 60, uy + 20,
            [&](float x, float y) { return sdCircle(x, y, ux - 16 * s, uy - 1 * s, 9 * s); },
            rgb(255, 190, 90, 50));
    }
    c.fill(
        x0, y1 - 40, x1, y1,
        [&](float x, float y) {
            return textSdf("FOUR COMMANDERS. ONE MIRE.", x, y, cx, y1 - 32, 16, -4.5f, 2.0f) - 2.5f;
        },
        rgb(10, 8, 12, 220));
    c.fill(
        x0, y1 - 40, x1, y1,
        [&](float x, float y) {
            return textSdf("FOUR COMMANDERS. ONE MIRE.", x, y, cx, y1 - 32, 16, -4.5f, 2.0f);
        },
        rgb(255, 232, 190));
    padEdges(c, x0, y0, x1, y1, 2);
}

} // namespace

Canvas paintSplash() {
    Canvas c(512, 512, Col{0, 0, 0, 1});
    paintTitleCard(c);
    paintDuskCard(c);
    return c;
}
