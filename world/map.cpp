// The built-in level: its tile map, the tile codes (mesh, turn, blocked flag), the bases
// and the blocking test that units use for every move and wander point.
#include "world/map.h"

#include "world/mesh.h"

// The level as it ships: row 0 (lowest y) first, column 0 (lowest x) first in each row.
// The two base cells hold 0 here and become 18 at level set-up; a fallen base becomes 12.
// clang-format off
int32_t mapTiles[mapWidth * mapHeight] = {
    14,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9, 15,  // row 0
     7,  2,  3,  3,  3,  4,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 1
     7,  5, 11, 11, 11,  7,  0,  0,  0, 12, 13,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 2
     7,  5, 11, 11, 11,  7,  0,  0,  0, 12, 12, 13,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 3
     7,  5, 11, 11, 11,  7,  0,  0,  0,  0, 13, 13,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 4
     7,  8,  9,  9,  9, 10,  0,  0,  0,  0, 13, 12,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 5
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 6
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 7
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 8
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 9
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 10
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 11
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 12
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 13, 13,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 13
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 13, 13,  0, 13,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 14
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 13, 13, 13,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 15
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 16
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  2,  3,  4,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 17
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5, 11,  7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 18
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  8,  9, 10,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 19
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 20
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 21
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 22
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 23
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 24
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 25
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 26
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 27
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 28
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 29
     7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  // row 30
    16,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3, 17  // row 31
};
// clang-format on

// clang-format off
const int32_t tileBlocked[mapTileCodes] = {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0};
// clang-format on

#define MAP_MESH(name) name.data(), int(name##Triangles)

// Codes 2 to 10 sit around a wall block like the keys of a keypad; 14 to 17 are the
// border's corners; 1 draws nothing.
const MapTileKind mapTileKinds[mapTileCodes] = {
    {MAP_MESH(meshTileFloor), 0},         // 0 open floor
    {nullptr, 0, 0},                      // 1 nothing
    {MAP_MESH(meshTileCorner), 0},        // 2 block corner toward +x +y
    {MAP_MESH(meshTileEdge), 0},          // 3 block side facing -y
    {MAP_MESH(meshTileCorner), 90},       // 4 block corner toward -x +y
    {MAP_MESH(meshTileEdge), 270},        // 5 block side facing -x
    {MAP_MESH(meshTileMiddle), 0},        // 6 wall piece
    {MAP_MESH(meshTileEdge), 90},         // 7 block side facing +x
    {MAP_MESH(meshTileCorner), 270},      // 8 block corner toward +x -y
    {MAP_MESH(meshTileEdge), 180},        // 9 block side facing +y
    {MAP_MESH(meshTileCorner), 180},      // 10 block corner toward -x -y
    {MAP_MESH(meshTileFill), 0},          // 11 inside of a block
    {MAP_MESH(meshTile12), 0},            // 12 floor decoration, fallen base
    {MAP_MESH(meshTile13), 0},            // 13 floor decoration
    {MAP_MESH(meshTileOuterCorner), 180}, // 14 border corner, low x low y
    {MAP_MESH(meshTileOuterCorner), 270}, // 15 border corner, high x low y
    {MAP_MESH(meshTileOuterCorner), 90},  // 16 border corner, low x high y
    {MAP_MESH(meshTileOuterCorner), 0},   // 17 border corner, high x high y
    {MAP_MESH(meshTileBase), 0},          // 18 a standing base
};

#undef MAP_MESH

const int32_t baseCells[4][2] = {{14, 14}, {22, 16}, {0, 0}, {0, 0}};
int32_t baseAlive[4];

int mapTileIsBlocked(float x, float y) {
    // The cell whose centre is nearest on each axis; the quotient is truncated toward zero.
    float px = x + mapCellWidth * 0.5f;
    float py = y + mapCellHeight * 0.5f;
    float fc = px / mapCellWidth, fr = py / mapCellHeight;
    // Off the grid (and NaN) is blocked, so no look-up leaves the table.
    if (!(fc > -1.0f && fc < float(mapWidth) && fr > -1.0f && fr < float(mapHeight))) return 1;
    int column = int(fc), row = int(fr);
    int code = mapTiles[row * mapWidth + column];
    return code >= 0 && code < mapTileCodes ? tileBlocked[code] : 1;
}
