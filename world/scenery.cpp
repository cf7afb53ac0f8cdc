// The prop and smoke-emitter tables: adding, removing by position, the emitters' puffs,
// and drawing both.
#include "world/scenery.h"

#include "video/video.h"
#include "world/mesh.h"
#include "world/particle.h"
#include "world/random.h"

SceneryProp sceneryProps[sceneryPropCount];
SceneryEmitter sceneryEmitters[sceneryEmitterCount];

// The ground's drawing height; particles live in drawing coordinates.
static constexpr float sceneryGround = -1550;
static constexpr float sceneryRemoveTolerance = 0.01f;
static constexpr float scenerySmokeRise = 0.02f;

void sceneryPropsClear() {
    for (SceneryProp &p : sceneryProps)
        p.type = 0;
}

int sceneryPropAdd(int type, float x, float y, float angle) {
    for (int i = 0; i < sceneryPropCount; i++) {
        if (sceneryProps[i].type != 0) continue;
        sceneryProps[i] = {type, x, y, angle};
        return i;
    }
    return -1;
}

void sceneryPropRemoveAt(float x, float y) {
    for (SceneryProp &p : sceneryProps) {
        if (p.type == 0) continue;
        float dx = p.x - x, dy = p.y - y;
        if (dx <= sceneryRemoveTolerance && dx >= -sceneryRemoveTolerance &&
            dy <= sceneryRemoveTolerance && dy >= -sceneryRemoveTolerance)
            p.type = 0;
    }
}

void sceneryPropsDraw() {
    for (const SceneryProp &p : sceneryProps) {
        if (p.type != 1) continue; // picked-up props (2) are hidden
        videoPushMatrix();
        videoTranslate(p.x, p.y, sceneryGround);
        videoRotate(0, 0, p.angle);
        videoDrawMesh(meshProp.data(), int(meshPropTriangles));
        videoPopMatrix();
    }
}

void sceneryEmittersClear() {
    for (SceneryEmitter &e : sceneryEmitters)
        e.type = 0;
}

void sceneryEmitterAdd(int type, float x, float y, float z, float scale, float angle) {
    for (int i = 0; i < sceneryEmitterCount; i++) {
        if (sceneryEmitters[i].type != 0) continue;
        // Staggered first puffs: slot i is due after i * 100 ms.
        sceneryEmitters[i] = {type, x, y, z, scale, angle, float(i) * 100};
        return;
    }
}

void sceneryEmittersUpdate(float dt) {
    for (SceneryEmitter &e : sceneryEmitters) {
        if (e.type == 0) continue;
        e.timer -= dt;
        if (e.type != 1 || e.timer > 0) continue;
        // One puff a frame at most; the draws happen even when no particle is made.
        float ox = float(randomNext() % 20) * 0.1f;
        float oy = float(randomNext() % 20) * 0.1f;
        particleSpawn(2, e.x + ox, e.y + oy, e.z + sceneryGround, 0, 0, scenerySmokeRise);
        e.timer = float((randomNext() & 0x1FF) + 256);
    }
}

void sceneryEmittersDraw() {
    for (const SceneryEmitter &e : sceneryEmitters) {
        if (e.type == 0) continue;
        videoPushMatrix();
        videoTranslate(e.x, e.y, e.z + sceneryGround);
        videoRotate(0, 0, e.angle);
        videoScale(e.scale, e.scale, e.scale);
        if (e.type == 1) videoDrawMesh(meshEmitter.data(), int(meshEmitterTriangles));
        videoPopMatrix();
    }
}
