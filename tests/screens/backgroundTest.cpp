// The frame's background: splash pictures on black, the three spinning rings of the menus,
// and the two flat bands that the rings are drawn with.
#include <gtest/gtest.h>

#include <cmath>

#include "core/state.h"
#include "fakevideo.h"
#include "world/mesh.h"

TEST(Background, SplashPicturesIgnoreTheVerticalScroll) {
    screenState = 2;
    menuScrollX = 400, menuScrollY = 30;
    fakeReset();
    stateDraw();
    EXPECT_TRUE(fakeCallsNamed("DrawMeshFlat").empty());
    auto sprites = fakeCallsNamed("DrawSprite");
    ASSERT_EQ(sprites.size(), 2u);
    EXPECT_EQ(sprites[0].args, (std::vector<float>{0, 0, -0.5f, 0.33f, 0.33f, 0}));
    EXPECT_EQ(sprites[1].args, (std::vector<float>{180, 0, -0.5f, 0.33f, 0.33f, 1}));
    EXPECT_EQ(sprites[0].colour[3], 255);
    menuScrollX = 0, menuScrollY = 0;
}

TEST(Background, ThreeRingsTurnWithTotalTime) {
    screenState = 6;
    menuScrollX = 1100;
    menuBackgroundScale = 9;
    totalTime = 10000; // the angles are not brought back under 360
    for (int frame = 0; frame < 2; frame++) { // the same time draws the same picture
        fakeReset();
        stateDraw();
        auto meshes = fakeCallsNamed("DrawMeshFlat");
        auto moves = fakeCallsNamed("Translate");
        auto turns = fakeCallsNamed("Rotate");
        auto scales = fakeCallsNamed("Scale");
        ASSERT_EQ(meshes.size(), 3u);
        const int grey[3] = {16, 32, 48};
        const float z[3] = {-11.7f, -11.25f, -11.0f};
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(meshes[i].args[0], 60);
            EXPECT_EQ(meshes[i].colour[0], grey[i]);
            EXPECT_EQ(meshes[i].colour[3], 255);
            EXPECT_EQ(moves[i].args, (std::vector<float>{0, 0, z[i]}));
            EXPECT_EQ(turns[i].args, (std::vector<float>{0, 0, 500.0f * (i + 1)}));
            EXPECT_EQ(scales[i].args, (std::vector<float>{9, 9, 1}));
        }
    }
    menuScrollX = 0;
    totalTime = 0;
    menuBackgroundScale = 38;
}

// Both bands: 60 triangles facing +z, wound counter-clockwise seen from +z, between their
// two radii at height 10, closing all the way round.
static void expectBand(const float *v, uint32_t triangles, float inner, float outer) {
    ASSERT_EQ(triangles, 60u);
    double area = 0;
    for (uint32_t t = 0; t < triangles; t++, v += 18) {
        for (int k = 0; k < 3; k++) {
            const float *p = v + 6 * k;
            EXPECT_EQ(p[0], 0);
            EXPECT_EQ(p[1], 0);
            EXPECT_EQ(p[2], 1);
            EXPECT_FLOAT_EQ(p[5], 10);
            float r = std::hypot(p[3], p[4]);
            EXPECT_TRUE(std::fabs(r - inner) < 1e-4f || std::fabs(r - outer) < 1e-4f) << r;
        }
        double cross = (v[9] - v[3]) * (v[16] - v[4]) - (v[10] - v[4]) * (v[15] - v[3]);
        EXPECT_GT(cross, 0) << "triangle " << t;
        area += cross / 2;
    }
    // Thirty 12-degree segments cover the whole ring once.
    const double expected = 30 * 0.5 * std::sin(2 * M_PI / 30) * (outer * outer - inner * inner);
    EXPECT_NEAR(area, expected, 1e-3);
}

TEST(Mesh, FlatBands) {
    expectBand(meshRing.data(), meshRingTriangles, 8.4f, 10);
    expectBand(meshMarker.data(), meshMarkerTriangles, 9.1f, 10.9f);
}
