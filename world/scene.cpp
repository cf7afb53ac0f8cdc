// The play state's scene: the camera transform, the tile map column by column, then the
// props, the units with their explosions, rings, bars and selection markers, the smoke
// emitters and the particles.
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

// Drawing heights: the ground, unit bodies just above it, rings and markers under the body
// (the ring models lie at height 10 of their own).
static constexpr float sceneGround = -1550;
static constexpr float sceneBody = -1549;
static constexpr float sceneEnemyRing = -1556;
static constexpr float sceneSelection = -1555;
static constexpr float sceneOrderMarker = -1555.2f;
static constexpr float sceneHpBar = 15.3f;
static constexpr float sceneEnergyBar = 13;
static constexpr float sceneSpin = 0.1f; // degrees per ms

void gameHudInit() {}
void gameHudDraw() {}

static void sceneSetColour(const int (&c)[3], int shift) {
    videoSetColor(c[0] >> shift, c[1] >> shift, c[2] >> shift, 255);
}

static bool sceneOwnBar(const Unit &u) {
    return u.type != 0 && !(u.flags & unitDead) && u.owner == myPlayerId;
}

// A bar over an own unit, turned back against the camera's tilt so that it faces the screen.
static void sceneBar(float x, float y, float z, float width) {
    videoPushMatrix();
    videoTranslate(x, y, z);
    videoRotate(-camTilt, 0, 0);
    videoDrawBar(width, 2);
    videoPopMatrix();
}

void unitDrawAll() {
    for (const Unit &u : units) {
        if (u.type == 0) continue;
        videoSetColor(255, 255, 255, 255);
        if (u.flags & unitDying) {
            // Grows for a second and shrinks back over the next; bigger inside a base.
            float s = u.timer <= 1000 ? u.timer : 2000 - u.timer;
            s /= u.aiState == 4 ? 150 : 500;
            if (s < 0) s = 0;
            videoPushMatrix();
            videoTranslate(u.x, u.y, u.z + sceneBody);
            videoRotate(0, 0, -totalTime * sceneSpin);
            videoScale(s, s, s);
            videoDrawMesh(meshProp.data(), int(meshPropTriangles));
            videoPopMatrix();
        }
        if (u.flags & unitDead) continue;
        videoPushMatrix();
        videoTranslate(u.x, u.y, u.z + sceneBody);
        videoRotate(0, 0, -u.heading - 180);
        if (u.type == 1)
            videoDrawMesh(meshUnit1.data(), int(meshUnit1Triangles));
        else
            videoDrawMesh(meshUnit2.data(), int(meshUnit2Triangles));
        videoPopMatrix();
        if (u.owner != myPlayerId && u.owner >= 0 && u.owner < 4) {
            sceneSetColour(playerColours[u.owner], 0);
            videoPushMatrix();
            videoTranslate(u.x, u.y, u.z + sceneEnemyRing);
            videoDrawMeshFlat(meshRing.data(), int(meshRingTriangles));
            videoPopMatrix();
        }
    }

    videoSetColor(255, 0, 0, 255);
    for (const Unit &u : units) {
        if (!sceneOwnBar(u)) continue;
        float w = float(u.hp * 20) / float(maxHp[u.type]);
        sceneBar(u.x, u.y - 2, u.z + sceneBody + sceneHpBar, w);
    }
    videoSetColor(55, 147, 186, 255);
    for (const Unit &u : units) {
        if (!sceneOwnBar(u)) continue;
        // An empty tank gives a width of 0 or below: the mirrored bar is culled.
        sceneBar(u.x, u.y, u.z + sceneBody + sceneEnergyBar, u.energy * 20 / unitFullEnergy);
    }

    // The selection is drawn every frame from whatever its slot holds.
    const Unit &s = units[selectedUnit];
    const int(&own)[3] = playerColours[myPlayerId & 3];
    sceneSetColour(own, 0);
    videoPushMatrix();
    videoTranslate(s.x, s.y, s.z + sceneSelection);
    videoRotate(0, 0, totalTime * sceneSpin);
    videoDrawMeshFlat(meshRing.data(), int(meshRingTriangles));
    videoPopMatrix();
    videoPushMatrix();
    videoTranslate(s.targetX, s.targetY, sceneSelection);
    videoRotate(0, 0, totalTime * sceneSpin);
    videoDrawMeshFlat(meshMarker.data(), int(meshMarkerTriangles));
    videoPopMatrix();
    sceneSetColour(own, 1);
    float tX, tY;
    cameraOrderPoint(&tX, &tY);
    videoPushMatrix();
    videoTranslate(tX, tY, sceneOrderMarker);
    videoScale(0.8f, 0.8f, 1);
    videoDrawMeshFlat(meshMarker.data(), int(meshMarkerTriangles));
    videoPopMatrix();
    videoSetColor(255, 255, 255, 255);
}

void gameDraw() {
    videoSetColor(255, 255, 255, 255);
    videoLoadIdentity();
    if (camTilt != 0) videoRotate(camTilt, 0, 0);
    videoTranslate(-camX, -camY, -camZ);
    for (int i = 0; i < mapWidth; i++) {
        for (int j = 0; j < mapHeight; j++) {
            videoPushMatrix();
            videoTranslate(float(i) * mapCellWidth, float(j) * mapCellHeight, sceneGround);
            int code = mapTiles[j * mapWidth + i];
            if (code >= 0 && code < mapTileCodes && mapTileKinds[code].mesh) {
                const MapTileKind &kind = mapTileKinds[code];
                videoRotate(0, 0, kind.rotation);
                videoDrawMesh(kind.mesh, kind.triangles);
            }
            videoPopMatrix();
        }
    }
    sceneryPropsDraw();
    unitDrawAll();
    sceneryEmittersDraw();
    particleDrawAll();
    gameHudDraw();
}
