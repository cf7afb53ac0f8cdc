// The built-in level's tile map, the table of tile codes, and the players' bases.
#pragma once

#include <cstdint>

constexpr int mapWidth = 32;
constexpr int mapHeight = 32;
constexpr float mapCellWidth = 60.0f;
constexpr float mapCellHeight = 60.0f;
constexpr int mapTileCodes = 19;

// Row-major, row j column i at [j * 32 + i]; the cell is centred at (i * 60, j * 60).
extern int32_t mapTiles[mapWidth * mapHeight];
extern const int32_t tileBlocked[mapTileCodes];
// Column and row of each player's base cell; only players 0 and 1 have one here.
extern const int32_t baseCells[4][2];
extern int32_t baseAlive[4];

constexpr int mapTileFallenBase = 12;
constexpr int mapTileBase = 18;

// 1 when the cell under the point blocks units; a point off the grid is blocked.
int mapTileIsBlocked(float x, float y);
// How each tile code is drawn: its mesh (none for a code that draws nothing) and its turn
// about z in degrees.
struct MapTileKind {
    const float *mesh;
    int triangles;
    float rotation;
};
extern const MapTileKind mapTileKinds[mapTileCodes];
