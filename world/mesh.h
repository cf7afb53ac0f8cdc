// The models compiled into the client: a triangle count beside each vertex array, three
// vertices a triangle. Textured models: u, v, nx, ny, nz, x, y, z a vertex, with texture
// coordinates in the game atlas; flat models: nx, ny, nz, x, y, z a vertex. Every triangle
// is wound counter-clockwise seen from the side its normals point to.
#pragma once

#include <array>
#include <cstdint>

constexpr int meshTexturedVertexFloats = 8;
constexpr int meshFlatVertexFloats = 6;

template <uint32_t triangles>
using MeshTextured = std::array<float, triangles * 3 * meshTexturedVertexFloats>;
template <uint32_t triangles>
using MeshFlat = std::array<float, triangles * 3 * meshFlatVertexFloats>;

// Tile pieces at rotation 0, centred on their cell (60 by 60), floor at height 0.
constexpr uint32_t meshTileFloorTriangles = 2;
extern const MeshTextured<meshTileFloorTriangles> meshTileFloor;
constexpr uint32_t meshTile12Triangles = 2;
extern const MeshTextured<meshTile12Triangles> meshTile12;
constexpr uint32_t meshTile13Triangles = 2;
extern const MeshTextured<meshTile13Triangles> meshTile13;
constexpr uint32_t meshTileFillTriangles = 2;
extern const MeshTextured<meshTileFillTriangles> meshTileFill;
constexpr uint32_t meshTileEdgeTriangles = 26;
extern const MeshTextured<meshTileEdgeTriangles> meshTileEdge;
constexpr uint32_t meshTileCornerTriangles = 20;
extern const MeshTextured<meshTileCornerTriangles> meshTileCorner;
constexpr uint32_t meshTileOuterCornerTriangles = 24;
extern const MeshTextured<meshTileOuterCornerTriangles> meshTileOuterCorner;
constexpr uint32_t meshTileMiddleTriangles = 24;
extern const MeshTextured<meshTileMiddleTriangles> meshTileMiddle;
constexpr uint32_t meshTileBaseTriangles = 64;
extern const MeshTextured<meshTileBaseTriangles> meshTileBase;

// Objects, standing on height 0.
constexpr uint32_t meshPropTriangles = 124;
extern const MeshTextured<meshPropTriangles> meshProp;
constexpr uint32_t meshEmitterTriangles = 80;
extern const MeshTextured<meshEmitterTriangles> meshEmitter;
constexpr uint32_t meshUnit1Triangles = 300;
extern const MeshTextured<meshUnit1Triangles> meshUnit1;
constexpr uint32_t meshUnit2Triangles = 360;
extern const MeshTextured<meshUnit2Triangles> meshUnit2;

// Flat bands at height 10 facing +z: the menu background and unit rings (radius 8.4 to
// 10), and the move-target and camera markers (radius 9.1 to 10.9).
constexpr uint32_t meshRingTriangles = 60;
extern const MeshFlat<meshRingTriangles> meshRing;
constexpr uint32_t meshMarkerTriangles = 60;
extern const MeshFlat<meshMarkerTriangles> meshMarker;
