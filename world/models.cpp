// Stand-in for the generated model data: every model has its triangle count and no shape.
#include "world/mesh.h"

const MeshTextured<meshTileFloorTriangles> meshTileFloor{};
const MeshTextured<meshTile12Triangles> meshTile12{};
const MeshTextured<meshTile13Triangles> meshTile13{};
const MeshTextured<meshTileFillTriangles> meshTileFill{};
const MeshTextured<meshTileEdgeTriangles> meshTileEdge{};
const MeshTextured<meshTileCornerTriangles> meshTileCorner{};
const MeshTextured<meshTileOuterCornerTriangles> meshTileOuterCorner{};
const MeshTextured<meshTileMiddleTriangles> meshTileMiddle{};
const MeshTextured<meshTileBaseTriangles> meshTileBase{};
const MeshTextured<meshPropTriangles> meshProp{};
const MeshTextured<meshEmitterTriangles> meshEmitter{};
const MeshTextured<meshUnit1Triangles> meshUnit1{};
const MeshTextured<meshUnit2Triangles> meshUnit2{};
