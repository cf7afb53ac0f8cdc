// What the scene draws, in order, against the recording stand-in of the rendering layer.
#include <gtest/gtest.h>

#include "../screens/fakevideo.h"
#include "core/state.h"
#include "net/net.h"
#include "world/camera.h"
#include "world/game.h"
#include "world/mesh.h"
#include "world/scenery.h"
#include "world/unit.h"

namespace {

// The kind of each drawing call of unitDrawAll: B body or explosion, R enemy ring,
// H hp bar, E energy bar, S selection item (own colour red, enemies' green).
std::string unitPasses() {
    std::string kinds;
    for (const FakeCall &c : fakeCalls) {
        if (c.name == "DrawMesh") kinds += 'B';
        if (c.name == "DrawMeshFlat") kinds += c.colour[1] == 0 ? 'S' : 'R';
        if (c.name == "DrawBar") kinds += c.colour[0] == 255 ? 'H' : 'E';
    }
    return kinds;
}

void twoOwnOneEnemy() {
    myPlayerId = 0;
    gameLevelInit();
    unitClearAll();
    unitSpawn(1, 100, 100, 0, 0, -1, 0);
    unitSpawn(2, 200, 100, 0, 1, -1, 0);
    unitSpawn(2, 300, 100, 0, 0, -1, 0);
}

} // namespace

TEST(Scene, UnitPassesRunBodiesThenHpThenEnergyThenSelection) {
    twoOwnOneEnemy();
    fakeReset();
    unitDrawAll();
    // Bodies with the enemy's ring, two hp bars, two energy bars, ring, marker, order marker.
    EXPECT_EQ(unitPasses(), "BBRBHHEESSS");
    // The order marker is the own colour halved.
    EXPECT_EQ(fakeCalls.back().colour[0], 127);
    EXPECT_EQ(fakeCallsNamed("DrawBar")[0].args[0], 20);
}

TEST(Scene, DyingUnitsExplodeAndTheDeadLoseBodyRingAndBars) {
    twoOwnOneEnemy();
    units[0].flags = unitDying;
    units[0].timer = 1000;
    units[0].aiState = 4;
    units[1].flags = unitDying | unitDead;
    units[1].timer = 1000;
    units[2].energy = -5; // an empty tank: a mirrored bar
    fakeReset();
    unitDrawAll();
    // Explosion and body of 0; only the explosion of 1; body of 2; bars of 0 and 2.
    EXPECT_EQ(unitPasses(), "BBBBHHEESSS");
    std::vector<FakeCall> scales = fakeCallsNamed("Scale");
    EXPECT_NEAR(scales[0].args[0], 6.667f, 0.001f); // inside a foreign base
    EXPECT_NEAR(scales[1].args[0], 2.0f, 0.001f);
    std::vector<FakeCall> bars = fakeCallsNamed("DrawBar");
    EXPECT_LT(bars[3].args[0], 0);
    std::vector<FakeCall> meshes = fakeCallsNamed("DrawMesh");
    EXPECT_EQ(meshes[0].args[0], meshPropTriangles);
    EXPECT_EQ(meshes[2].args[0], meshPropTriangles);
}

TEST(Scene, GameDrawsTilesThenPropsUnitsEmitters) {
    myPlayerId = 0;
    gameLevelInit();
    camTilt = 30;
    fakeReset();
    gameDraw();
    ASSERT_EQ(fakeCalls[0].name, "LoadIdentity");
    EXPECT_EQ(fakeCalls[1].name, "Rotate");
    EXPECT_EQ(fakeCalls[1].args[0], 30);
    std::vector<FakeCall> meshes = fakeCallsNamed("DrawMesh");
    ASSERT_EQ(meshes.size(), 32u * 32 + 4 + 5 + 3);
    // Column by column: the first column is the border's left side from row 0 up.
    EXPECT_EQ(meshes[0].args[0], meshTileOuterCornerTriangles);
    EXPECT_EQ(meshes[1].args[0], meshTileEdgeTriangles);
    EXPECT_EQ(meshes[32 * 32].args[0], meshPropTriangles);
    EXPECT_EQ(meshes[32 * 32 + 4].args[0], meshUnit2Triangles);
    EXPECT_EQ(meshes.back().args[0], meshEmitterTriangles);
    camTilt = 0;
}
