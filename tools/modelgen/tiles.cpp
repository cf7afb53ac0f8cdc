// The tile pieces and the base. A wall rises from the floor in one profile everywhere:
// floor to the foot line, a battered stone face, a light coping bevel, then the flat top
// at 40; the corner pieces turn that profile round their corner on a 45-degree facet, so
// pieces meet their neighbours edge to edge at every rotation the map uses.
#include "models.h"

#include <cmath>

#include "gamelayout.h"

namespace {

constexpr double edge = 30.1; // half a cell, and 0.1 over the border so no seam shows
constexpr double yFoot = wallFootY, yFaceTop = wallFaceTopY, yTop = wallTopY;
constexpr double zFaceTop = wallFaceTopZ, zTop = wallTopZ;
// Distances up the profile, so stone courses run level round corners.
const double sFaceTop = std::hypot(yFaceTop - yFoot, zFaceTop);
const double sTop = sFaceTop + std::hypot(yTop - yFaceTop, zTop - zFaceTop);

// The stone face: texture x along the wall, y up the slope from the foot.
Paint face(V3 along, double offset) {
    return mapped(patchWallFace, along, offset, {0, 0, sFaceTop / zFaceTop}, 0);
}

// The coping bevel, continuing the face's y above the face's top.
Paint coping(V3 along, double offset) {
    double k = (sTop - sFaceTop) / (zTop - zFaceTop);
    return mapped(patchWallFace, along, offset, {0, 0, k}, sFaceTop - zFaceTop * k);
}

Mesh square(double z, const Paint &paint) {
    Mesh m;
    quad(m, {-edge, -edge, z}, {edge, -edge, z}, {edge, edge, z}, {-edge, edge, z}, paint);
    return m;
}

// One profile strip of a corner: the quads between two outlines (lists of points along
// the wall, counter-clockwise round the block seen from above), each with its paint.
void strip(Mesh &m, const std::vector<V3> &low, const std::vector<V3> &high,
           const std::vector<Paint> &paints) {
    for (size_t i = 0; i + 1 < low.size(); i++)
        quad(m, low[i], low[i + 1], high[i + 1], high[i], paints[i]);
}

} // namespace

Mesh modelTileFloor() {
    return square(0, topDown(patchGround));
}
Mesh modelTile12() {
    return square(0, topDown(patchScorch));
}
Mesh modelTile13() {
    return square(0, topDown(patchPool));
}
Mesh modelTileFill() {
    return square(zTop, topDown(patchWallTop));
}

Mesh modelTileEdge() {
    // The wall faces -y; a buttress stands out of the face in the middle of the cell and
    // runs up into the coping.
    Mesh m;
    const double bx = buttressHalfWidth, by = buttressFrontY, bz = buttressFrontZ;
    polygon(m,
            {{-edge, -edge, 0},
             {edge, -edge, 0},
             {edge, yFoot, 0},
             {bx, yFoot, 0},
             {bx, by, 0},
             {-bx, by, 0},
             {-bx, yFoot, 0},
             {-edge, yFoot, 0}},
            topDown(patchEdgeFloor));
    Paint stone = face({1, 0, 0}, 30), cope = coping({1, 0, 0}, 30);
    for (double side : {-1.0, 1.0}) {
        double x0 = side < 0 ? -edge : bx, x1 = side < 0 ? -bx : edge;
        quad(m, {x0, yFoot, 0}, {x1, yFoot, 0}, {x1, yFaceTop, zFaceTop}, {x0, yFaceTop, zFaceTop},
             stone);
    }
    for (double x0 : {-edge, -bx, bx}) {
        double x1 = x0 == -edge ? -bx : (x0 == -bx ? bx : edge);
        quad(m, {x0, yFaceTop, zFaceTop}, {x1, yFaceTop, zFaceTop}, {x1, yTop, zTop},
             {x0, yTop, zTop}, cope);
    }
    quad(m, {-edge, yTop, zTop}, {edge, yTop, zTop}, {edge, edge, zTop}, {-edge, edge, zTop},
         topDown(patchWallTop));
    // The buttress: a stone front, a coping cap sloping back into the wall's coping, and
    // its two sides.
    quad(m, {-bx, by, 0}, {bx, by, 0}, {bx, by, bz}, {-bx, by, bz}, face({1, 0, 0}, 30));
    double capK = std::hypot(yFaceTop - by, zFaceTop - bz) / (zFaceTop - bz);
    quad(m, {-bx, by, bz}, {bx, by, bz}, {bx, yFaceTop, zFaceTop}, {-bx, yFaceTop, zFaceTop},
         mapped(patchWallFace, {1, 0, 0}, 30, {0, 0, -capK}, sFaceTop + zFaceTop * capK));
    quad(m, {bx, by, 0}, {bx, yFoot, 0}, {bx, yFaceTop, zFaceTop}, {bx, by, bz},
         mapped(patchWallFace, {0, 1, 0}, 40, {0, 0, 1}, 0));
    quad(m, {-bx, yFoot, 0}, {-bx, by, 0}, {-bx, by, bz}, {-bx, yFaceTop, zFaceTop},
         mapped(patchWallFace, {0, -1, 0}, 30, {0, 0, 1}, 0));
    return m;
}

Mesh modelTileCorner() {
    // An outer corner of a block that lies toward +x and +y: the wall faces -x and -y and
    // turns on a facet that narrows as it rises.
    Mesh m;
    const double a = cornerCut[0], b = cornerCut[1], c = cornerCut[2];
    std::vector<V3> foot = {
        {yFoot, edge, 0}, {yFoot, yFoot + a, 0}, {yFoot + a, yFoot, 0}, {edge, yFoot, 0}};
    std::vector<V3> mid = {{yFaceTop, edge, zFaceTop},
                           {yFaceTop, yFaceTop + b, zFaceTop},
                           {yFaceTop + b, yFaceTop, zFaceTop},
                           {edge, yFaceTop, zFaceTop}};
    std::vector<V3> top = {
        {yTop, edge, zTop}, {yTop, yTop + c, zTop}, {yTop + c, yTop, zTop}, {edge, yTop, zTop}};
    polygon(
        m,
        {{-edge, -edge, 0}, {edge, -edge, 0}, foot[3], foot[2], foot[1], foot[0], {-edge, edge, 0}},
        topDown(patchCornerFloor));
    // Texture x runs on round the corner: down the -x face, over the facet, along -y.
    V3 diag = normalize({1, -1, 0});
    double facetStart = 30 - foot[1].y - dot(foot[1], diag);
    strip(m, foot, mid, {face({0, -1, 0}, 30), face(diag, facetStart), face({1, 0, 0}, 30)});
    strip(m, mid, top, {coping({0, -1, 0}, 30), coping(diag, facetStart), coping({1, 0, 0}, 30)});
    polygon(m, {top[2], top[3], {edge, edge, zTop}, top[0], top[1]}, topDown(patchWallTop));
    return m;
}

Mesh modelTileOuterCorner() {
    // An inner corner: wall everywhere but a floor pocket at (-30, -30), whose two faces
    // meet on a facet that widens as it rises; a squat marker stone sits in the pocket.
    Mesh m;
    const double a = innerCornerCut[0], b = innerCornerCut[1], c = innerCornerCut[2];
    std::vector<V3> foot = {
        {-edge, yFoot, 0}, {yFoot - a, yFoot, 0}, {yFoot, yFoot - a, 0}, {yFoot, -edge, 0}};
    std::vector<V3> mid = {{-edge, yFaceTop, zFaceTop},
                           {yFaceTop - b, yFaceTop, zFaceTop},
                           {yFaceTop, yFaceTop - b, zFaceTop},
                           {yFaceTop, -edge, zFaceTop}};
    std::vector<V3> top = {
        {-edge, yTop, zTop}, {yTop - c, yTop, zTop}, {yTop, yTop - c, zTop}, {yTop, -edge, zTop}};
    polygon(m, {{-edge, -edge, 0}, foot[3], foot[2], foot[1], foot[0]}, topDown(patchInnerFloor));
    V3 diag = normalize({1, -1, 0});
    double facetStart = foot[1].x + 30 - dot(foot[1], diag);
    double afterFacet = facetStart + dot(foot[2], diag);
    strip(m, foot, mid,
          {face({1, 0, 0}, 30), face(diag, facetStart), face({0, -1, 0}, afterFacet + foot[2].y)});
    strip(m, mid, top,
          {coping({1, 0, 0}, 30), coping(diag, facetStart),
           coping({0, -1, 0}, afterFacet + foot[2].y)});
    polygon(m,
            {{edge, -edge, zTop},
             {edge, edge, zTop},
             {-edge, edge, zTop},
             top[0],
             top[1],
             top[2],
             top[3]},
            topDown(patchWallTop));
    const double sx = -26, sy = -26, r = 2.6, h = 5;
    V3 apex{sx, sy, h};
    V3 corners[4] = {
        {sx - r, sy - r, 0}, {sx + r, sy - r, 0}, {sx + r, sy + r, 0}, {sx - r, sy + r, 0}};
    for (int i = 0; i < 4; i++)
        tri(m, corners[i], corners[(i + 1) % 4], apex,
            mapped(patchWallFace, {1, 0, 0}, 30, {0, 0, 1}, sFaceTop + 2));
    return m;
}

Mesh modelTileMiddle() {
    return modelTileOuterCorner();
}

Mesh modelTileBase() {
    // A landing pit: an apron at floor level, a low hazard rim, a wall down to a ledge with
    // lamps, a shaft down to the hatch that units sink through, and a beacon on each
    // corner of the apron.
    Mesh m;
    const double apron = 24, rimFoot = 24, rimOut = 22, rimIn = 19.5, ledgeIn = 16.5;
    const double rimZ = 3.7, ledgeZ = -8, floorZ = -16.5, hatchZ = -17.1;
    auto ring = [](double half, double z) {
        return std::vector<V3>{
            {-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}};
    };
    auto band = [&](const std::vector<V3> &outer, const std::vector<V3> &inner, const Paint &p) {
        for (int k = 0; k < 4; k++)
            quad(m, outer[k], outer[(k + 1) % 4], inner[(k + 1) % 4], inner[k], p);
    };
    Paint above = topDown(patchBaseTop);
    band(ring(edge, 0), ring(apron, 0), above);
    band(ring(rimFoot, 0), ring(rimOut, rimZ), above);
    band(ring(rimOut, rimZ), ring(rimIn, rimZ), above);
    // Walls face into the pit; texture x along the wall, y down from the rim.
    auto wall = [&](double half, double z0, double z1) {
        std::vector<V3> hi = ring(half, z0), lo = ring(half, z1);
        V3 along[4] = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}};
        for (int k = 0; k < 4; k++)
            quad(m, hi[k], hi[(k + 1) % 4], lo[(k + 1) % 4], lo[k],
                 mapped(patchBaseWall, along[k], 30, {0, 0, -1}, rimZ));
    };
    wall(rimIn, rimZ, ledgeZ);
    band(ring(rimIn, ledgeZ), ring(ledgeIn, ledgeZ), above);
    wall(ledgeIn, ledgeZ, floorZ);
    std::vector<V3> hatch = ring(ledgeIn, floorZ);
    for (int k = 0; k < 4; k++)
        tri(m, hatch[k], hatch[(k + 1) % 4], {0, 0, hatchZ}, above);
    for (int k = 0; k < 4; k++) {
        double cx = (k == 0 || k == 3) ? -27 : 27, cy = k < 2 ? -27 : 27;
        double out = std::atan2(cy, cx) * 180 / 3.14159265358979323846;
        std::vector<V3> foot = ringZ(3, 2.2, 2.2, 0, out);
        V3 tip{cx, cy, 3.5};
        for (int i = 0; i < 3; i++)
            tri(m, foot[i] + V3{cx, cy, 0}, foot[(i + 1) % 3] + V3{cx, cy, 0}, tip,
                ramp(matEngine));
    }
    return m;
}
