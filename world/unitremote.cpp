// Other players' units, mirrored from their update messages: placed at each received
// position, freed when their owner stops listing them, and moved on by dead reckoning.
#include <cmath>

#include "core/state.h"
#include "net/net.h"
#include "world/unit.h"

// Updates that name the player's own slot never come from the server, which relays a
// client's messages only to the others; they are ignored rather than let loose on the
// player's units.
void unitApplyRemoteUpdate(int owner, int serial, int type, float x, float y, float z,
                           float heading, uint32_t stamp) {
    if (owner == myPlayerId) return;
    for (Unit &u : units) {
        if (u.type == 0 || u.owner != owner || u.serial != serial) continue;
        // The velocities compare two received values, never the dead-reckoned position;
        // two updates in one frame leave the unit standing.
        float dt = totalTime - u.lastUpdateTime;
        if (dt < 0.0001f) {
            u.velX = u.velY = u.velZ = u.turnRate = 0;
        } else {
            float k = 1 / dt;
            u.velX = (x - u.lastX) * k;
            u.velY = (y - u.lastY) * k;
            u.velZ = (z - u.lastZ) * k;
            u.turnRate = (heading - u.lastHeading) * k; // headings are never wrapped
        }
        u.x = u.lastX = x;
        u.y = u.lastY = y;
        u.z = u.lastZ = z;
        u.heading = u.lastHeading = heading;
        u.lastPacket = stamp;
        u.lastUpdateTime = totalTime;
        return;
    }
    // New: standing still on the ground; a full table leaves it for a later update.
    int slot = unitSpawn(type, x, y, heading, owner, serial, 0);
    if (slot >= 0) units[slot].lastPacket = stamp;
}

void unitPruneRemote(int owner, uint32_t stamp) {
    if (owner == myPlayerId) return;
    for (Unit &u : units)
        if (u.type != 0 && u.owner == owner && u.lastPacket != stamp) u.type = 0;
}

void unitDeadReckon(Unit &u, float dt) {
    u.x += u.velX * dt;
    u.y += u.velY * dt;
    u.z += u.velZ * dt;
    u.heading += u.turnRate * dt;
    if (std::fabs(u.velX) > 0.001f || std::fabs(u.velY) > 0.001f)
        unitEmitExhaust(u, u.velX, u.velY);
}
