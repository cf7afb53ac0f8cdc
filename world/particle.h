// Short-lived puffs drawn in the scene: exhaust behind moving units and smoke from the
// emitters. All of it does nothing while the graphics quality is low.
#pragma once

#include <cstdint>

struct Particle {
    int32_t type;  // 0 free, 1 exhaust, 2 smoke
    float x, y, z; // drawing coordinates: the ground is at z -1550
    float vx, vy, vz;
    float life; // ms left
};

constexpr int particleCount = 128;
extern Particle particles[particleCount];
extern const float particleLifetime[3];

void particleClearAll();
void particleSpawn(int type, float x, float y, float z, float vx, float vy, float vz);
void particleUpdateAll(float dt);
void particleDrawAll();
