// The menu atlas: the 41 glyphs, the eight lobby option tiles, the on-screen keyboard, the
// logo and the key cursor, each inside its sprite rectangle of the client's table.
//
// Several rectangles overlap in the client's table. The letters, digits and "." are drawn
// clean; the others take what their place allows:
//  - the option pictures (y 48 to 112) lie over the glyph rows: their colours live only in
//    the RGB of fully transparent texels, which text never shows, and they are white flags,
//    so the white letter parts inside them vanish; their coloured frames and bands keep to
//    the places where no glyph is, but for the X, Z and 9 crossing two frames;
//  - "," lies on the lower stem of "F", so it shows a short stroke;
//  - ":" and "@" lie in and beside "I": the I is a bare stem between them, so ":" stays
//    empty and "@" shows the tip of the J's hook;
//  - "-" lies in the middle of the logo's cog, where the cog's hub carries a bar.
#include <cmath>

#include "canvas.h"
#include "video/video.h"

namespace {

struct Rect {
    int x0, y0, x1, y1;
    float cx() const { return (x0 + x1) * 0.5f; }
    float cy() const { return (y0 + y1) * 0.5f; }
};

// One of the client's menu sprite rectangles, with its centre.
Rect sprite(int index) {
    const SpriteRect &s = spritesMenu[index];
    return {s.x0, s.y0, s.x1, s.y1};
}

constexpr float glyphHeight = 30; // body height of a letter, in texels
constexpr float glyphPen = 2.75f; // half width of the letters' strokes

// Glyph paint: alpha grows to the coverage and the colour moves toward the glyph's, so the
// texel keeps its own colour where the glyph only touches it.
void glyphPaint(Canvas &c, const Rect &box, const std::function<float(float, float)> &sdf) {
    for (int y = box.y0; y < box.y1; y++)
        for (int x = box.x0; x < box.x1; x++) {
            float cov = clamp01(0.5f - sdf(x + 0.5f, y + 0.5f));
            if (cov <= 0) continue;
            Col &d = c.at(x, y);
            // Pure white: the menu colours tint it, and over the option flags a glyph is
            // white on white where the flag is drawn without blending.
            Col g{1, 1, 1, 1};
            d = mix(Col{d.r, d.g, d.b, d.a}, g, cov);
            d.a = std::max(d.a, cov);
        }
}

void paintGlyphs(Canvas &c) {
    const char *chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int i = 0; i < 36; i++) {
        const Rect r = sprite(i);
        char ch = chars[i];
        float top = r.cy() - glyphHeight / 2;
        if (ch == 'I') {
            // Exactly the five columns between the ":" and "@" rectangles.
            glyphPaint(c, r, [&](float x, float y) {
                return sdBox(x, y, 259.5f, r.cy(), 2.5f, glyphHeight / 2, 2.5f);
            });
            continue;
        }
        float w = fontBodyWidth(ch, glyphHeight);
        float left = r.cx() - w / 2;
        glyphPaint(c, r, [&](float x, float y) {
            return fontSdf(ch, x, y, left, top, w, glyphHeight, glyphPen);
        });
    }
    // "." stands alone: a dot on the baseline of its cell.
    const Rect dot = sprite(38);
    glyphPaint(c, dot, [&](float x, float y) {
        return sdCircle(x, y, dot.cx(), dot.cy() + glyphHeight / 2 - 3.2f, 3.2f);
    });
}

// The lobby's option pictures: eight white flags, each with a frame and a band of its own
// colour and a white emblem on the band. Only the colour of transparent texels is painted,
// which text never shows; the glyphs over the flags are white on white there, and the
// band runs in the free strip between the glyph rows and under the "." (y 88 to 99).
void paintOptions(Canvas &c) {
    const float bandTop = 88, bandBottom = 99.5f;
    for (int k = 0; k < 8; k++) {
        const Rect r = sprite(41 + k);
        float hue = k * 45.0f * 3.14159265f / 180.0f;
        Col base{0.45f + 0.45f * std::cos(hue), 0.45f + 0.45f * std::cos(hue - 2.094f),
                 0.45f + 0.45f * std::cos(hue + 2.094f), 0};
        float cx = r.cx(), cy = (bandTop + bandBottom) / 2;
        auto emblem = [&](float x, float y) {
            switch (k) {
            case 0:
                return sdCircle(x, y, cx, cy, 5);
            case 1:
                return (std::fabs(x - cx) + std::fabs(y - cy)) - 6.5f;
            case 2:
                return sdBox(x, y, cx, cy, 4.5f, 4.5f, 1);
            case 3:
                return std::max(y - cy - 4.5f, std::fabs(x - cx) * 1.7f + (cy - y) - 4.5f);
            case 4:
                return std::min(sdBox(x, y, cx, cy, 7, 1.6f), sdBox(x, y, cx, cy, 1.6f, 5.5f));
            case 5:
                return std::max(sdGear(x, y, cx, cy, 6.5f, 4.6f, 6, 0.5f, 0),
                                -sdCircle(x, y, cx, cy, 1.8f));
            case 6:
                return std::min(sdCircle(x, y, cx - 9, cy, 3),
                                std::min(sdCircle(x, y, cx, cy, 3), sdCircle(x, y, cx + 9, cy, 3)));
            default:
                return std::fabs(sdCircle(x, y, cx, cy, 4.5f)) - 1.5f;
            }
        };
        for (int y = r.y0; y < r.y1; y++)
            for (int x = r.x0; x < r.x1; x++) {
                float fx = x + 0.5f, fy = y + 0.5f;
                float frame =
                    -sdBox(fx, fy, r.cx(), r.cy(), (r.x1 - r.x0) / 2.0f, (r.y1 - r.y0) / 2.0f);
                float band = std::min(fy - bandTop, bandBottom - fy);
                Col col{1, 1, 1, 0};
                // Below the band the digit tops begin: the flag's foot stays plain white.
                float edge = (fy < bandBottom ? clamp01(3.5f - frame) : 0) + clamp01(band + 0.5f);
                col = mix(col, base, clamp01(edge));
                // A little shade along the band's lower edge and the frame's inside.
                if (band > 0)
                    col = mix(col, Col{0, 0, 0, 0},
                              0.18f * clamp01((fy - bandTop) / (bandBottom - bandTop)));
                col = mix(col, Col{1, 1, 1, 0}, clamp01(0.5f - emblem(fx, fy)));
                Col &d = c.at(x, y);
                d.r = col.r;
                d.g = col.g;
                d.b = col.b;
            }
    }
}

void paintKeyboard(Canvas &c) {
    const Rect r = sprite(49);
    // The panel fills the rectangle: a dark slate plate with a light rim.
    c.fill(
        r.x0, r.y0, r.x1, r.y1,
        [&](float x, float y) {
            return sdBox(x, y, r.cx(), r.cy(), (r.x1 - r.x0) / 2.0f, (r.y1 - r.y0) / 2.0f, 9);
        },
        [&](float, float y) {
            float t = (y - r.y0) / (r.y1 - r.y0);
            return mix(rgb(58, 66, 84, 240), rgb(24, 28, 38, 240), t);
        });
    c.fill(
        r.x0, r.y0, r.x1, r.y1,
        [&](float x, float y) {
            float d =
                sdBox(x, y, r.cx(), r.cy(), (r.x1 - r.x0) / 2.0f - 1, (r.y1 - r.y0) / 2.0f - 1, 8);
            return std::fabs(d) - 0.9f;
        },
        rgb(150, 160, 185, 255));
    const char *keys = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ...!";
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 10; j++) {
            // Key centres where the menu screens put them: 5 texels a plane unit, the picture's
            // centre (148, 213) at plane (1280, 0).
            float kx = 30.5f + 25 * j, ky = 175.0f + 25 * i;
            bool done = i == 3 && j == 9;
            Col top = done ? rgb(120, 220, 120) : rgb(236, 238, 244);
            Col foot = done ? rgb(40, 140, 60) : rgb(178, 184, 198);
            // Shadow, then the key cap with a lit top edge.
            c.fill(
                kx - 14, ky - 14, kx + 14, ky + 15,
                [&](float x, float y) { return sdBox(x, y, kx, ky + 1.5f, 11, 11, 4); },
                rgb(8, 10, 14, 200));
            c.fill(
                kx - 13, ky - 13, kx + 13, ky + 13,
                [&](float x, float y) { return sdBox(x, y, kx, ky, 11, 11, 4); },
                [&](float, float y) { return mix(top, foot, clamp01((y - ky + 11) / 22)); });
            char ch = keys[10 * i + j];
            float h = ch == '!' ? 12.0f : 12.0f;
            float w = ch == '!' ? 13.0f : fontBodyWidth(ch, h);
            float pen = 1.45f;
            Col ink = done ? rgb(255, 255, 255) : rgb(34, 40, 58);
            c.fill(
                kx - 9, ky - 9, kx + 9, ky + 9,
                [&](float x, float y) {
                    return fontSdf(ch, x, y, kx - w / 2, ky - h / 2, w, h, pen);
                },
                ink);
        }
}

void paintLogo(Canvas &c) {
    const Rect r = sprite(50);
    const Rect dash = sprite(39);
    float gx = dash.cx(), gy = dash.cy(); // the big cog turns about the dash
    auto shade = [&](float top, float bottom) {
        return [=](float, float y) {
            float t = clamp01((y - r.y0) / (r.y1 - r.y0));
            float v = top + (bottom - top) * t;
            return Col{v, v, v, 1};
        };
    };
    // A small cog in mesh with the big one, up and to the left.
    float sx = 326, sy = 171;
    c.fill(
        r.x0, r.y0, r.x1, r.y1,
        [&](float x, float y) {
            float g = sdGear(x, y, sx, sy, 21, 16, 8, 0.5f, 0.2f);
            return std::max(g, -sdCircle(x, y, sx, sy, 6.5f));
        },
        shade(0.92f, 0.6f));
    // The big cog: toothed rim, five spokes, and a hub ring around a clear hole with a bar
    // in it, the bar being the "-" glyph.
    auto bigCog = [&](float x, float y) {
        float rim = sdGear(x, y, gx, gy, 46, 38, 12, 0.5f, 0.0f);
        rim = std::max(rim, -sdCircle(x, y, gx, gy, 29));
        float spokes = 1e9f;
        for (int k = 0; k < 5; k++) {
            float a = -1.5708f + k * 6.2831853f / 5;
            spokes = std::min(spokes, sdSegment(x, y, gx + 22 * std::cos(a), gy + 22 * std::sin(a),
                                                gx + 31 * std::cos(a), gy + 31 * std::sin(a)) -
                                          3.6f);
        }
        float hub = std::fabs(sdCircle(x, y, gx, gy, 20.5f)) - 2.8f;
        // The bar floats between two stubs of the hub: the dash's rectangle holds the bar
        // alone, a dash shorter than a cell; hub, stubs and spokes keep (with their dark
        // outline) out of that rectangle.
        float bar = sdBox(x, y, gx, gy, 8, 2.6f, 1.2f);
        float stubs = std::min(sdBox(x, y, gx - 16, gy, 2.5f, 2.6f, 0.8f),
                               sdBox(x, y, gx + 16, gy, 2.5f, 2.6f, 0.8f));
        bar = std::min(bar, stubs);
        return std::min({rim, spokes, hub, bar});
    };
    // Dark outline under everything so the logo stands off the spinning rings.
    c.fill(
        r.x0, r.y0, r.x1, r.y1, [&](float x, float y) { return bigCog(x, y) - 1.2f; },
        rgb(20, 16, 10, 255));
    c.fill(r.x0, r.y0, r.x1, r.y1, bigCog, shade(1.0f, 0.62f));
    // A bevel: light on the upper-left edges of the rim.
    c.fill(
        r.x0, r.y0, r.x1, r.y1,
        [&](float x, float y) {
            float d = bigCog(x, y);
            float lit = sdCircle(x, y, gx - 6, gy - 6, 44);
            return std::max(std::max(d, -d - 1.6f), lit);
        },
        Col{1, 1, 1, 0.55f});
    // The name on a band across the foot of the cog: dark letters on a light band.
    float bandTop = 214, bandBottom = 244;
    c.fill(
        r.x0, bandTop - 3, r.x1, bandBottom + 3,
        [&](float x, float y) {
            return sdBox(x, y, r.cx(), (bandTop + bandBottom) / 2, (r.x1 - r.x0) / 2.0f - 1.5f,
                         (bandBottom - bandTop) / 2, 4);
        },
        rgb(20, 16, 10, 255));
    c.fill(
        r.x0, bandTop - 3, r.x1, bandBottom + 3,
        [&](float x, float y) {
            return sdBox(x, y, r.cx(), (bandTop + bandBottom) / 2, (r.x1 - r.x0) / 2.0f - 3.5f,
                         (bandBottom - bandTop) / 2 - 2, 3);
        },
        shade(1.05f, 0.75f));
    c.fill(
        r.x0, bandTop, r.x1, bandBottom,
        [&](float x, float y) {
            return textSdf("COGMIRE", x, y, r.cx(), bandTop + 6, 18, -3.2f, 2.1f);
        },
        rgb(28, 20, 8, 255));
}

void paintCursor(Canvas &c) {
    const Rect r = sprite(51);
    // The frame's hole is wider than a key by more than three texels a side: drawn a little
    // in front of the keyboard, the cursor lands slightly off the keys far from the middle.
    float hw = (r.x1 - r.x0) / 2.0f - 1.7f, hh = (r.y1 - r.y0) / 2.0f - 1.7f;
    auto frame = [&](float x, float y) { return sdBox(x, y, r.cx(), r.cy(), hw, hh, 5); };
    c.fill(
        r.x0, r.y0, r.x1, r.y1, [&](float x, float y) { return std::fabs(frame(x, y)) - 2.6f; },
        [&](float x, float y) {
            return Col{1.0f, 0.8f, 0.25f, 0.45f * (1 - clamp01(std::fabs(frame(x, y)) / 2.6f))};
        });
    c.fill(
        r.x0, r.y0, r.x1, r.y1, [&](float x, float y) { return std::fabs(frame(x, y)) - 1.25f; },
        [&](float, float y) {
            return mix(rgb(255, 236, 140), rgb(255, 170, 30), clamp01((y - r.y0) / (r.y1 - r.y0)));
        });
}

} // namespace

Canvas paintMenu() {
    // Transparent white: where a glyph's edge is filtered with its surroundings it stays light.
    Canvas c(512, 512, Col{1, 1, 1, 0});
    paintOptions(c);
    paintGlyphs(c);
    paintKeyboard(c);
    paintLogo(c);
    paintCursor(c);
    return c;
}
