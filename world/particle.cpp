// The particle table: exhaust and smoke puffs that age, drift and shrink to nothing. The
// graphics setting switches all of it: at low quality nothing is spawned, aged or drawn.
#include "world/particle.h"

#include "video/video.h"
#include "world/camera.h"
#include "world/mesh.h"

Particle particles[particleCount];
const float particleLifetime[3] = {0, 2000, 4000};

// Particles are drawn only this close to the ground, where they are large enough to see.
static constexpr float particleDrawZoom = -1100;

void particleClearAll() {
    for (Particle &p : particles)
        p.type = 0;
}

void particleSpawn(int type, float x, float y, float z, float vx, float vy, float vz) {
    if (videoQuality == 0) return;
    for (Particle &p : particles) {
        if (p.type != 0) continue;
        p = {type, x, y, z, vx, vy, vz, type == 1 || type == 2 ? particleLifetime[type] : 0};
        return;
    }
}

void particleUpdateAll(float dt) {
    if (videoQuality == 0) return;
    for (Particle &p : particles) {
        if (p.type == 0) continue;
        p.life -= dt;
        if (p.type == 1) {
            // Exhaust drifts at half its velocity.
            p.x += p.vx * dt * 0.5f;
            p.y += p.vy * dt * 0.5f;
            p.z += p.vz * dt * 0.5f;
        } else if (p.type == 2) {
            p.z += p.vz * dt;
        }
        if (p.life <= 0) p.type = 0;
    }
}

void particleDrawAll() {
    if (videoQuality == 0 || camZ > particleDrawZoom) return;
    for (const Particle &p : particles) {
        if (p.type == 0) continue;
        float s = p.type == 1 ? 0.1f - (2000 - p.life) / 20000 : 0.1f - (4000 - p.life) / 40000;
        videoPushMatrix();
        videoTranslate(p.x, p.y, p.z);
        videoScale(s, s, s);
        videoDrawMesh(meshProp.data(), int(meshPropTriangles));
        videoPopMatrix();
    }
}
