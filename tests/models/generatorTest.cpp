// The model generator's building blocks: polygons cut into triangles that cover them once,
// lofts and mirrored parts that face outward, and ramp shading read from the normals.
#include <gtest/gtest.h>

#include <cmath>

#include "gamelayout.h"
#include "geometry.h"

namespace {

double area(const Triangle &t) {
    return length(cross(t.b.p - t.a.p, t.c.p - t.a.p)) / 2;
}

// Every triangle faces away from the inside point, and its vertex normals agree.
void expectFacingAway(const Mesh &m, V3 inside) {
    for (const Triangle &t : m) {
        V3 g = cross(t.b.p - t.a.p, t.c.p - t.a.p);
        EXPECT_GT(dot(g, (t.a.p + t.b.p + t.c.p) * (1.0 / 3) - inside), 0);
        for (const Vertex *v : {&t.a, &t.b, &t.c})
            EXPECT_GT(dot(g, v->n), 0);
    }
}

} // namespace

TEST(Generator, ConcavePolygonsAreCoveredOnceFacingTheirWinding) {
    // An L (area 3) and the outline of a track's side, with points in a row along its top.
    const std::vector<V3> shapes[] = {
        {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}},
        {{0, 0, 0},
         {6, 0, 0},
         {7, 1, 0},
         {6, 2, 0},
         {4.5, 2, 0},
         {3, 2, 0},
         {1.5, 2, 0},
         {0, 2, 0},
         {-1, 1, 0}}};
    const double areas[] = {3, 14};
    for (int k = 0; k < 2; k++) {
        Mesh m;
        polygon(m, shapes[k], ramp(matHull));
        ASSERT_EQ(m.size(), shapes[k].size() - 2);
        double sum = 0;
        for (const Triangle &t : m) {
            sum += area(t);
            EXPECT_GT(cross(t.b.p - t.a.p, t.c.p - t.a.p).z, 0);
        }
        EXPECT_NEAR(sum, areas[k], 1e-9);
    }
}

TEST(Generator, LoftsAndMirroredPartsFaceOutward) {
    Mesh m;
    std::vector<V3> low = ringZ(6, 1, 1, 0), high = ringZ(6, 1, 1, 2);
    loft(m, {low, high, std::vector<V3>(6, V3{0, 0, 3})}, true, true, ramp(matSteel));
    EXPECT_EQ(m.size(), 6u * 2 + 6);
    expectFacingAway(m, {0, 0, 1});
    Mesh part;
    box(part, {1, -1, 0}, {3, 1, 2}, ramp(matHull), "-x");
    EXPECT_EQ(part.size(), 8u);
    expectFacingAway(part, {2, 0, 1});
    expectFacingAway(mirroredX(part), {-2, 0, 1});
}

TEST(Generator, RampFacesReadTheirShadeInTheMiddleOfTheirColumn) {
    Mesh m;
    quad(m, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, ramp(matRed)); // faces up
    quad(m, {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, ramp(matRed)); // faces -y
    quad(m, {0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}, ramp(matRed)); // faces +y
    bake(m);
    for (const Triangle &t : m)
        EXPECT_DOUBLE_EQ(t.a.u * gameAtlasSize, rampX0 + (int(matRed) + 0.5) * rampColumn);
    // Tops are the brightest; a side toward the light (ahead, -y) outshines one away
    // from it.
    EXPECT_GT(m[0].a.v, m[2].a.v);
    EXPECT_GT(m[2].a.v, m[4].a.v);
    EXPECT_GE(m[4].a.v * gameAtlasSize, rampY0);
    EXPECT_LT(m[0].a.v * gameAtlasSize, rampY0 + rampRows);
}
