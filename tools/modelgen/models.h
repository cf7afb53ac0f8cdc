// The models the generator builds, each at its own origin (tiles centred on their cell,
// objects standing on height 0 with their front toward -y).
#pragma once

#include "geometry.h"

Mesh modelTileFloor();
Mesh modelTile12();
Mesh modelTile13();
Mesh modelTileFill();
Mesh modelTileEdge();
Mesh modelTileCorner();
Mesh modelTileOuterCorner();
Mesh modelTileMiddle();
Mesh modelTileBase();
Mesh modelProp();
Mesh modelEmitter();
Mesh modelUnit1();
Mesh modelUnit2();
