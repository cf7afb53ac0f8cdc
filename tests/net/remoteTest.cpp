// Other players' units in the game world: created, placed, given velocities from the change
// between two updates, pruned, and moved on by dead reckoning.
#include <gtest/gtest.h>

#include "core/state.h"
#include "net/net.h"
#include "video/video.h"
#include "world/particle.h"
#include "world/unit.h"

namespace {

class Remote : public ::testing::Test {
  protected:
    void SetUp() override {
        unitClearAll();
        myPlayerId = 0;
        totalTime = 1000;
    }
};

TEST_F(Remote, VelocitiesComeFromTheChangeBetweenTwoUpdates) {
    unitApplyRemoteUpdate(2, 3, 1, 100, 200, -20, 90, 7);
    const Unit &u = units[0];
    EXPECT_EQ(u.type, 1);
    EXPECT_EQ(u.owner, 2);
    EXPECT_EQ(u.z, 0);
    EXPECT_EQ(u.velX, 0);
    EXPECT_EQ(u.lastPacket, 7u);

    totalTime += 100;
    unitApplyRemoteUpdate(2, 3, 1, 102, 201, -20, 100, 8);
    EXPECT_FLOAT_EQ(u.velX, 0.02f);
    EXPECT_FLOAT_EQ(u.velZ, -0.2f);
    EXPECT_EQ(u.x, 102);
    // An exhaust frame: puffs against the velocity from units above 0.001 on either axis.
    unitApplyRemoteUpdate(1, 0, 1, 0, 0, 0, 0, 1);
    unitApplyRemoteUpdate(1, 1, 1, 0, 0, 0, 0, 1);
    units[1].velX = 0.001f;
    units[2].velY = 0.0011f;
    videoQuality = 1;
    particleClearAll();
    unitTickAccumulator = 100;
    unitUpdateAll(10);
    EXPECT_FLOAT_EQ(u.x, 102.2f);
    EXPECT_FLOAT_EQ(u.y, 201.1f);
    EXPECT_FLOAT_EQ(u.z, -22);
    EXPECT_FLOAT_EQ(u.heading, 101);
    EXPECT_EQ(particles[0].vy, -u.velY);
    EXPECT_FLOAT_EQ(particles[0].z, -1572);
    EXPECT_EQ(particles[1].vy, -0.0011f);

    // From the last received values, not the dead-reckoned ones; 250 degrees apart, unwrapped.
    totalTime += 100;
    unitApplyRemoteUpdate(2, 3, 1, 102, 201, -20, 350, 9);
    EXPECT_EQ(u.velX + u.velY + u.velZ, 0);
    EXPECT_FLOAT_EQ(u.turnRate, 2.5f);
    EXPECT_EQ(u.heading, 350);
    totalTime += 100;
    unitApplyRemoteUpdate(2, 3, 1, 102, 200, -20, 370, 10);
    EXPECT_FLOAT_EQ(u.turnRate, 0.2f);
    unitApplyRemoteUpdate(2, 3, 1, 110, 200, -20, 370, 11); // the same frame: it stands
    EXPECT_EQ(u.velX, 0);
    EXPECT_EQ(u.turnRate, 0);
    EXPECT_EQ(u.x, 110);
}

TEST_F(Remote, PruneFreesWhatAnUpdateLeftOutAndOwnSlotIsIgnored) {
    unitSpawn(2, 0, 0, 0, 0, 3, 0); // own unit, serial 3
    unitApplyRemoteUpdate(1, 3, 2, 10, 0, 0, 0, 5);
    unitApplyRemoteUpdate(1, 4, 1, 20, 0, 0, 0, 5);
    unitApplyRemoteUpdate(2, 4, 1, 30, 0, 0, 0, 5);
    unitApplyRemoteUpdate(0, 3, 1, 99, 0, 0, 0, 6);
    unitPruneRemote(0, 6);
    EXPECT_EQ(units[0].x, 0);
    EXPECT_EQ(units[0].type, 2);

    unitApplyRemoteUpdate(1, 4, 1, 21, 0, 0, 0, 6);
    unitPruneRemote(1, 6);
    EXPECT_EQ(units[1].type, 0);
    EXPECT_EQ(units[2].type, 1);
    EXPECT_EQ(units[3].type, 1); // another owner
    unitApplyRemoteUpdate(1, 3, 2, 10, 0, 0, 0, 7); // named again: a new unit
    EXPECT_EQ(units[1].type, 2);
}

TEST_F(Remote, AFullTableUpdatesKnownUnitsOnly) {
    for (int i = 0; i < 64; i++)
        unitSpawn(1, 0, 0, 0, 1, i, 0);
    unitApplyRemoteUpdate(1, 200, 1, 5, 5, 0, 0, 3);
    unitApplyRemoteUpdate(1, 63, 1, 7, 0, 0, 0, 3);
    EXPECT_EQ(units[63].x, 7);
    for (const Unit &u : units)
        EXPECT_NE(u.serial, 200);
}

} // namespace
