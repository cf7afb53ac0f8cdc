// The game atlas: the textures of the play state's models, laid out as gamelayout.h says.
// Each patch is painted as a function of world units over its cell; its gutter holds the
// same function carried on past the patch's edge (repeating patches wrap), so filtering
// and mipmaps meet the colours that continue the surface rather than a neighbour's.
// Baked shading stands in for lighting, which the game never turns on.
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "gamelayout.h"

namespace {

// A patch function takes world units within its cell (0 to 60 across the patch).
using Shader = Col (*)(float x, float y);

float wrap60(float v) {
    return v - 60.0f * std::floor(v / 60.0f);
}

Col scaled(Col c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

// The open ground: mud of the mire with moss and grit, in small features of low contrast
// so that the one patch can lie on every open cell without its repeat showing. Repeats
// every 60 units.
Col ground(float x, float y) {
    x = wrap60(x);
    y = wrap60(y);
    float broad = fbmTiled(x / 7.5f, y / 7.5f, 201, 4, 8);
    float fine = fbmTiled(x / 1.875f, y / 1.875f, 202, 2, 32);
    float moss = smooth(0.52f, 0.68f, fbmTiled(x / 3.75f, y / 3.75f, 203, 3, 16));
    Col mud = mix(rgb(70, 60, 40), rgb(84, 73, 48), broad);
    mud = mix(mud, rgb(70, 82, 42), 0.45f * moss);
    mud = scaled(mud, 0.92f + 0.16f * fine);
    // Grit: a sprinkle of small light stones.
    int gx = int(std::floor(x / 1.5f)), gy = int(std::floor(y / 1.5f));
    if (hash01(gx % 40, gy % 40, 205) > 0.96f) {
        float px = (gx + 0.5f) * 1.5f, py = (gy + 0.5f) * 1.5f;
        float d = std::hypot(x - px, y - py);
        mud = mix(mud, rgb(110, 102, 84), 0.4f * (1 - smooth(0.25f, 0.55f, d)));
    }
    return mud;
}

// How far a point lies inside the cell, in units (0 on its border).
float inset(float x, float y) {
    return std::min(std::min(x, 60 - x), std::min(y, 60 - y));
}

// A shape's reach: 1 well inside the cell, falling to 0 along a ragged line some units in
// from its border, so that a decoration melts into the ground around it.
float reach(float x, float y, float margin, uint32_t seed) {
    float ragged = margin + 12 * fbm(x / 9, y / 9, seed, 4);
    float rounded = -sdBox(x, y, 30, 30, 30, 30, 16);
    return smooth(ragged - 1.5f, ragged + 1.5f, rounded);
}

// Decoration 12: scorched, cracked ground with scraps of metal, fading into the ground
// at the cell's border. It is also what a fallen base leaves.
Col scorch(float x, float y) {
    Col g = ground(x, y);
    float k = reach(x, y, 0, 211);
    float cx = x - 30, cy = y - 30;
    float r = std::hypot(cx, cy) + 8 * fbm(x / 6, y / 6, 218, 3);
    float burn = 1 - smooth(6, 24, r);
    // Cracks from the nearest two points of a jittered grid.
    float best = 1e9f, second = 1e9f;
    for (int j = -1; j <= 10; j++)
        for (int i = -1; i <= 10; i++) {
            float px = (i + 0.2f + 0.6f * hash01(i, j, 212)) * 6.0f;
            float py = (j + 0.2f + 0.6f * hash01(i, j, 213)) * 6.0f;
            float d = std::hypot(x - px, y - py);
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    float crack = 1 - smooth(0.1f, 0.5f, second - best);
    Col dry = mix(rgb(82, 74, 60), rgb(100, 92, 74), fbm(x / 3, y / 3, 214, 3));
    dry = mix(dry, rgb(30, 26, 22), 0.8f * crack);
    dry = mix(dry, rgb(26, 24, 22), 0.8f * burn * (0.5f + 0.5f * fbm(x / 2, y / 2, 215, 3)));
    // Scraps: a few small plates, lit along one edge.
    for (int s = 0; s < 7; s++) {
        float sx = 14 + 32 * hash01(s, 0, 216), sy = 14 + 32 * hash01(s, 1, 216);
        float a = 6.283f * hash01(s, 2, 216);
        float lx = (x - sx) * std::cos(a) + (y - sy) * std::sin(a);
        float ly = -(x - sx) * std::sin(a) + (y - sy) * std::cos(a);
        float d =
            sdBox(lx, ly, 0, 0, 1.0f + 1.4f * hash01(s, 3, 216), 0.5f + 0.7f * hash01(s, 4, 216));
        if (d < 0) {
            Col metal = s % 3 == 0 ? rgb(140, 76, 44) : rgb(110, 114, 118);
            dry = scaled(metal, ly < -0.2f && d > -0.3f ? 1.3f : 0.85f + 0.2f * fbm(x, y, 217, 2));
        }
    }
    return mix(g, dry, k);
}

// Decoration 13: the mire's open water, dark with scum and reeds, filling the cell inside
// a ragged wet shore, so that neighbouring pools read as one marsh.
Col pool(float x, float y) {
    Col g = ground(x, y);
    float water = reach(x, y, 2, 221);
    float shore = reach(x, y, -2, 225);
    Col w = mix(rgb(24, 44, 40), rgb(38, 64, 54), fbm(x / 5, y / 5, 222, 4));
    float scum = smooth(0.6f, 0.72f, fbm(x / 2, y / 2, 223, 4));
    w = mix(w, rgb(84, 104, 50), 0.5f * scum);
    float glint = smooth(0.8f, 0.86f, fbm(x / 1.2f, y / 5, 224, 3));
    w = mix(w, rgb(160, 190, 170), 0.45f * glint * (1 - scum));
    Col out = mix(g, scaled(g, 0.62f), shore);
    // Reeds along the water's edge: short dark green strokes.
    float edge = water * (1 - water) * 4;
    if (edge > 0.3f && hash01(int(x * 2), int(y / 1.2f), 226) > 0.8f)
        out = mix(out, rgb(60, 84, 36), 0.8f);
    return mix(out, w, water);
}

// Wall tops: one dressed stone cap to a cell, joints on the cell's edges so that caps meet
// whichever way a piece is turned; rounded toward its joints, with moss in them. Repeats
// every 60 units.
Col wallTop(float x, float y) {
    x = wrap60(x);
    y = wrap60(y);
    float edge = inset(x, y);
    Col stone =
        mix(rgb(122, 122, 114), rgb(150, 148, 136), fbmTiled(x / 7.5f, y / 7.5f, 231, 4, 8));
    stone = scaled(stone, 0.94f + 0.08f * fbmTiled(x / 1.875f, y / 1.875f, 234, 2, 32));
    stone = mix(stone, rgb(112, 118, 92),
                0.4f * smooth(0.62f, 0.8f, fbmTiled(x / 3.75f, y / 3.75f, 233, 3, 16)));
    // The cap rounds off toward its joints.
    stone = scaled(stone, 0.88f + 0.12f * smooth(0.5f, 6.0f, edge));
    return mix(rgb(80, 82, 70), stone, smooth(0.1f, 0.6f, edge));
}

// The shade a wall casts on the floor: dark at its foot, a wide soft fall-off beyond.
Col shaded(float x, float y, float d) {
    float k = 1 - 0.5f * std::exp(-d / 2.5f) - 0.22f * std::exp(-d / 9);
    return scaled(ground(x, y), k);
}

float distBox(float x, float y, float x0, float y0, float x1, float y1) {
    float dx = std::max(std::max(x0 - x, 0.0f), x - x1);
    float dy = std::max(std::max(y0 - y, 0.0f), y - y1);
    return std::hypot(dx, dy);
}

// Floors of the wall pieces, in cell coordinates from the centre (the pieces' own).
Col edgeFloor(float x, float y) {
    x -= 30;
    y -= 30;
    float b = float(buttressHalfWidth);
    float d = std::min(distBox(x, y, -99, float(wallFootY), 99, 99),
                       distBox(x, y, -b, float(buttressFrontY), b, 99));
    return shaded(x + 30, y + 30, d);
}

Col cornerFloor(float x, float y) {
    x -= 30;
    y -= 30;
    // The block's foot: x and y above the foot line, its corner cut by the facet.
    float foot = float(wallFootY), line = float(2 * wallFootY + cornerCut[0]);
    float d = distBox(x, y, foot, foot, 99, 99);
    float cut = (line - (x + y)) * 0.70710678f;
    if (x > foot && y > foot)
        d = std::max(0.0f, cut);
    else
        d = std::max(d, cut);
    return shaded(x + 30, y + 30, d);
}

Col innerFloor(float x, float y) {
    x -= 30;
    y -= 30;
    // The pocket lies below the foot line on both axes and behind the facet; walls round it.
    float foot = float(wallFootY), line = float(2 * wallFootY - innerCornerCut[0]);
    float d = std::min(std::min(foot - x, foot - y), (line - (x + y)) * 0.70710678f);
    d = std::max(d, 0.0f);
    float stone = distBox(x, y, -28.6f, -28.6f, -23.4f, -23.4f);
    Col c = shaded(x + 30, y + 30, d);
    return scaled(c, 1 - 0.35f * std::exp(-stone / 1.5f));
}

// Wall faces: x along the wall (repeats every 60), y up the slope from the foot. Dark
// stone courses to the face's top at 34.5, then the light coping.
Col wallFace(float x, float y) {
    const float faceTop = float(std::hypot(wallFaceTopY - wallFootY, wallFaceTopZ));
    x = wrap60(x);
    if (y < faceTop) {
        float course = faceTop / 6;
        int row = int(std::floor(y / course));
        float ly = y - row * course;
        float length = 10;
        float offset = (row % 2) * length * 0.5f;
        float lx = wrap60(x + offset);
        int block = int(lx / length);
        float bx = std::fmod(lx, length);
        float joint = std::min(std::min(bx, length - bx), std::min(ly, course - ly));
        Col stone = mix(rgb(70, 64, 56), rgb(96, 88, 76), hash01(block, row, 241));
        stone = scaled(stone, 0.85f + 0.25f * fbmTiled(x / 3.75f, y / 3.75f, 242, 3, 16));
        stone = mix(rgb(36, 32, 28), stone, smooth(0.2f, 0.6f, joint));
        // Damp and darker at the foot, a little lighter under the coping.
        stone = scaled(stone, 0.62f + 0.38f * smooth(0, 7, y) + 0.1f * smooth(24, 34, y));
        return stone;
    }
    float joint = std::min(std::fmod(x, 15.0f), 15 - std::fmod(x, 15.0f));
    Col cope =
        mix(rgb(186, 182, 168), rgb(214, 210, 196), fbmTiled(x / 7.5f, y / 3.75f, 243, 3, 8));
    cope = mix(rgb(92, 90, 82), cope, smooth(0.15f, 0.5f, joint));
    // A dark line where the coping's lip overhangs the face.
    return mix(rgb(40, 36, 32), cope, smooth(0, 0.9f, y - faceTop));
}

Col hazardStripes(float along, float across) {
    return std::fmod(along + across + 400, 4.0f) < 2 ? rgb(232, 180, 36) : rgb(34, 32, 30);
}

// A base seen from above, in cell coordinates: the apron, the hazard rim, the ledge with
// its lamps, and the hatch at the bottom.
Col baseTop(float x, float y) {
    float cx = x - 30, cy = y - 30;
    float q = std::max(std::fabs(cx), std::fabs(cy));
    float n = fbm(x / 3, y / 3, 251, 3);
    if (q >= 24) {
        // Steel deck plates, mud creeping over the outer edge.
        float px = std::fmod(x + 60, 10.0f), py = std::fmod(y + 60, 10.0f);
        float seam = std::min(std::min(px, 10 - px), std::min(py, 10 - py));
        Col deck = mix(rgb(92, 96, 98), rgb(116, 120, 122), n);
        deck = mix(rgb(50, 52, 54), deck, smooth(0.1f, 0.5f, seam));
        if (q < 25.4f) deck = hazardStripes(cx, cy);
        float mud = smooth(27.5f, 30.5f, q + 2.5f * (fbm(x / 4, y / 4, 252, 3) - 0.5f));
        return mix(deck, ground(x, y), mud);
    }
    if (q >= 19.5f) {
        // The rim: hazard stripes on its top and its outer slope.
        Col c = hazardStripes(cx, cy);
        return scaled(c, q > 22 ? 0.8f : 1.0f);
    }
    if (q >= 16.5f) {
        // The ledge: dark plating with cyan lamps.
        Col c = mix(rgb(52, 56, 62), rgb(66, 70, 76), n);
        float along = std::fabs(cx) > std::fabs(cy) ? cy : cx;
        float lamp = std::hypot(std::fmod(along + 63, 6.0f) - 3, q - 18);
        return mix(c, rgb(150, 240, 255), 1 - smooth(0.5f, 1.1f, lamp));
    }
    // The hatch: four leaves meeting on the diagonals, a lit landing ring, arrows inward.
    Col c = mix(rgb(54, 62, 72), rgb(70, 78, 88), n);
    float diag = std::fabs(std::fabs(cx) - std::fabs(cy)) * 0.70710678f;
    c = mix(rgb(20, 22, 26), c, smooth(0.15f, 0.5f, diag));
    float r = std::hypot(cx, cy);
    float ring = std::fabs(r - 10);
    c = mix(c, rgb(120, 232, 255), 1 - smooth(0.5f, 1.0f, ring));
    c = mix(c, rgb(200, 250, 255), 1 - smooth(1.0f, 1.8f, r));
    float across = std::fabs(cx) > std::fabs(cy) ? std::fabs(cy) : std::fabs(cx);
    float chevron = std::fabs(q - 13.5f - across * 0.6f);
    if (across < 3) c = mix(c, rgb(232, 180, 36), 1 - smooth(0.4f, 0.8f, chevron));
    return c;
}

// The pit's walls: x along, y down from the rim top. Ribbed dark plating, a hazard band
// at the top, darker with depth.
Col baseWall(float x, float y) {
    float rib = std::fabs(std::fmod(x + 60, 5.0f) - 2.5f);
    Col c = mix(rgb(60, 64, 70), rgb(84, 88, 94), fbm(x / 3, y / 3, 261, 3));
    c = mix(scaled(c, 1.25f), c, smooth(0.4f, 1.0f, rib));
    if (y < 1.2f) c = hazardStripes(x, y);
    float lamp = std::hypot(std::fmod(x + 60, 10.0f) - 5, y - 6);
    c = mix(c, rgb(150, 240, 255), 1 - smooth(0.4f, 0.8f, lamp));
    return scaled(c, 1 - 0.5f * smooth(2, 20, y));
}

// Crate boards in patch units (a crate face spans about 50 of them): planks with grain
// and dark gaps; the lid's boards are lighter.
Col boards(float x, float y, Col dark, Col light, uint32_t seed) {
    float plank = 13.5f;
    int row = int(std::floor(y / plank));
    float ly = y - row * plank;
    float grain = fbm(x / 14, y / 1.2f + row * 5.0f, seed, 4);
    Col wood = mix(dark, light, grain);
    wood = scaled(wood, 0.9f + 0.2f * hash01(row, 0, seed + 1));
    wood = mix(rgb(40, 26, 14), wood, smooth(0.3f, 1.2f, std::min(ly, plank - ly)));
    // Nails near the ends of each plank.
    for (float nx : {9.0f, 51.0f}) {
        float d = std::hypot(x - nx, ly - plank / 2);
        wood = mix(wood, rgb(60, 60, 62), 1 - smooth(0.5f, 0.9f, d));
    }
    return wood;
}

Col crateSide(float x, float y) {
    return boards(x, y, rgb(112, 76, 40), rgb(150, 106, 60), 271);
}
Col crateTop(float x, float y) {
    return boards(y, x, rgb(150, 106, 60), rgb(190, 142, 86), 281);
}

// The material ramps: texel row r of the ramp has the shade r / 111.
Col rampTexel(int material, float shade) {
    shade = clamp01(shade);
    const MaterialColour &m = materialColours[material];
    if (material == matHeat) {
        // Soot, deep red, orange, then white heat.
        if (shade < 0.4f) return mix(rgb(30, 26, 24), rgb(120, 30, 16), shade / 0.4f);
        if (shade < 0.75f) return mix(rgb(120, 30, 16), rgb(255, 140, 40), (shade - 0.4f) / 0.35f);
        return mix(rgb(255, 140, 40), rgb(255, 236, 180), (shade - 0.75f) / 0.25f);
    }
    Col c = rgb(m.r, m.g, m.b);
    if (m.glows) return c;
    // Shadows lean a little toward blue, as under an open sky.
    Col lit = scaled(c, shade);
    return mix(lit, Col{lit.r * 0.9f, lit.g * 0.95f, std::min(1.0f, lit.b * 1.1f + 0.02f), 1},
               1 - shade);
}

} // namespace

Canvas paintGame() {
    Canvas c(gameAtlasSize, gameAtlasSize, Col{0.2f, 0.2f, 0.2f, 1});
    const Shader shaders[patchRamp] = {ground,    scorch,      pool,       wallTop,
                                       edgeFloor, cornerFloor, innerFloor, wallFace,
                                       baseTop,   baseWall,    crateSide,  crateTop};
    for (int p = 0; p < patchRamp; p++) {
        int cellX = (p % 4) * gameCell, cellY = (p / 4) * gameCell;
        for (int j = 0; j < gameCell; j++)
            for (int i = 0; i < gameCell; i++) {
                float ux = float((i - gameGutter + 0.5) / gameTexelsPerUnit);
                float uy = float((j - gameGutter + 0.5) / gameTexelsPerUnit);
                c.at(cellX + i, cellY + j) = shaders[p](ux, uy);
            }
    }
    for (int j = rampY0 - gameGutter; j < rampY0 + rampRows + gameGutter; j++)
        for (int i = 0; i < materialCount * rampColumn; i++)
            c.at(rampX0 + i, j) = rampTexel(i / rampColumn, float(j - rampY0) / (rampRows - 1));
    return c;
}
