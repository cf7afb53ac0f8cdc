// The random generator, the scenery and particle tables, and the level set-up.
#include <gtest/gtest.h>

#include "net/net.h"
#include "video/video.h"
#include "world/game.h"
#include "world/map.h"
#include "world/particle.h"
#include "world/random.h"
#include "world/scenery.h"
#include "world/unit.h"

TEST(Random, KnownSequencesAndTheSeedTakenModulo2To48) {
    const int32_t fromZero[5] = {0, 4232237, 178803790, 758674372, 1565954732};
    const int32_t fromOne[5] = {384748, -1151252339, -549383847, 1612966641, -883454042};
    randomSeed(0, 0);
    for (int32_t v : fromZero)
        EXPECT_EQ(randomNext(), v);
    randomSeed(1, 0);
    for (int32_t v : fromOne)
        EXPECT_EQ(randomNext(), v);
    // The shapes callers take: signed remainder and mask of the second draw.
    EXPECT_EQ(-1151252339 % 20, -19);
    EXPECT_EQ(-1151252339 & 0x1FF, 141);
    randomSeed(1, 0x10000); // 2^48 + 1
    for (int32_t v : fromOne)
        EXPECT_EQ(randomNext(), v);
}

TEST(Scenery, FullTablesRefuseAndChangeNothing) {
    sceneryPropsClear();
    for (int i = 0; i < sceneryPropCount; i++)
        ASSERT_EQ(sceneryPropAdd(1, float(i), 0, 0), i);
    EXPECT_EQ(sceneryPropAdd(1, 999, 999, 0), -1);
    EXPECT_EQ(sceneryProps[63].x, 63);
    sceneryProps[2].type = 0;
    EXPECT_EQ(sceneryPropAdd(1, 5, 5, 0), 2);

    sceneryEmittersClear();
    for (int i = 0; i < sceneryEmitterCount; i++)
        sceneryEmitterAdd(1, float(i), 0, 0, 1, 0);
    EXPECT_EQ(sceneryEmitters[127].timer, 12700);
    sceneryEmitterAdd(1, 999, 999, 0, 1, 0);
    for (const SceneryEmitter &e : sceneryEmitters)
        EXPECT_NE(e.x, 999);

    videoQuality = 1;
    particleClearAll();
    for (int i = 0; i < particleCount + 1; i++)
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
    EXPECT_EQ(sceneryProps[0].type, 0);
    EXPECT_EQ(sceneryProps[1].type, 0);
    EXPECT_EQ(sceneryProps[2].type, 1);
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
        int live = 0;
        for (const Particle &p : particles)
            live += p.type != 0;
        EXPECT_EQ(live, quality ? 2 : 0);
        if (quality) {
            EXPECT_EQ(particles[0].z, -2 - 1550.0f);
            EXPECT_EQ(particles[0].life, 4000);
        }
        // Two puffs took six draws, whatever the quality.
        randomSeed(1, 0);
        for (int i = 0; i < 6; i++)
            randomNext();
        uint64_t expected = randomState;
        sceneryEmittersClear();
        sceneryEmitterAdd(1, 100, 100, -2, 1, 0);
        sceneryEmitterAdd(1, 300, 300, 0, 1, 0);
        randomSeed(1, 0);
        sceneryEmittersUpdate(2000);
        EXPECT_EQ(randomState, expected);
        EXPECT_GE(sceneryEmitters[0].timer, 256);
        EXPECT_LE(sceneryEmitters[0].timer, 767);
    }
    videoQuality = 1;
}

TEST(Particles, AgeMoveAndFreeAndStandStillAtLowQuality) {
    videoQuality = 1;
    particleClearAll();
    particleSpawn(1, 0, 0, 0, 0.02f, 0, 0);
    particleSpawn(2, 0, 0, 0, 5, 5, 0.02f);
    particleUpdateAll(100);
    EXPECT_FLOAT_EQ(particles[0].x, 1); // exhaust at half its speed
    EXPECT_FLOAT_EQ(particles[1].x, 0); // smoke only rises
    EXPECT_FLOAT_EQ(particles[1].z, 2);
    videoQuality = 0;
    particleUpdateAll(100000);
    EXPECT_EQ(particles[1].type, 2);
    particleSpawn(2, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(particles[2].type, 0);
    videoQuality = 1;
    particleUpdateAll(3900);
    EXPECT_EQ(particles[1].type, 0);
    EXPECT_EQ(particles[0].type, 0);
    particleClearAll();
}

TEST(Level, SetUpFillsTheTablesAndRaisesBothBases) {
    myPlayerId = 0;
    // A game in which base 1 fell, with stray particles, then a new level.
    mapTiles[16 * 32 + 22] = mapTileFallenBase;
    baseAlive[1] = 0;
    videoQuality = 1;
    particleSpawn(1, 0, 0, 0, 0, 0, 0);
    gameLevelInit();
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(sceneryProps[i].type, 1);
    EXPECT_EQ(sceneryProps[4].type, 0);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(units[i].serial, i);
        EXPECT_EQ(units[i].owner, 0);
    }
    EXPECT_EQ(units[0].type, 2);
    EXPECT_EQ(units[4].type, 1);
    EXPECT_EQ(units[5].type, 0);
    EXPECT_EQ(sceneryEmitters[2].scale, 2.0f);
    EXPECT_EQ(sceneryEmitters[3].type, 0);
    for (const Particle &p : particles)
        EXPECT_EQ(p.type, 0);
    EXPECT_EQ(baseAlive[0], 1);
    EXPECT_EQ(baseAlive[1], 1);
    EXPECT_EQ(baseAlive[2], 0);
    EXPECT_EQ(mapTiles[14 * 32 + 14], 18);
    EXPECT_EQ(mapTiles[16 * 32 + 22], 18);
    EXPECT_EQ(selectedUnit, 0);
    EXPECT_EQ(nextUnitSerial, 5);
}

TEST(Level, BlockingTestAtTheLevelsPointsAndOffTheGrid) {
    gameLevelInit();
    EXPECT_EQ(mapTileIsBlocked(840, 840), 0);   // base 0's centre
    EXPECT_EQ(mapTileIsBlocked(0, 0), 1);       // border corner
    EXPECT_EQ(mapTileIsBlocked(329.9f, 60), 1); // column 5, code 4
    EXPECT_EQ(mapTileIsBlocked(330, 60), 0);    // column 6
    EXPECT_EQ(mapTileIsBlocked(-45, 100), 1);   // column 0
    EXPECT_EQ(mapTileIsBlocked(1000, 1000), 1); // the small block's corner
    EXPECT_EQ(mapTileIsBlocked(1890, 900), 1);  // column 32
    EXPECT_EQ(mapTileIsBlocked(900, -91), 1);
    EXPECT_EQ(mapTileIsBlocked(1e30f, 1e30f), 1);
}
