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
constexpr Pixel mud{77, 67, 44}; // the open ground's patch of the game atlas, on average

bool near(Pixel p, Pixel q) {
    return std::abs(p.r - q.r) <= 15 && std::abs(p.g - q.g) <= 15 && std::abs(p.b - q.b) <= 15;
}

TEST_F(SceneGl, FloorWallsBaseAndUnitsShowWhereTheyStand) {
    play(960, 960, 0);
    stateDraw();
    // Open ground (1) across the view; none (0) on the small block's top, on the two bases
    // and on the decorations 13 at (column, row) (13, 14) and (15, 14).
    const int points[][4] = {{600, 600, -1550, 1},   {1500, 400, -1550, 1}, {300, 1500, -1550, 1},
                             {1700, 1600, -1550, 1}, {960, 1080, -1510, 0}, {840, 840, -1550, 0},
                             {1320, 960, -1550, 0},  {780, 840, -1550, 0},  {900, 840, -1550, 0}};
    for (auto [x, y, z, ground] : points)
        EXPECT_EQ(near(worldPixel(x, y, z), mud), ground == 1) << x << ", " << y;
    // The border's wall top reaches the map's edge at x -30; beyond it only the background.
    EXPECT_FALSE(near(worldPixel(-25, 960, -1510), background));
    EXPECT_EQ(worldPixel(-35, 960, -1510), background);
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
