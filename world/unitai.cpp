// The per-frame unit logic: the death sequence of dying units, dead reckoning of other
// players' units, and the AI of the player's own units (goal sharing, fetching props,
// chasing, going home to refill, raiding a base, wandering, travel).
#include "net/net.h"
#include "world/map.h"
#include "world/random.h"
#include "world/scenery.h"
#include "world/unit.h"

namespace {

// Squared ground distances.
constexpr float aiSeeSquared = 10000;   // 100: goals, props, starting a chase
constexpr float aiChaseSquared = 12100; // 110: keeping up a chase (inclusive)
constexpr float aiPickUpSquared = 196;  // 14: a collector starts to pick a prop up
constexpr float aiWanderSquared = 2500; // 50: least distance of a wander point
constexpr float aiArriveSquared = 1;    // 1: arrival at the target or the goal

constexpr float aiSinkSpeed = 0.05f; // units per ms, down into a base and back up
constexpr float aiSunk = -50;
constexpr float aiPickUpTime = 2000;
constexpr float aiLowEnergy = 50000;
constexpr float aiDeadAfter = 1000;
constexpr float aiFreedAfter = 2000;
constexpr float unitTick = 100;
// A wander point is drawn again while it is too near, blocked or in smoke; after this many
// refused points the unit stays idle for the frame and tries again in the next.
constexpr int aiWanderTries = 32;

float distanceSquared(float ax, float ay, float bx, float by) {
    float dx = ax - bx, dy = ay - by;
    return dx * dx + dy * dy;
}

void baseCentre(int base, float *x, float *y) {
    *x = float(baseCells[base][0]) * mapCellWidth;
    *y = float(baseCells[base][1]) * mapCellHeight;
}

bool baseStands(int base) {
    return base >= 0 && base < 4 && baseAlive[base] == 1;
}

void goHome(Unit &u) {
    u.aiState = 2;
    baseCentre(u.owner, &u.targetX, &u.targetY);
    u.targetBase = u.owner;
}

void unitDyingStep(Unit &u, float dt) {
    u.timer += dt;
    if (u.timer > aiDeadAfter) {
        u.flags |= unitDead;
        // The base that an own unit died in falls on this client.
        if (u.owner == myPlayerId && u.targetBase >= 0 && u.targetBase < 4) {
            const int32_t *cell = baseCells[u.targetBase];
            mapTiles[cell[1] * mapWidth + cell[0]] = mapTileFallenBase;
            baseAlive[u.targetBase] = 0;
        }
    }
    if (u.timer > aiFreedAfter) u.type = 0;
}

// The nearest prop in the table (picked-up ones count), the lowest slot on a tie; -1 none.
int nearestProp(const Unit &u, float *bestSquared) {
    int best = -1;
    for (int p = 0; p < sceneryPropCount; p++) {
        const SceneryProp &prop = sceneryProps[p];
        if (prop.type == 0) continue;
        float d = distanceSquared(u.x, u.y, prop.x, prop.y);
        if (best < 0 || d < *bestSquared) {
            best = p;
            *bestSquared = d;
        }
    }
    return best;
}

// Draws wander points around the unit (collector) or its post (fighter) until one lies far
// enough, on open ground and out of the smoke; false when every try was refused.
bool wanderPoint(const Unit &u, float *x, float *y) {
    for (int attempt = 0; attempt < aiWanderTries; attempt++) {
        *x = u.type == 2 ? u.x : u.postX;
        *y = u.type == 2 ? u.y : u.postY;
        *x += float(randomNext() % 100);
        *y += float(randomNext() % 100);
        if (distanceSquared(*x, *y, u.x, u.y) >= aiWanderSquared && mapTileIsBlocked(*x, *y) == 0 &&
            unitHitsEmitter(*x, *y) == 0)
            return true;
    }
    return false;
}

void unitOwnSteps(int i, float dt) {
    Unit &u = units[i];

    if (u.hp < 1) {
        u.flags |= unitDying;
        u.timer = 0;
        if (i == selectedUnit) unitSelectNext();
    }

    if (u.hasGoal == 0 && (u.aiState == 0 || u.aiState == 1)) {
        for (int j = 0; j < unitCount; j++) {
            const Unit &o = units[j];
            if (j == i || o.type == 0 || o.hasGoal != 1) continue;
            if (distanceSquared(u.x, u.y, o.x, o.y) < aiSeeSquared) {
                u.goalX = o.goalX;
                u.goalY = o.goalY;
                u.hasGoal = 1;
                break;
            }
        }
    }

    float propSquared = 0;
    int p = nearestProp(u, &propSquared);
    if (p >= 0 && propSquared < aiSeeSquared) {
        u.goalX = sceneryProps[p].x;
        u.goalY = sceneryProps[p].y;
        u.hasGoal = 1;
    }

    if (u.aiState == 5) {
        if (p >= 0 && sceneryProps[p].x == u.propX && sceneryProps[p].y == u.propY) {
            u.timer -= dt;
            if (u.timer <= 0) {
                u.carrying = sceneryProps[p].type;
                sceneryProps[p].type = 2; // hidden, and reported by the next update
                if (baseStands(u.owner))
                    goHome(u);
                else
                    u.aiState = 0;
                u.timer = aiPickUpTime;
            }
        } else {
            // The prop went, or another became nearer: the countdown starts over next time.
            u.aiState = 0;
            u.timer = aiPickUpTime;
        }
    }

    if (u.type == 2 && u.carrying == 0 && p >= 0 && propSquared < aiPickUpSquared) {
        u.aiState = 5;
        u.propX = sceneryProps[p].x;
        u.propY = sceneryProps[p].y;
    }

    if (u.type == 1) {
        if (u.aiState == 0 || u.aiState == 1) {
            // The lowest slot in sight, not the nearest; dying units count.
            for (int j = 0; j < unitCount; j++) {
                const Unit &o = units[j];
                if (j == i || o.type == 0 || o.owner == u.owner) continue;
                if (distanceSquared(u.x, u.y, o.x, o.y) < aiSeeSquared) {
                    u.aiState = 6;
                    u.chasedUnit = j;
                    break;
                }
            }
        } else if (u.aiState == 6) {
            // The slot's position, whatever it holds now: a freed unit's last place.
            const Unit &o = units[u.chasedUnit & (unitCount - 1)];
            if (distanceSquared(u.x, u.y, o.x, o.y) <= aiChaseSquared) {
                u.targetX = o.x;
                u.targetY = o.y;
            } else {
                u.aiState = 0;
            }
        }
    }

    if (u.aiState == 3) {
        u.z -= aiSinkSpeed * dt;
        if (u.z < aiSunk) {
            if (u.targetBase == u.owner) {
                // Home: the load is delivered and the unit refilled.
                u.carrying = 0;
                u.energy = unitFullEnergy;
                u.hp = maxHp[u.type];
            }
            u.aiState = 4;
            u.z = aiSunk;
        }
    }

    if (u.aiState == 4) {
        if (u.targetBase != u.owner) {
            u.hp = 0; // raiding a foreign base: dying from the next frame
        } else {
            u.z += aiSinkSpeed * dt;
            if (u.z > 0) {
                u.z = 0;
                u.targetX = u.type == 2 ? u.goalX : u.postX;
                u.targetY = u.type == 2 ? u.goalY : u.postY;
                u.aiState = 1;
            }
        }
    }

    if (u.aiState == 0) {
        float wx, wy;
        if (u.energy < aiLowEnergy && baseStands(u.owner)) {
            goHome(u);
        } else if (u.type == 2 && p >= 0 && propSquared < aiSeeSquared) {
            u.targetX = sceneryProps[p].x;
            u.targetY = sceneryProps[p].y;
            u.aiState = 1;
        } else if (u.type == 2 && u.hasGoal == 1) {
            u.targetX = u.goalX;
            u.targetY = u.goalY;
            u.aiState = 1;
        } else if (wanderPoint(u, &wx, &wy)) {
            u.targetX = wx;
            u.targetY = wy;
            u.aiState = 1;
            u.goalX = wx;
            u.goalY = wy;
            u.hasGoal = 0;
        }
    }

    if (u.aiState == 1 || u.aiState == 2 || u.aiState == 6) {
        if (distanceSquared(u.x, u.y, u.targetX, u.targetY) >= aiArriveSquared) {
            unitMove(i, dt);
        } else if (u.aiState == 1 && u.carrying == 0) {
            if (distanceSquared(u.x, u.y, u.goalX, u.goalY) < aiArriveSquared) u.hasGoal = 0;
            u.aiState = 0;
        } else if (u.aiState == 1) {
            if (baseStands(u.owner))
                goHome(u);
            else
                u.aiState = 0;
        } else if (u.aiState == 2) {
            u.aiState = baseStands(u.targetBase) ? 3 : 0;
        }
    }
}

} // namespace

void unitUpdateAll(float dt) {
    unitTickAccumulator += dt;
    for (int i = 0; i < unitCount; i++) {
        Unit &u = units[i];
        if (u.type == 0) continue;
        if (u.flags & unitDying)
            unitDyingStep(u, dt);
        else if (u.owner != myPlayerId)
            unitDeadReckon(u, dt);
        else
            unitOwnSteps(i, dt);
    }
    while (unitTickAccumulator > unitTick)
        unitTickAccumulator -= unitTick;
}
