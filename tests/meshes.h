// The compiled-in models, each once, for tests that go through all of them or name one:
// TEST_MESHES(T, F) expands T(mesh) for a textured model and F(mesh) for a flat one.
#pragma once

#include "world/mesh.h"

#define TEST_MESHES(T, F)                                                                          \
    T(meshTileFloor)                                                                               \
    T(meshTile12) T(meshTile13) T(meshTileFill) T(meshTileEdge) T(meshTileCorner)                  \
        T(meshTileOuterCorner) T(meshTileMiddle) T(meshTileBase) T(meshProp) T(meshEmitter)        \
            T(meshUnit1) T(meshUnit2) F(meshRing) F(meshMarker)
