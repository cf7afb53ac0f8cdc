// The game atlas: a sheet of sixteen 128-texel patches that the play state's models take
// their texture coordinates from. Row by row (top first):
//   0: mire ground, cracked mud, mire pool, stone slab
//   1: brick wall, riveted plate, hazard stripes, base pad
//   2: rusted metal, brass plate, crate boards, floor grating
//   3: white hull paint, tread rubber, lamp glow, smoke puff (soft, with alpha)
// The ground patches repeat seamlessly within themselves.
#include <cmath>

#include "canvas.h"

namespace {

constexpr int tile = 128;

using Shader = Col (*)(float x, float y); // x, y in 0..128 within the patch

Col ground(float x, float y) {
    float n = fbmTiled(x / 16, y / 16, 11, 5, 8);
    float m = fbmTiled(x / 8, y / 8, 12, 3, 16);
    Col mud = mix(rgb(58, 46, 30), rgb(92, 78, 50), n);
    Col moss = mix(rgb(52, 74, 34), rgb(86, 110, 48), m);
    return mix(mud, moss, smooth(0.45f, 0.65f, fbmTiled(x / 32, y / 32, 13, 4, 4)));
}

Col crackedMud(float x, float y) {
    Col base = mix(rgb(112, 92, 62), rgb(140, 118, 80), fbmTiled(x / 16, y / 16, 21, 4, 8));
    // Cells of a tiled Voronoi pattern make the cracks.
    float best = 1e9f, second = 1e9f;
    int cells = 6;
    float size = float(tile) / cells;
    int cx = int(x / size), cy = int(y / size);
    for (int j = -1; j <= 1; j++)
        for (int i = -1; i <= 1; i++) {
            int gx = cx + i, gy = cy + j;
            int wx = (gx % cells + cells) % cells, wy = (gy % cells + cells) % cells;
            float px = (gx + 0.2f + 0.6f * hash01(wx, wy, 23)) * size;
            float py = (gy + 0.2f + 0.6f * hash01(wx, wy, 24)) * size;
            float d = std::hypot(x - px, y - py);
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    float crack = smooth(0.0f, 2.5f, second - best);
    return mix(rgb(40, 30, 20), base, crack);
}

Col pool(float x, float y) {
    float n = fbmTiled(x / 16, y / 16, 31, 5, 8);
    Col water = mix(rgb(30, 56, 44), rgb(52, 92, 66), n);
    float scum = fbmTiled(x / 8, y / 8, 32, 4, 16);
    water = mix(water, rgb(110, 130, 50), 0.6f * smooth(0.6f, 0.75f, scum));
    float glint = smooth(0.78f, 0.82f, fbmTiled(x / 4, y / 16, 33, 3, 32));
    return mix(water, rgb(190, 220, 200), 0.4f * glint);
}

Col slab(float x, float y) {
    float n = fbmTiled(x / 8, y / 8, 41, 5, 16);
    Col stone = mix(rgb(96, 98, 100), rgb(140, 140, 136), n);
    float edge = std::min({x, y, tile - x, tile - y});
    stone = mix(rgb(60, 62, 64), stone, smooth(0, 4, edge));
    if (edge > 4 && edge < 7) stone = mix(stone, rgb(170, 170, 166), 0.35f);
    return stone;
}

Col bricks(float x, float y) {
    float rowH = 16, brickW = 32;
    int row = int(y / rowH);
    float offset = (row % 2) * brickW / 2;
    float bx = std::fmod(x + offset, brickW), by = std::fmod(y, rowH);
    int id = int((x + offset) / brickW);
    float mortar = std::min({bx, brickW - bx, by, rowH - by});
    Col brick = mix(rgb(110, 56, 40), rgb(150, 84, 56), hash01(id, row, 51));
    brick = mix(brick, rgb(60, 40, 30), 0.4f * fbmTiled(x / 8, y / 8, 52, 3, 16));
    return mix(rgb(70, 66, 60), brick, smooth(1.0f, 2.5f, mortar));
}

Col plate(float x, float y) {
    float n = fbmTiled(x / 32, y / 4, 61, 3, 4);
    Col steel = mix(rgb(120, 128, 136), rgb(156, 164, 172), n);
    float edge = std::min({x, y, tile - x, tile - y});
    steel = mix(rgb(70, 74, 80), steel, smooth(0, 3, edge));
    for (int k = 0; k < 4; k++) {
        float rx = k % 2 ? tile - 10 : 10, ry = k / 2 ? tile - 10 : 10;
        float d = std::hypot(x - rx, y - ry);
        if (d < 4.5f)
            steel = mix(rgb(190, 196, 204), rgb(80, 84, 90), clamp01((x - rx + y - ry) / 8 + 0.5f));
    }
    return steel;
}

Col hazard(float x, float y) {
    float s = std::fmod(x + y, 32.0f);
    Col col = s < 16 ? rgb(232, 180, 30) : rgb(30, 28, 26);
    return mix(col, rgb(90, 70, 40), 0.3f * fbmTiled(x / 8, y / 8, 71, 4, 16));
}

Col basePad(float x, float y) {
    float d = std::hypot(x - 64, y - 64);
    Col col = mix(rgb(60, 64, 72), rgb(36, 38, 44), clamp01(d / 90));
    float ring = std::fabs(d - 44);
    col = mix(col, rgb(120, 230, 255), std::exp(-ring * ring / 18));
    float inner = std::fabs(d - 22);
    col = mix(col, rgb(200, 250, 255), 0.7f * std::exp(-inner * inner / 6));
    return col;
}

Col rust(float x, float y) {
    float n = fbmTiled(x / 16, y / 16, 81, 5, 8);
    float spots = smooth(0.5f, 0.7f, fbmTiled(x / 8, y / 8, 82, 4, 16));
    return mix(mix(rgb(110, 100, 96), rgb(130, 124, 120), n), rgb(150, 70, 30), spots);
}

Col brass(float x, float y) {
    float n = fbmTiled(x / 64, y / 2, 91, 3, 2);
    Col col = mix(rgb(180, 130, 50), rgb(230, 190, 100), n);
    float edge = std::min({x, y, tile - x, tile - y});
    return mix(rgb(110, 70, 20), col, smooth(0, 4, edge));
}

Col crate(float x, float y) {
    float boardH = 32;
    float by = std::fmod(y, boardH);
    int board = int(y / boardH);
    float grain = fbmTiled(x / 32, y / 2 + board * 7.0f, 101, 4, 4);
    Col wood = mix(rgb(120, 80, 40), rgb(170, 120, 64), grain);
    wood = mix(rgb(60, 36, 18), wood, smooth(0.5f, 2.0f, std::min(by, boardH - by)));
    float edge = std::min({x, y, tile - x, tile - y});
    if (edge < 10) wood = mix(wood, rgb(90, 60, 30), 0.6f);
    return wood;
}

Col grating(float x, float y) {
    float gx = std::fmod(x, 16.0f), gy = std::fmod(y, 16.0f);
    float bar = std::min(std::min(gx, 16 - gx), std::min(gy, 16 - gy));
    Col metal = mix(rgb(80, 86, 90), rgb(120, 126, 130), fbmTiled(x / 16, y / 16, 111, 3, 8));
    return mix(metal, rgb(14, 16, 18), smooth(2.5f, 3.5f, bar));
}

Col hull(float x, float y) {
    // Nearly white so that the player colours tint it; faint panel lines.
    float v = 0.92f + 0.06f * fbmTiled(x / 32, y / 32, 121, 3, 4);
    float line = std::min(std::fabs(std::fmod(x, 64.0f) - 1), std::fabs(std::fmod(y, 42.0f) - 1));
    if (line < 1) v *= 0.8f;
    return Col{v, v, v, 1};
}

Col tread(float x, float y) {
    float lug = std::fmod(y + std::fabs(x - 64) * 0.5f, 16.0f);
    Col col = lug < 6 ? rgb(58, 58, 60) : rgb(30, 30, 32);
    return mix(col, rgb(20, 20, 20), 0.4f * fbmTiled(x / 8, y / 8, 131, 3, 16));
}

Col glow(float x, float y) {
    float d = std::hypot(x - 64, y - 64) / 64;
    float v = clamp01(1 - d);
    return Col{0.4f + 0.6f * v, 0.35f + 0.6f * v, 0.2f + 0.6f * v * v, 1};
}

Col smoke(float x, float y) {
    float d = std::hypot(x - 64, y - 64) / 60;
    float n = fbm(x / 20, y / 20, 141, 4);
    float a = clamp01(1 - d) * (0.6f + 0.6f * n);
    float v = 0.75f + 0.25f * n;
    return Col{v, v, v, clamp01(a)};
}

} // namespace

Canvas paintGame() {
    Canvas c(512, 512, Col{0, 0, 0, 1});
    const Shader shaders[16] = {ground, crackedMud, pool,  slab,    bricks, plate, hazard, basePad,
                                rust,   brass,      crate, grating, hull,   tread, glow,   smoke};
    for (int t = 0; t < 16; t++) {
        int ox = (t % 4) * tile, oy = (t / 4) * tile;
        for (int y = 0; y < tile; y++)
            for (int x = 0; x < tile; x++)
                c.at(ox + x, oy + y) = shaders[t](x + 0.5f, y + 0.5f);
    }
    return c;
}
