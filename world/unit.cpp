// The unit table: clearing, spawning with its serial rule, the choice of the selected unit,
// and the two proximity tests of the movement step.
#include "world/unit.h"

#include "core/state.h"
#include "net/net.h"
#include "world/scenery.h"

Unit units[unitCount];
const int32_t maxHp[4] = {-1, 20, 8, 0};
int32_t selectedUnit = 0;
int32_t nextUnitSerial = 0;

// Units keep at least this far apart (squared: 15 units).
static constexpr float unitKeepApartSquared = 225;

void unitClearAll() {
    for (Unit &u : units)
        u.type = 0;
    selectedUnit = 0;
    nextUnitSerial = 0;
}

int unitSpawn(int type, float x, float y, float heading, int owner, int serial, int aiState) {
    // Per-type and per-player tables cover only these; anything else from the network is
    // refused rather than indexed past their ends.
    if (type < 1 || type > 2 || owner < 0 || owner > 3) return -1;
    for (int i = 0; i < unitCount; i++) {
        Unit &u = units[i];
        if (u.type != 0) continue;
        // Fields without a spawn value (target, goal, prop, base, chased unit) keep the
        // slot's old values.
        u.type = type;
        u.x = x;
        u.y = y;
        u.z = 0;
        u.postX = x;
        u.postY = y;
        u.pushX = 0;
        u.pushY = 0;
        u.steerTimer = 0;
        u.heading = heading;
        u.turnRate = 0;
        u.lastHeading = heading;
        u.velX = 0;
        u.velY = 0;
        u.velZ = 0;
        u.lastX = x;
        u.lastY = y;
        u.lastZ = 0;
        u.owner = owner;
        if (serial >= 0) {
            u.serial = serial;
        } else {
            u.serial = nextUnitSerial;
            nextUnitSerial++;
        }
        u.aiState = aiState;
        u.flags = 0;
        u.carrying = 0;
        u.hasGoal = 0;
        u.hp = maxHp[type];
        u.lastPacket = 0xFFFFFFFFu;
        u.lastUpdateTime = totalTime;
        u.timer = 2000;
        u.energy = unitFullEnergy;
        return i;
    }
    return -1;
}

void unitSelectNext() {
    // The slot after the current one first, the current one last.
    int k = selectedUnit;
    for (int step = 0; step < unitCount; step++) {
        k = k + 1 == unitCount ? 0 : k + 1;
        const Unit &u = units[k];
        if (u.type != 0 && u.owner == myPlayerId && !(u.flags & unitDying)) {
            selectedUnit = k;
            return;
        }
    }
}

int unitHitsEmitter(float x, float y) {
    for (const SceneryEmitter &e : sceneryEmitters) {
        if (e.type == 0) continue;
        float dx = x - e.x, dy = y - e.y;
        float r = e.scale * 10;
        if (dx * dx + dy * dy < r * r) return 1;
    }
    return 0;
}

int unitCollides(int self, float x, float y) {
    const Unit &me = units[self];
    for (int j = 0; j < unitCount; j++) {
        const Unit &o = units[j];
        if (o.type == 0 || j == self) continue;
        float dz = me.z - o.z;
        float dx = x - o.x, dy = y - o.y;
        float dNew = dx * dx + dy * dy + dz * dz;
        if (dNew >= unitKeepApartSquared) continue;
        // Moving away from a unit it already overlaps, or holding the distance, is allowed.
        float nx = me.x - o.x, ny = me.y - o.y;
        float dNow = nx * nx + ny * ny + dz * dz;
        if (dNew < dNow) return 1;
    }
    return 0;
}
