// Where everything lies in the game atlas, shared by the atlas painter and the model
// generator: a 4 by 4 grid of 128-texel cells, each a 112-texel patch in an 8-texel gutter.
#pragma once

#include <cstdint>

constexpr int gameAtlasSize = 512;
constexpr int gameCell = 128;
constexpr int gameGutter = 8;
constexpr int gamePatch = gameCell - 2 * gameGutter;
// A patch spans one map cell, 60 world units, so textures meet the map's grid.
constexpr double gamePatchUnits = 60.0;
constexpr double gameTexelsPerUnit = gamePatch / gamePatchUnits;

// The patches, by cell, row by row. Patches painted as pictures of a whole cell hold the
// cell's centre at the patch's centre, +x to the right and +y downward.
enum GamePatch {
    patchGround,      // open floor; repeats seamlessly
    patchScorch,      // floor decoration 12 and the ground a fallen base leaves
    patchPool,        // floor decoration 13: a mire pool
    patchWallTop,     // the top of every wall block; repeats seamlessly
    patchEdgeFloor,   // the floor of a wall side, with the wall's shade
    patchCornerFloor, // the floor of an outer block corner
    patchInnerFloor,  // the floor pocket of an inner corner
    patchWallFace,    // wall faces: x along the wall, y up the slope (stone, then coping)
    patchBaseTop,     // a base seen from above: apron, rim, ledge and hatch
    patchBaseWall,    // the base's pit walls: x along, y down from the rim
    patchCrateSide,   // a crate's side boards
    patchCrateTop,    // a crate's lid boards
    patchRamp,        // cells 12 and 13: the shading ramps of the flat-coloured materials;
                      // cells 14 and 15 are not used
};

// The wall profile, which the wall pieces are built on and the wall textures painted for,
// at rotation 0 with the wall facing -y: floor to the foot line, a stone face up to its
// top edge, a coping bevel up to the top at 40. A buttress stands out of each wall side.
constexpr double wallFootY = -20, wallFaceTopY = -12, wallFaceTopZ = 34, wallTopY = -8,
                 wallTopZ = 40;
constexpr double buttressHalfWidth = 6, buttressFrontY = -23, buttressFrontZ = 26;
// The facets of the corners: how far each cuts in at the foot, the face's top and the top.
constexpr double cornerCut[3] = {6, 3, 2}, innerCornerCut[3] = {2.5, 4, 5};

constexpr int gamePatchX(int patch) {
    return (patch % 4) * gameCell + gameGutter;
}
constexpr int gamePatchY(int patch) {
    return (patch / 4) * gameCell + gameGutter;
}

// The ramps: one 16-texel column per material across cells 12 and 13 (faces read the
// middle of a column only, so columns need no gutter between them), its rows running
// from fully shaded (row 0 of the patch) to fully lit (row 111). A glowing material is as
// bright in every row; the heat column runs from cold soot to white heat instead.
constexpr int rampColumn = 16;
constexpr int rampRows = gamePatch;
constexpr int rampX0 = (patchRamp % 4) * gameCell;
constexpr int rampY0 = gamePatchY(patchRamp);

enum Material {
    matHull,      // the units' light hull paint
    matHullGrey,  // secondary hull panels
    matDarkMetal, // frames, guns, machinery
    matSteel,     // bare steel
    matGlass,     // canopies and windows
    matRubber,    // treads and tyres
    matHazard,    // yellow warning paint
    matRed,       // red trim
    matEngine,    // engine glow
    matLamp,      // cyan lamps
    matWood,      // crate wood
    matBrass,     // brass fittings
    matRust,      // rusted iron
    matSoot,      // sooty black
    matConcrete,  // concrete
    matHeat,      // soot to white heat
    materialCount
};

struct MaterialColour {
    uint8_t r, g, b;
    bool glows;
};

constexpr MaterialColour materialColours[materialCount] = {
    {238, 236, 228, false}, {176, 184, 192, false}, {64, 68, 76, false},
    {140, 146, 152, false}, {52, 120, 150, false},  {40, 38, 36, false},
    {236, 184, 36, false},  {206, 52, 40, false},   {255, 168, 72, true},
    {120, 232, 255, true},  {166, 116, 64, false},  {206, 160, 72, false},
    {150, 84, 52, false},   {36, 34, 34, false},    {132, 128, 118, false},
    {0, 0, 0, false}, // painted as a gradient
};

// The light that the ramps are made for, in model space (toward the light): from above,
// ahead of the model (-y) and to its left (-x), so tops are brightest.
constexpr double rampLightX = -0.42, rampLightY = -0.48, rampLightZ = 0.77;
constexpr double rampAmbient = 0.38;
