// The models compiled into the client: a triangle count beside each vertex array, three
// vertices a triangle (flat models: nx, ny, nz, x, y, z a vertex).
#pragma once

#include <array>
#include <cstdint>

constexpr int meshFlatVertexFloats = 6;

// Flat bands at height 10 facing +z: the menu background and unit rings (radius 8.4 to
// 10), and the move-target and camera markers (radius 9.1 to 10.9).
constexpr uint32_t meshRingTriangles = 60;
extern const std::array<float, meshRingTriangles * 3 * meshFlatVertexFloats> meshRing;
constexpr uint32_t meshMarkerTriangles = 60;
extern const std::array<float, meshMarkerTriangles * 3 * meshFlatVertexFloats> meshMarker;
