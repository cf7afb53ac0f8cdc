// What the scene draws, in order, against the recording stand-in of the rendering layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

#include "../screens/fakevideo.h"
#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/camera.h"
#include "world/game.h"
#include "world/map.h"
#include "world/mesh.h"
#include "world/particle.h"
#include "world/scenery.h"
#include "world/unit.h"

namespace {

// Each object drawn between a push and its pop as text: T, R, S, then mesh M (model and
// triangle count) or bar B, colour.
std::vector<std::string> objects() {
    std::vector<std::string> out;
    std::string o;
    char n[32];
    for (const FakeCall &c : fakeCalls) {
        if (c.name == "PushMatrix") o.clear();
        if (c.name == "PopMatrix") out.push_back(o);
        if (c.name.ends_with("Matrix")) continue;
        bool draw = c.name.starts_with("Draw");
        o += std::string(o.empty() ? "" : " ") + c.name[draw ? 4 : 0];
        if (!c.mesh.empty()) o += c.mesh.substr(4) + " ";
        for (float a : c.args)
            o += (snprintf(n, sizeof n, "%g,", a), n);
        for (int k = 0; draw && k < 3; k++)
            o += (snprintf(n, sizeof n, "%c%d", k ? ',' : '#', c.colour[k]), n);
    }
    return out;
}

// The kind of each drawing call of unitDrawAll: B body or explosion, R enemy ring,
// H hp bar, E energy bar, S selection item (player 2's colour or half of it).
std::string unitPasses() {
    std::string kinds;
    for (const FakeCall &c : fakeCalls) {
        if (c.name == "DrawMesh") kinds += 'B';
        if (c.name == "DrawMeshFlat") kinds += c.colour[0] == 138 || c.colour[0] == 69 ? 'S' : 'R';
        if (c.name == "DrawBar") kinds += c.colour[0] == 255 ? 'H' : 'E';
    }
    return kinds;
}

// Player 2 owns slots 0 and 2; slot 1 is player 3's and slot 3 player 1's.
void twoOwnTwoEnemies() {
    myPlayerId = 2;
    gameLevelInit();
    unitClearAll();
    unitSpawn(1, 100, 100, 30, 2, -1, 0);
    unitSpawn(2, 200, 100, 0, 3, -1, 0);
    unitSpawn(2, 300, 100, 0, 2, -1, 0);
    unitSpawn(1, 400, 100, 0, 1, -1, 0);
}

// The level as it ships, row 0 (lowest y) first, each from column 0 (lowest x); one
// character a tile code, 0 to 9 then a (10) to i (18).
const char *const tileCodes = "0123456789abcdefghi";
const char *const level[32] = {
    "e999999999999999999999999999999f", "72333400000000000000000000000005", // rows 0, 1
    "75bbb7000cd000000000000000000005", "75bbb7000ccd00000000000000000005", // rows 2, 3
    "75bbb70000dd00000000000000000005", "78999a0000dc00000000000000000005", // rows 4, 5
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 6, 7
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 8, 9
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 10, 11
    "70000000000000000000000000000005", "7000000000000dd00000000000000005", // rows 12, 13
    "700000000000dd0d0000000000000005", "7000000000000ddd0000000000000005", // rows 14, 15
    "70000000000000000000000000000005", "70000000000000023400000000000005", // rows 16, 17
    "7000000000000005b700000000000005", "70000000000000089a00000000000005", // rows 18, 19
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 20, 21
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 22, 23
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 24, 25
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 26, 27
    "70000000000000000000000000000005", "70000000000000000000000000000005", // rows 28, 29
    "70000000000000000000000000000005", "g333333333333333333333333333333h", // rows 30, 31
};

// How each tile code 0 to 18 is drawn: model with its triangle count, turn about z.
// clang-format off
const std::pair<const char *, int> tileKinds[19] = {
    {"TileFloor 2", 0}, {nullptr, 0}, {"TileCorner 20", 0}, {"TileEdge 26", 0},
    {"TileCorner 20", 90}, {"TileEdge 26", 270}, {"TileMiddle 24", 0}, {"TileEdge 26", 90},
    {"TileCorner 20", 270}, {"TileEdge 26", 180}, {"TileCorner 20", 180}, {"TileFill 2", 0},
    {"Tile12 2", 0}, {"Tile13 2", 0}, {"TileOuterCorner 24", 180}, {"TileOuterCorner 24", 270},
    {"TileOuterCorner 24", 90}, {"TileOuterCorner 24", 0}, {"TileBase 64", 0}};
// clang-format on

// The cell in column i, row j drawn holding `code`; a code without a model is only moved to.
std::string tile(int i, int j, int code) {
    auto [model, turn] = tileKinds[code];
    std::string at = "T" + std::to_string(i * 60) + "," + std::to_string(j * 60) + ",-1550,";
    return model ? at + " R0,0," + std::to_string(turn) + ", M" + model + ",#255,255,255" : at;
}

} // namespace

TEST(Scene, UnitPassesRunBodiesThenHpThenEnergyThenSelection) {
    twoOwnTwoEnemies();
    units[2].hp = 4, units[2].z = -20, units[2].targetX = 7, units[2].targetY = 8;
    selectedUnit = 2, camTilt = 20, camZ = -1000;
    fakeReset();
    unitDrawAll();
    // Bodies with the enemies' rings, two hp bars, two energy bars, ring, marker, order marker.
    EXPECT_EQ(unitPasses(), "BBRBBRHHEESSS");
    std::vector<std::string> d = objects();
    EXPECT_EQ(d[0], "T100,100,-1549, R0,0,-210, MUnit1 300,#255,255,255");
    EXPECT_EQ(d[1], "T200,100,-1549, R0,0,-180, MUnit2 360,#255,255,255");
    EXPECT_EQ(d[2], "T200,100,-1556, MRing 60,#187,151,110");
    EXPECT_EQ(d[5], "T400,100,-1556, MRing 60,#124,187,110");
    // Bars turned back against the tilt: a collector at 4 of 8 hp has half a bar.
    EXPECT_EQ(d[6], "T100,98,-1533.7, R-20,0,0, B20,2,#255,0,0");
    EXPECT_EQ(d[7], "T300,98,-1553.7, R-20,0,0, B10,2,#255,0,0");
    EXPECT_EQ(d[9], "T300,100,-1556, R-20,0,0, B20,2,#55,147,186");
    // Selection ring and target marker in the own colour; the order marker in half of it.
    EXPECT_EQ(d[10] + d[11], "T300,100,-1575, R0,0,0, MRing 60,#138,110,187"
                             "T7,8,-1555, R0,0,0, MMarker 60,#138,110,187");
    // The order point: 500 out at 20 degrees of tilt, 960 - 500 * 20 * 0.017 - 50 in y.
    EXPECT_EQ(d.at(12), "T960,740,-1555.2, S0.8,0.8,1, MMarker 60,#69,55,93");
    camTilt = 0;
}

TEST(Scene, DyingUnitsExplodeAndTheDeadLoseBodyRingAndBars) {
    twoOwnTwoEnemies();
    totalTime = 1000;
    units[0].flags = 1, units[0].timer = 1000, units[0].aiState = 4; // bit 0: dying
    units[1].flags = units[3].flags = 3;                             // bit 1: dead
    units[1].timer = 1000, units[3].timer = 2100; // 3 is past its end: scale 0, not negative
    units[2].energy = -5;                         // an empty tank: a mirrored bar
    fakeReset();
    unitDrawAll();
    // Explosion and body of 0; only the explosions of 1 and 3; body of 2; bars of 0 and 2.
    EXPECT_EQ(unitPasses(), "BBBBBHHEESSS");
    std::vector<std::string> d = objects(); // inside a foreign base the explosion peaks higher
    EXPECT_EQ(d[0], "T100,100,-1549, R0,0,-100, S6.66667,6.66667,6.66667, MProp 124,#255,255,255");
    EXPECT_TRUE(d[2].ends_with("S2,2,2, MProp 124,#255,255,255")) << d[2];
    EXPECT_TRUE(d[4].ends_with("S0,0,0, MProp 124,#255,255,255")) << d[4];
    EXPECT_LT(fakeCallsNamed("DrawBar")[3].args[0], 0);
    totalTime = 0;
}

TEST(Scene, GameDrawsTilesThenPropsUnitsEmittersParticles) {
    myPlayerId = 0, videoQuality = 1;
    gameLevelInit();
    particleSpawn(1, 1, 2, 3, 0, 0, 0), particleSpawn(2, 4, 5, 6, 0, 0, 0);
    particles[0].life = 1500, particles[1].life = 2000, sceneryProps[1].type = 2; // picked up
    camX = 100, camY = 200, camZ = -1100, camTilt = 30;
    fakeReset();
    gameDraw();
    ASSERT_EQ(fakeCalls[0].name, "LoadIdentity");
    EXPECT_EQ(fakeCalls[1].args, (std::vector<float>{30, 0, 0}));
    EXPECT_EQ(fakeCalls[2].args, (std::vector<float>{-100, -200, 1100}));
    // Column by column, every cell of the level at its centre as its code is drawn; the
    // level set-up has raised bases 0 and 1 on (column, row) (14, 14) and (22, 16).
    std::vector<std::string> d = objects();
    ASSERT_EQ(d.size(), 32u * 32 + 3 + 5 + 10 + 3 + 3 + 2);
    for (int n = 0; n < 32 * 32; n++) {
        int i = n / 32, j = n % 32;
        bool base = (i == 14 && j == 14) || (i == 22 && j == 16);
        int code = base ? 18 : int(std::string(tileCodes).find(level[j][i]));
        ASSERT_EQ(d[n], tile(i, j, code)) << "column " << i << ", row " << j;
    }
    // Props lying on the map (not slot 1), units, emitters, particles shrinking with age.
    EXPECT_EQ(d[1024], "T1100,1100,-1550, R0,0,100, MProp 124,#255,255,255");
    EXPECT_EQ(d[1046], "T1100,800,-1552, R0,0,120, S1.2,1.2,1.2, MEmitter 80,#255,255,255");
    EXPECT_EQ(d[1048], "T1,2,3, S0.075,0.075,0.075, MProp 124,#255,255,255");
    EXPECT_EQ(d[1049], "T4,5,6, S0.05,0.05,0.05, MProp 124,#255,255,255");
    // Every code 0 to 18 (the level has no 1 and no 6), put on row 0.
    auto shipped = std::to_array(mapTiles);
    std::iota(mapTiles, mapTiles + 19, 0);
    fakeReset(), gameDraw(), d = objects();
    std::copy(shipped.begin(), shipped.end(), mapTiles);
    for (int code = 0; code < 19; code++)
        EXPECT_EQ(d[code * 32], tile(code, 0, code));
    // Drawn from a zoom of -1100 in, and never at low quality.
    camZ = -1099.9f, fakeReset();
    particleDrawAll();
    camZ = -1500, videoQuality = 0;
    particleDrawAll();
    EXPECT_TRUE(fakeCalls.empty());
    videoQuality = 1, camTilt = 0;
}
