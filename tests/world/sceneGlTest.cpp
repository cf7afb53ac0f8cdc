// The level drawn for real in a window, read back at known places of the world: open
// floor, a wall block's top, a base, a unit and its bars.
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "core/main.h"
#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/camera.h"
#include "world/game.h"
#include "world/unit.h"
#include "../glpixel.h"

namespace {

// The colour drawn at a world point of the scene (drawing heights: the ground at -1550).
Pixel worldPixel(double x, double y, double z) {
    glLoadIdentity();
    if (camTilt != 0) glRotatef(camTilt, 1, 0, 0);
    glTranslatef(-camX, -camY, -camZ);
    return pixelAt(x, y, z);
}

class SceneGl : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (const char *source = getenv("COGMIRE_SOURCE")) {
            ASSERT_EQ(chdir(source), 0);
        }
        ASSERT_EQ(mainStartup(), 0);
    }
    void play(float x, float y, float zoom) {
        myPlayerId = 0;
        gameLevelInit();
        camX = x, camY = y, camZ = zoom, camTilt = 0;
        screenState = 23;
    }
};

constexpr Pixel background{7, 65, 114};

TEST_F(SceneGl, FloorWallsBaseAndUnitsShowWhereTheyStand) {
    play(960, 960, 0);
    stateDraw();
    Pixel floor = worldPixel(600, 600, -1550);
    EXPECT_FALSE(floor == background);
    EXPECT_FALSE(worldPixel(960, 1080, -1510) == floor); // the small block's top
    EXPECT_FALSE(worldPixel(840, 840, -1550) == floor);  // base 0
    EXPECT_FALSE(worldPixel(1320, 960, -1550) == floor); // base 1
    // Off the map there is only the background.
    EXPECT_EQ(worldPixel(-200, 960, -1550), background);
}

TEST_F(SceneGl, AnEmptyTankDrawsNoEnergyBar) {
    play(1100, 1000, -1500);
    unitClearAll();
    unitSpawn(1, 1100, 1000, 0, 0, -1, 0); // full hp and energy
    selectedUnit = 63;                     // the selection items away from the unit
    units[63].x = units[63].targetX = 5000;
    stateDraw();
    Pixel full = worldPixel(1100, 1000, -1550 + 14);
    EXPECT_EQ(full.r, 55);
    EXPECT_EQ(full.b, 186);
    units[0].energy = -5000;
    stateDraw();
    Pixel empty = worldPixel(1100 + 5, 1000, -1550 + 14);
    EXPECT_NE(empty.b, 186);
}

} // namespace
