// A float RGBA canvas with anti-aliased shapes given by signed distance functions, value
// noise, and the stroke font that the menu glyphs, key labels and titles are drawn with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Col {
    float r, g, b, a;
};

Col mix(Col a, Col b, float t);
Col rgb(int r, int g, int b, int a = 255);
float clamp01(float v);
float smooth(float e0, float e1, float v);

struct Canvas {
    int w, h;
    std::vector<Col> px;
    Canvas(int width, int height, Col fill);
    Col &at(int x, int y) { return px[size_t(y) * size_t(w) + size_t(x)]; }
    // Composites c with coverage cov over the texel (straight alpha).
    void over(int x, int y, Col c, float cov);
    // Fills the texels of the box whose centres have a negative distance; the edge is
    // anti-aliased over one texel. colour is asked at texel centres.
    void fill(float x0, float y0, float x1, float y1, const std::function<float(float, float)> &sdf,
              const std::function<Col(float, float)> &colour);
    void fill(float x0, float y0, float x1, float y1, const std::function<float(float, float)> &sdf,
              Col colour);
    std::vector<uint8_t> bytes() const;
};

// Distances (negative inside).
float sdCircle(float x, float y, float cx, float cy, float r);
float sdBox(float x, float y, float cx, float cy, float hw, float hh, float radius = 0);
float sdSegment(float x, float y, float ax, float ay, float bx, float by);
// A gear: teeth around a disc; angle in radians of the first tooth.
float sdGear(float x, float y, float cx, float cy, float rOuter, float rInner, int teeth,
             float toothFraction, float phase);

// Smooth deterministic noise in [0, 1].
float noise2(float x, float y, uint32_t seed);
float fbm(float x, float y, uint32_t seed, int octaves);
float hash01(int x, int y, uint32_t seed);

// The stroke font. A glyph is drawn in a body box (left, top, width, height) with strokes of
// half width hw; the distance of a point to the glyph's strokes less hw is its SDF.
bool fontHas(char c);
float fontBodyWidth(char c, float height); // the body width that suits the height
float fontSdf(char c, float x, float y, float left, float top, float width, float height, float hw);
// Distance to a line of text: each character centred in a cell of advance units.
// With a negative advance the text is set proportionally, -advance units between bodies
// (a space takes half the height).
float textSdf(const std::string &text, float x, float y, float centreX, float top, float height,
              float advance, float hw);

// Noise that repeats every period units (period doubles with each octave), for tiles.
float fbmTiled(float x, float y, uint32_t seed, int octaves, int period);
// Copies the edge texels of a rectangle outward by pad texels, so filtering at the
// rectangle's border meets the same colours.
void padEdges(Canvas &c, int x0, int y0, int x1, int y1, int pad);
