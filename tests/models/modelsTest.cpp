// The compiled-in models: triangle counts and kinds, extents, windings that agree with the
// normals, unit normals, texture coordinates inside the atlas, and wall pieces that meet
// their neighbours edge to edge at the turns the map draws them with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "../meshes.h"

namespace {

struct Model {
    const char *name;
    const float *data;
    uint32_t triangles;
    bool textured;
};

#define TEXTURED(m) Model{#m, m.data(), m##Triangles, true},
#define FLAT(m) Model{#m, m.data(), m##Triangles, false},
const Model models[] = {TEST_MESHES(TEXTURED, FLAT)};
#undef TEXTURED
#undef FLAT

struct V {
    double x, y, z;
};

V sub(V a, V b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V cross(V a, V b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(V a, V b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct Vertex {
    double u, v;
    V n, p;
};

Vertex vertexAt(const Model &m, size_t i) {
    if (m.textured) {
        const float *f = m.data + i * 8;
        return {f[0], f[1], {f[2], f[3], f[4]}, {f[5], f[6], f[7]}};
    }
    const float *f = m.data + i * 6;
    return {0, 0, {f[0], f[1], f[2]}, {f[3], f[4], f[5]}};
}

std::vector<Vertex> vertices(const Model &m) {
    std::vector<Vertex> out;
    for (size_t i = 0; i < size_t(m.triangles) * 3; i++)
        out.push_back(vertexAt(m, i));
    return out;
}

const Model &find(const std::string &name) {
    for (const Model &m : models)
        if (name == m.name) return m;
    throw std::runtime_error("no model " + name);
}

struct Box {
    V lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    double across() const { return std::max(hi.x - lo.x, hi.y - lo.y); }
    double height() const { return hi.z - lo.z; }
};

Box extent(const Model &m) {
    Box b;
    for (const Vertex &v : vertices(m)) {
        b.lo = {std::min(b.lo.x, v.p.x), std::min(b.lo.y, v.p.y), std::min(b.lo.z, v.p.z)};
        b.hi = {std::max(b.hi.x, v.p.x), std::max(b.hi.y, v.p.y), std::max(b.hi.z, v.p.z)};
    }
    return b;
}

} // namespace

TEST(Models, EveryModelHasItsCountAndKind) {
    const std::tuple<const char *, uint32_t, bool> table[] = {
        {"meshTileFloor", 2, true},        {"meshTile12", 2, true},
        {"meshTile13", 2, true},           {"meshTileFill", 2, true},
        {"meshTileEdge", 26, true},        {"meshTileCorner", 20, true},
        {"meshTileOuterCorner", 24, true}, {"meshTileMiddle", 24, true},
        {"meshTileBase", 64, true},        {"meshProp", 124, true},
        {"meshEmitter", 80, true},         {"meshUnit1", 300, true},
        {"meshUnit2", 360, true},          {"meshRing", 60, false},
        {"meshMarker", 60, false}};
    for (auto [name, count, textured] : table) {
        const Model &m = find(name);
        EXPECT_EQ(m.triangles, count) << name;
        EXPECT_EQ(m.textured, textured) << name;
    }
    // Decorations 12 and 13 share the floor's triangles and differ in their patch.
    for (size_t i = 0; i < meshTile12.size(); i++) {
        bool texture = i % 8 < 2;
        if (!texture) {
            EXPECT_EQ(meshTile12[i], meshTileFloor[i]) << i;
            EXPECT_EQ(meshTile13[i], meshTileFloor[i]) << i;
        }
    }
    EXPECT_NE(meshTile12[0], meshTile13[0]);
    EXPECT_NE(meshTile12[0], meshTileFloor[0]);
    EXPECT_TRUE(
        std::equal(meshTileMiddle.begin(), meshTileMiddle.end(), meshTileOuterCorner.begin()));
}

TEST(Models, EveryTriangleIsWoundCounterClockwiseSeenFromItsNormals) {
    for (const Model &m : models) {
        std::vector<Vertex> v = vertices(m);
        for (size_t t = 0; t < m.triangles; t++) {
            const Vertex &a = v[t * 3], &b = v[t * 3 + 1], &c = v[t * 3 + 2];
            V g = cross(sub(b.p, a.p), sub(c.p, a.p));
            double area = std::sqrt(dot(g, g)) / 2;
            ASSERT_GT(area, 1e-4) << m.name << " triangle " << t << " has no area";
            for (const Vertex *w : {&a, &b, &c})
                EXPECT_GT(dot(g, w->n), 0) << m.name << " triangle " << t;
        }
    }
}

TEST(Models, NormalsAreOfUnitLengthAndTexturesInsideTheAtlas) {
    for (const Model &m : models)
        for (const Vertex &v : vertices(m)) {
            EXPECT_NEAR(std::sqrt(dot(v.n, v.n)), 1.0, 1e-3) << m.name;
            if (!m.textured) continue;
            EXPECT_GE(v.u, 0) << m.name;
            EXPECT_LE(v.u, 1) << m.name;
            EXPECT_GE(v.v, 0) << m.name;
            EXPECT_LE(v.v, 1) << m.name;
        }
}

TEST(Models, EveryTriangleReadsOnePatchOfTheAtlas) {
    // The atlas is a grid of 128-texel cells; a triangle whose corners lay in two cells
    // would smear the patches between them across its face. The shading ramps span cells
    // 12 and 13 as 16-texel columns, and a ramp face must read the middle of one column,
    // or it blends two materials.
    const int cell = 128, rampTop = 3 * cell, column = 16;
    for (const Model &m : models) {
        if (!m.textured) continue;
        std::vector<Vertex> v = vertices(m);
        for (size_t t = 0; t < m.triangles; t++) {
            std::set<std::pair<int, int>> cells;
            bool ramp = true;
            for (size_t k = 0; k < 3; k++) {
                double x = v[t * 3 + k].u * 512, y = v[t * 3 + k].v * 512;
                cells.insert({int(x) / cell, int(y) / cell});
                if (y < rampTop || x >= 2 * cell) ramp = false;
            }
            if (ramp) {
                double x = v[t * 3].u * 512;
                EXPECT_NEAR(std::fmod(x, column), column / 2, 0.1) << m.name << " triangle " << t;
                for (size_t k = 1; k < 3; k++)
                    EXPECT_NEAR(v[t * 3 + k].u, v[t * 3].u, 1e-6) << m.name << " triangle " << t;
            } else {
                EXPECT_EQ(cells.size(), 1u) << m.name << " triangle " << t;
            }
        }
    }
}

TEST(Models, TilePiecesFillTheirCellFromFloorToWallTop) {
    const double eps = 1e-4;
    for (const char *name : {"meshTileFloor", "meshTile12", "meshTile13", "meshTileFill",
                             "meshTileEdge", "meshTileCorner", "meshTileOuterCorner"}) {
        Box b = extent(find(name));
        EXPECT_NEAR(b.lo.x, -30.1, eps) << name;
        EXPECT_NEAR(b.hi.x, 30.1, eps) << name;
        EXPECT_NEAR(b.lo.y, -30.1, eps) << name;
        EXPECT_NEAR(b.hi.y, 30.1, eps) << name;
        EXPECT_GE(b.lo.z, -eps) << name;
        EXPECT_LE(b.hi.z, 40 + eps) << name;
    }
    EXPECT_NEAR(extent(find("meshTileFloor")).hi.z, 0, eps);
    EXPECT_NEAR(extent(find("meshTileFill")).lo.z, 40, eps);
    // Where each piece meets the floor and where it stands at full height.
    auto heightsWhere = [](const char *name, auto where) {
        std::set<double> z;
        for (const Vertex &v : vertices(find(name)))
            if (where(v.p)) z.insert(std::round(v.p.z * 1000) / 1000);
        return z;
    };
    const std::set<double> floor{0}, top{40};
    auto near = [](double a, double b) { return std::fabs(a - b) < 1e-3; };
    EXPECT_EQ(heightsWhere("meshTileEdge", [&](V p) { return near(p.y, -30.1); }), floor);
    EXPECT_EQ(heightsWhere("meshTileEdge", [&](V p) { return near(p.y, 30.1); }), top);
    EXPECT_EQ(
        heightsWhere("meshTileCorner", [&](V p) { return near(p.x, -30.1) || near(p.y, -30.1); }),
        floor);
    EXPECT_EQ(
        heightsWhere("meshTileCorner", [&](V p) { return near(p.x, 30.1) && near(p.y, 30.1); }),
        top);
    EXPECT_EQ(heightsWhere("meshTileOuterCorner",
                           [&](V p) { return near(p.x, 30.1) || near(p.y, 30.1); }),
              top);
    EXPECT_EQ(heightsWhere("meshTileOuterCorner",
                           [&](V p) { return near(p.x, -30.1) && near(p.y, -30.1); }),
              floor);
}

TEST(Models, WallPiecesMeetTheirNeighboursAtTheMapsTurns) {
    // How the map draws each tile code 0 to 18: mesh and turn about z in degrees.
    // clang-format off
    const std::pair<const char *, double> kinds[19] = {
        {"meshTileFloor", 0}, {}, {"meshTileCorner", 0}, {"meshTileEdge", 0},
        {"meshTileCorner", 90}, {"meshTileEdge", 270}, {"meshTileMiddle", 0}, {"meshTileEdge", 90},
        {"meshTileCorner", 270}, {"meshTileEdge", 180}, {"meshTileCorner", 180},
        {"meshTileFill", 0}, {"meshTile12", 0}, {"meshTile13", 0}, {"meshTileOuterCorner", 180},
        {"meshTileOuterCorner", 270}, {"meshTileOuterCorner", 90}, {"meshTileOuterCorner", 0},
        {"meshTileBase", 0}};
    // clang-format on
    // The level's low corner and its first block, and a block of three ringed by floor;
    // rows run along +y, columns along +x.
    const std::vector<std::vector<int>> layouts[] = {
        {{14, 9, 9, 9, 9, 9, 9, 15},
         {7, 2, 3, 3, 3, 4, 0, 5},
         {7, 5, 11, 11, 11, 7, 0, 5},
         {7, 8, 9, 9, 9, 10, 0, 5},
         {7, 0, 0, 0, 0, 0, 0, 5},
         {16, 3, 3, 3, 3, 3, 3, 17}},
        {{0, 0, 0, 0, 0}, {0, 2, 3, 4, 0}, {0, 5, 11, 7, 0}, {0, 8, 9, 10, 0}, {0, 0, 0, 0, 0}}};
    // The points of a cell's pieces on one of its borders, as (place along it, height).
    auto border = [&](int code, int side) {
        auto [mesh, degrees] = kinds[code];
        double a = degrees * 3.14159265358979323846 / 180;
        std::set<std::pair<long, long>> points;
        for (const Vertex &v : vertices(find(mesh))) {
            double x = v.p.x * std::cos(a) - v.p.y * std::sin(a);
            double y = v.p.x * std::sin(a) + v.p.y * std::cos(a);
            double across = side < 2 ? x : y, along = side < 2 ? y : x;
            if (std::fabs(across - (side % 2 ? 30.1 : -30.1)) > 1e-3) continue;
            points.insert({std::lround(along * 100), std::lround(v.p.z * 100)});
        }
        return points;
    };
    for (const auto &rows : layouts)
        for (size_t r = 0; r < rows.size(); r++)
            for (size_t c = 0; c < rows[r].size(); c++) {
                if (c + 1 < rows[r].size()) {
                    EXPECT_EQ(border(rows[r][c], 1), border(rows[r][c + 1], 0))
                        << "codes " << rows[r][c] << " and " << rows[r][c + 1] << " along x";
                }
                if (r + 1 < rows.size()) {
                    EXPECT_EQ(border(rows[r][c], 3), border(rows[r + 1][c], 2))
                        << "codes " << rows[r][c] << " and " << rows[r + 1][c] << " along y";
                }
            }
}

TEST(Models, ObjectsHaveTheirSizes) {
    auto within = [](double value, double about) {
        return std::fabs(value - about) <= 0.15 * about;
    };
    struct Size {
        const char *name;
        double across, height;
    };
    for (Size s : {Size{"meshProp", 17, 17.5}, Size{"meshEmitter", 11, 15},
                   Size{"meshUnit1", 15, 11.6}, Size{"meshUnit2", 15, 9}}) {
        Box b = extent(find(s.name));
        EXPECT_TRUE(within(b.across(), s.across)) << s.name << " is " << b.across() << " across";
        EXPECT_TRUE(within(b.height(), s.height)) << s.name << " is " << b.height() << " high";
        // Objects stand on the ground; a tracked unit's belt may reach one unit down to it
        // (units are drawn one unit above the ground).
        EXPECT_GE(b.lo.z, -1.0 - 1e-4) << s.name;
        EXPECT_LE(b.lo.z, 1.5) << s.name;
    }
    // Unit bodies stay inside the ring drawn round them (inner radius 8.4).
    for (const char *name : {"meshUnit1", "meshUnit2"})
        for (const Vertex &v : vertices(find(name)))
            EXPECT_LT(std::hypot(v.p.x, v.p.y), 8.4) << name;
    // The flat bands: every vertex on the inner or the outer radius at height 10, and the
    // triangles, seen from +z, covering the ring between (30 segments cover 99.3% of it).
    for (auto [name, inner, outer] :
         {std::tuple{"meshRing", 8.4, 10.0}, std::tuple{"meshMarker", 9.1, 10.9}}) {
        std::set<long> radii;
        double area = 0;
        std::vector<Vertex> v = vertices(find(name));
        for (size_t k = 0; k < v.size(); k++) {
            radii.insert(std::lround(std::hypot(v[k].p.x, v[k].p.y) * 1000));
            EXPECT_NEAR(v[k].p.z, 10, 1e-4) << name;
            if (k % 3 == 2)
                area += cross(sub(v[k - 1].p, v[k - 2].p), sub(v[k].p, v[k - 2].p)).z / 2;
        }
        EXPECT_EQ(radii, (std::set<long>{std::lround(inner * 1000), std::lround(outer * 1000)}));
        EXPECT_NEAR(area / (std::numbers::pi * (outer * outer - inner * inner)), 1, 0.01) << name;
    }
    Box base = extent(find("meshTileBase"));
    EXPECT_NEAR(base.lo.z, -17.1, 1e-4);
    EXPECT_NEAR(base.hi.z, 3.7, 1e-4);
    EXPECT_NEAR(base.lo.x, -30.1, 1e-4);
    EXPECT_NEAR(base.hi.x, 30.1, 1e-4);
    EXPECT_NEAR(base.lo.y, -30.1, 1e-4);
    EXPECT_NEAR(base.hi.y, 30.1, 1e-4);
}
