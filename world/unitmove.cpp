// The movement step of the player's own units: steering by random tries toward the target,
// speed from load and energy, the two axes moved and tested apart so that units slide along
// walls, other units and smoke, the turn away from a block, and the exhaust puffs.
#include <cmath>

#include "world/map.h"
#include "world/particle.h"
#include "world/random.h"
#include "world/unit.h"

float unitTickAccumulator = 0;

namespace {

constexpr float moveSpeed = 0.02f; // units per ms
constexpr float moveCarryFactor = 0.7f;
constexpr float moveTiredFactor = 0.2f;
constexpr float moveTurnBase = 0.2f; // degrees per ms of a steering try
constexpr float moveTurnSpread = 0.003f;
constexpr float moveTurnAway = 0.1f; // degrees per ms when blocked
constexpr float moveHold = 300;      // ms without steering after a block
constexpr float movePi = 3.14159265f;
constexpr float moveGround = -1550; // particles live in drawing coordinates
constexpr float unitTick = 100;

float radians(float degrees) {
    return degrees * movePi / 180;
}

// Squared distance to the target from the point one unit ahead along a heading.
float steerScore(const Unit &u, float heading) {
    float a = radians(heading);
    float dx = u.targetX - (u.x + float(std::sin(double(a))));
    float dy = u.targetY - (u.y + float(std::cos(double(a))));
    return dx * dx + dy * dy;
}

bool moveBlocked(int slot, float x, float y) {
    return unitCollides(slot, x, y) == 1 || mapTileIsBlocked(x, y) == 1 ||
           unitHitsEmitter(x, y) == 1;
}

} // namespace

void unitEmitExhaust(const Unit &unit, float vx, float vy) {
    if (unitTickAccumulator <= unitTick) return;
    // The draws happen at every quality; at low quality no particle is made.
    float px = unit.x + float(randomNext() % 35) * 0.1f;
    float py = unit.y + float(randomNext() % 35) * 0.1f;
    particleSpawn(1, px, py, unit.z + moveGround, -vx, -vy, 0);
}

void unitMove(int slot, float dt) {
    Unit &u = units[slot];
    float h = u.heading;
    if (u.steerTimer > 0) {
        u.steerTimer -= dt;
    } else {
        // Two random tries, one to each side; only a strictly better score turns.
        float best = steerScore(u, u.heading);
        float a1 = u.heading + (float(randomNext() % 10) * moveTurnSpread + moveTurnBase) * dt;
        float s1 = steerScore(u, a1);
        if (s1 < best) {
            best = s1;
            h = a1;
        }
        float a2 = u.heading - (float(randomNext() % 10) * moveTurnSpread + moveTurnBase) * dt;
        if (steerScore(u, a2) < best) h = a2;
    }

    float sh = float(std::sin(double(radians(h))));
    float ch = float(std::cos(double(radians(h))));
    float speed = moveSpeed * dt / float(std::sqrt(double(sh * sh + ch * ch)));
    if (u.carrying != 0) speed *= moveCarryFactor;
    if (u.energy <= 0) speed *= moveTiredFactor;

    float stepX = sh * speed + u.pushX;
    float stepY = ch * speed + u.pushY;
    u.pushX = 0;
    u.pushY = 0;
    float nX = u.x + stepX;
    float nY = u.y + stepY;
    unitEmitExhaust(u, stepX / dt, stepY / dt);
    u.heading = h;

    // Never past the target, axis by axis.
    if (u.targetX > u.x && nX > u.targetX) nX = u.targetX;
    if (u.targetX < u.x && nX < u.targetX) nX = u.targetX;
    if (u.targetY > u.y && nY > u.targetY) nY = u.targetY;
    if (u.targetY < u.y && nY < u.targetY) nY = u.targetY;

    // Each axis is tested from the present position: y first, then x.
    if (moveBlocked(slot, u.x, nY)) {
        u.heading -= moveTurnAway * dt;
        u.steerTimer = moveHold;
        nY = u.y;
    }
    if (moveBlocked(slot, nX, u.y)) {
        if (u.steerTimer < moveHold) {
            u.heading -= moveTurnAway * dt;
            u.steerTimer = moveHold;
        }
        nX = u.x;
    }

    if (nX != u.x || nY != u.y) u.energy -= dt;
    u.x = nX;
    u.y = nY;
}
