// The random generator, the scenery and particle tables, and the level set-up.
#include <gtest/gtest.h>

#include <cstring>

#include "core/config.h"
#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/camera.h"
#include "world/game.h"
#include "world/map.h"
#include "world/particle.h"
#include "world/random.h"
#include "world/scenery.h"
#include "world/unit.h"

// Values as text, each as %g and a space after it, to compare a record in one line.
static std::string text(std::initializer_list<float> values) {
    std::string out;
    char n[32];
    for (float v : values)
        out += (snprintf(n, sizeof n, "%g ", v), n);
    return out;
}

TEST(Random, KnownSequencesAndTheSeedTakenModulo2To48) {
    const int32_t fromZero[5] = {0, 4232237, 178803790, 758674372, 1565954732};
    const int32_t fromOne[5] = {384748, -1151252339, -549383847, 1612966641, -883454042};
    randomSeed(0, 0);
    for (int32_t v : fromZero)
        EXPECT_EQ(randomNext(), v);
    randomSeed(1, 0);
    for (int32_t v : fromOne)
        EXPECT_EQ(randomNext(), v);
    randomSeed(1, 0x10000); // 2^48 + 1
    for (int32_t v : fromOne)
        EXPECT_EQ(randomNext(), v);
}

TEST(Scenery, FullTablesRefuseAndChangeNothing) {
    sceneryPropsClear();
    for (int i = 0; i < 64; i++)
        ASSERT_EQ(sceneryPropAdd(1, float(i), 0, 0), i);
    EXPECT_EQ(sceneryPropAdd(1, 999, 999, 0), -1);
    EXPECT_EQ(sceneryProps[63].x, 63);
    sceneryProps[2].type = 0;
    EXPECT_EQ(sceneryPropAdd(1, 5, 5, 0), 2);

    sceneryEmittersClear();
    for (int i = 0; i < 128; i++)
        sceneryEmitterAdd(1, float(i), 0, 0, 1, 0);
    EXPECT_EQ(sceneryEmitters[127].timer, 12700);
    sceneryEmitterAdd(1, 999, 999, 0, 1, 0);
    for (const SceneryEmitter &e : sceneryEmitters)
        EXPECT_NE(e.x, 999);

    videoQuality = 1;
    particleClearAll();
    for (int i = 0; i < 129; i++)
        particleSpawn(2, float(i), 0, 0, 0, 0, 0);
    EXPECT_EQ(particles[127].x, 127);
    for (const Particle &p : particles)
        EXPECT_NE(p.x, 128);
}

TEST(Scenery, RemoveAtIsInclusiveAndTakesEveryPropThere) {
    sceneryPropsClear();
    sceneryPropAdd(1, 1100, 1100, 0);
    sceneryPropAdd(2, 1100, 1100, 0);
    sceneryPropAdd(1, 1200, 1100, 0);
    sceneryPropRemoveAt(1100.02f, 1100);
    EXPECT_EQ(sceneryProps[0].type, 1);
    sceneryPropRemoveAt(1100.005f, 1100);
    EXPECT_EQ(text({float(sceneryProps[0].type), float(sceneryProps[1].type),
                    float(sceneryProps[2].type)}),
              "0 0 1 ");
    // Exactly 0.01 away on both axes still counts.
    sceneryProps[0] = {1, 0, 0, 0};
    sceneryPropRemoveAt(0.01f, -0.01f);
    EXPECT_EQ(sceneryProps[0].type, 0);
}

TEST(Scenery, EmittersPuffOncePerFrameAndDrawThreeNumbersAtAnyQuality) {
    for (int quality : {1, 0}) {
        videoQuality = quality;
        sceneryEmittersClear();
        particleClearAll();
        sceneryEmitterAdd(1, 100, 100, -2, 1, 0);
        sceneryEmitterAdd(1, 300, 300, 0, 1, 0);
        randomSeed(1, 0);
        sceneryEmittersUpdate(2000);
        EXPECT_EQ(randomNext(), 1331515492); // the seventh: two puffs took six, at any quality
        int live = 0;
        for (const Particle &p : particles)
            live += p.type != 0;
        EXPECT_EQ(live, quality ? 2 : 0);
        if (quality) { // offsets: 384748 % 20 and -1151252339 % 20 tenths; rising
            const Particle &p = particles[0];
            EXPECT_EQ(text({p.x, p.y, p.z, p.vz, p.life}), "100.8 98.1 -1552 0.02 4000 ");
        }
        EXPECT_EQ(sceneryEmitters[0].timer, 601); // -549383847 AND 0x1FF is 345; plus 256
    }
    // Slot 1 is due after exactly 100 ms; an emitter of another type only counts down. Units
    // keep out of a circle measured on both axes, and a freed emitter keeps nobody out.
    videoQuality = 1;
    sceneryEmittersClear(), particleClearAll();
    sceneryEmitterAdd(2, 0, 0, 0, 1, 0), sceneryEmitterAdd(1, 0, 300, 0, 1, 0);
    sceneryEmittersUpdate(100);
    EXPECT_EQ(text({float(particles[0].type + particles[1].type), sceneryEmitters[0].timer,
                    float(unitHitsEmitter(0, 305))}),
              "2 -100 1 ");
    sceneryEmittersClear();
    EXPECT_EQ(unitHitsEmitter(0, 305), 0);
}

TEST(Particles, AgeMoveAndFreeAndStandStillAtLowQuality) {
    videoQuality = 1;
    particleClearAll();
    particleSpawn(1, 0, 0, 0, 0.02f, 0, 0.02f);
    particleSpawn(2, 0, 0, 0, 5, 5, 0.02f);
    particleUpdateAll(100);
    // Exhaust at half its velocity; smoke only rises, at its full speed.
    EXPECT_EQ(text({particles[0].x, particles[0].z, particles[1].x, particles[1].z}), "1 1 0 2 ");
    videoQuality = 0;
    particleUpdateAll(100000);
    EXPECT_EQ(particles[1].type, 2);
    particleSpawn(2, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(particles[2].type, 0);
    videoQuality = 1;
    particleUpdateAll(1900); // exhaust lives 2000 ms, smoke 4000
    EXPECT_EQ(particles[0].type + particles[1].type, 2);
    particleUpdateAll(2000);
    EXPECT_EQ(particles[1].type, 0);
    particleClearAll();
}

TEST(Level, SetUpFillsTheTablesAndRaisesBothBases) {
    // Start-up empties the typed names and the state timer; then a game in which base 1
    // fell under an own unit dying in it, with stray particles and emitters, and a new level.
    memset(myPlayerName, 'x', 16), memset(serverName, 'y', 16), stateTimer = 5;
    gameInit();
    myPlayerId = 2, baseAlive[1] = 1;
    unitClearAll(), unitSpawn(1, 500, 500, 0, 2, -1, 0);
    units[0].flags = 1, units[0].timer = 1000, units[0].targetBase = 1;
    unitUpdateAll(1);
    EXPECT_EQ(text({float(mapTiles[16 * 32 + 22]), float(baseAlive[1])}), "12 0 ");
    baseAlive[2] = 1;
    selectedUnit = 3, sceneryEmitters[3].type = 1, camZ = -700, camTilt = 15;
    videoQuality = 1;
    particleSpawn(1, 0, 0, 0, 0, 0, 0);
    gameLevelInit();
    std::string props, own, emitters; // own units at the same places whichever slot
    for (int i = 0; i < 5; i++) {
        const SceneryProp &p = sceneryProps[i];
        const Unit &u = units[i];
        const SceneryEmitter &e = sceneryEmitters[i];
        if (i < 4) props += text({float(p.type), p.x, p.y, p.angle});
        own += text({float(u.type), u.x, u.y, u.heading, float(u.owner), float(u.serial),
                     float(u.aiState)});
        if (i < 3) emitters += text({float(e.type), e.x, e.y, e.z, e.scale, e.angle});
    }
    EXPECT_EQ(props, "1 1100 1100 100 1 1200 1100 140 1 1120 1140 0 1 1150 1110 20 ");
    EXPECT_EQ(own, "2 1300 1120 240 2 0 0 2 1100 1000 20 2 1 0 1 1300 1020 240 2 2 0 "
                   "1 1400 1420 240 2 3 0 1 1200 1200 240 2 4 0 ");
    EXPECT_EQ(emitters, "1 1000 1000 0 1 20 1 1100 800 -2 1.2 120 1 1120 790 -4 2 220 ");
    EXPECT_EQ(sceneryProps[4].type + units[5].type + sceneryEmitters[3].type, 0);
    for (const Particle &p : particles)
        EXPECT_EQ(p.type, 0);
    // Bases 0 and 1 up; the camera centred, its zoom and tilt kept.
    EXPECT_EQ(
        text({float(baseAlive[0]), float(baseAlive[1]), float(baseAlive[2]),
              float(mapTiles[14 * 32 + 14]), float(mapTiles[16 * 32 + 22]), float(selectedUnit),
              float(nextUnitSerial), camX, camY, camZ, camTilt, stateTimer}),
        "1 1 0 18 18 0 5 960 960 -700 15 0 ");
    EXPECT_EQ(std::string(myPlayerName, 16) + std::string(serverName, 16), std::string(32, 0));
    camZ = 0, camTilt = 0, myPlayerId = 0;
}

TEST(Level, BlockingTestAtTheLevelsPointsAndOffTheGrid) {
    gameLevelInit();
    EXPECT_EQ(mapTileIsBlocked(840, 840), 0);   // base 0's centre
    EXPECT_EQ(mapTileIsBlocked(0, 0), 1);       // border corner
    EXPECT_EQ(mapTileIsBlocked(329.9f, 60), 1); // column 5, code 4
    EXPECT_EQ(mapTileIsBlocked(330, 60), 0);    // column 6
    EXPECT_EQ(mapTileIsBlocked(-45, 100), 1);   // column 0
    EXPECT_EQ(mapTileIsBlocked(1000, 1000), 1); // the small block's corner
    EXPECT_EQ(mapTileIsBlocked(960, 1080), 1);  // its inside: column 16, row 18
    EXPECT_EQ(mapTileIsBlocked(1860, 540), 1);  // the right border, column 31
    EXPECT_EQ(mapTileIsBlocked(1890, 900), 1);  // column 32
    EXPECT_EQ(mapTileIsBlocked(900, -91), 1);
    EXPECT_EQ(mapTileIsBlocked(1e30f, 1e30f), 1);
}

TEST(UnitTable, SpawnFieldsSerialsObstaclesFullTableAndSelectionOrder) {
    myPlayerId = 1, selectedUnit = 9, nextUnitSerial = 5, totalTime = 1234;
    unitClearAll();
    memset(&units[1], 0x41, sizeof(Unit)), units[1].type = 0; // left by an earlier unit
    EXPECT_EQ(unitSpawn(1, 0, 0, 0, 1, -1, 0) + selectedUnit, 0);
    // Another owner's unit goes to the next free slot; serial 0 is kept as given.
    EXPECT_EQ(unitSpawn(2, 10, 20, 30, 0, 0, 3), 1);
    Unit &u = units[1];
    EXPECT_EQ(
        text({u.x,          u.y,       u.z,        u.postX,          u.postY, u.pushX, u.pushY,
              u.steerTimer, u.heading, u.turnRate, u.lastHeading,    u.velX,  u.velY,  u.velZ,
              u.lastX,      u.lastY,   u.lastZ,    u.lastUpdateTime, u.timer, u.energy}),
        "10 20 0 10 20 0 0 0 30 0 30 0 0 0 10 20 0 1234 2000 100000 ");
    EXPECT_EQ(text({float(u.serial), float(nextUnitSerial), float(u.aiState), float(u.flags),
                    float(u.carrying), float(u.hasGoal), float(u.hp), float(int(u.lastPacket))}),
              "0 1 3 0 0 0 8 -1 ");
    // Slot 0, another player's: coming to exactly 15 is allowed; 10 lower it still blocks.
    u.x = 20, u.y = 0;
    EXPECT_EQ(unitCollides(1, 15, 0), 0);
    u.x = 10, units[0].z = -10;
    EXPECT_EQ(unitCollides(1, 9, 0), 1);
    units[0].type = 0;
    EXPECT_EQ(unitCollides(1, 9, 0), 0);
    for (int slot = 1; slot < 64; slot++) // all 64 slots fill, then a spawn is refused
        unitSpawn(1, 0, 0, 0, 1, -1, 0);
    EXPECT_EQ(units[63].type, 1);
    EXPECT_EQ(unitSpawn(1, 0, 0, 0, 1, -1, 0), -1);
    unitClearAll();
    for (int slot : {2, 7, 9, 63})
        units[slot].type = 1, units[slot].owner = slot == 7 ? 0 : 1; // 7 is another player's
    selectedUnit = 5;
    for (int expected : {9, 63, 2, 9})
        EXPECT_EQ((unitSelectNext(), selectedUnit), expected);
    totalTime = 0, myPlayerId = 0;
}
