// The unit table: every unit the client knows, the player's own and the other players'.
// Spawn and selection, the proximity tests, the per-frame unit logic with its movement
// step, the mirroring of other players' units from the network, and their drawing.
#pragma once

#include <cstdint>

struct Unit {
    int32_t type; // 0 free, 1 fighter, 2 collector
    float x, y, z;
    float targetX, targetY;
    float goalX, goalY;
    float postX, postY;
    float propX, propY;
    float pushX, pushY;
    float steerTimer;
    float heading; // degrees, 0 along +y, 90 along +x; never reduced to a range
    float turnRate;
    float lastHeading;
    float velX, velY, velZ;
    float lastX, lastY, lastZ;
    int32_t owner;
    int32_t serial;
    int32_t
        aiState; // 0 idle, 1 moving, 2 to a base, 3 sinking, 4 rising or dying, 5 pick-up, 6 chase
    uint32_t flags; // bit 0 dying, bit 1 dead
    int32_t carrying;
    int32_t hasGoal;
    int32_t hp;
    int32_t targetBase;
    int32_t chasedUnit;
    uint32_t lastPacket;
    float lastUpdateTime;
    float timer;
    float energy;
};

constexpr int unitCount = 64;
constexpr uint32_t unitDying = 1;
constexpr uint32_t unitDead = 2;
constexpr float unitFullEnergy = 100000;

extern Unit units[unitCount];
extern const int32_t maxHp[4];
extern int32_t selectedUnit;
extern int32_t nextUnitSerial;
extern float unitTickAccumulator;

void unitClearAll();
// The slot filled, or -1 when the table is full or the type or owner is not one the
// tables know (types 1 and 2, owners 0 to 3). A negative serial takes the next one.
int unitSpawn(int type, float x, float y, float heading, int owner, int serial, int aiState);
void unitSelectNext();
int unitHitsEmitter(float x, float y);
int unitCollides(int self, float x, float y);

// The unit logic of one frame, and the movement step of one own unit.
void unitUpdateAll(float dt);
void unitMove(int slot, float dt);
void unitEmitExhaust(const Unit &unit, float vx, float vy);

// Other players' units, from their update messages.
void unitApplyRemoteUpdate(int owner, int serial, int type, float x, float y, float z,
                           float heading, uint32_t stamp);
void unitPruneRemote(int owner, uint32_t stamp);
void unitDeadReckon(Unit &unit, float dt);

void unitDrawAll();
