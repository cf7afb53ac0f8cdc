// Other players' units in the game world: created, placed, given velocities from the change
// between two updates, pruned, and moved on by dead reckoning.
#include <gtest/gtest.h>

#include "core/state.h"
#include "net/net.h"
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
    unitApplyRemoteUpdate(2, 3, 1, 102, 200, -20, 90, 8);
    EXPECT_FLOAT_EQ(u.velX, 0.02f);
    EXPECT_FLOAT_EQ(u.velZ, -0.2f);
    EXPECT_EQ(u.velY, 0);
    EXPECT_EQ(u.x, 102);
    unitUpdateAll(10);
    EXPECT_FLOAT_EQ(u.x, 102.2f);
    EXPECT_FLOAT_EQ(u.z, -22);

    // No wrapping of the heading; a second update in the same frame stops the unit.
    totalTime += 100;
    unitApplyRemoteUpdate(2, 3, 1, 102, 200, -20, 350, 9);
    totalTime += 100;
    unitApplyRemoteUpdate(2, 3, 1, 102, 200, -20, 370, 10);
    EXPECT_FLOAT_EQ(u.turnRate, 0.2f);
    unitApplyRemoteUpdate(2, 3, 1, 110, 200, -20, 370, 11);
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
}

TEST_F(Remote, AFullTableUpdatesKnownUnitsOnly) {
    for (int i = 0; i < unitCount; i++)
        unitSpawn(1, 0, 0, 0, 1, i, 0);
    unitApplyRemoteUpdate(1, 200, 1, 5, 5, 0, 0, 3);
    unitApplyRemoteUpdate(1, 63, 1, 7, 0, 0, 0, 3);
    EXPECT_EQ(units[63].x, 7);
    for (const Unit &u : units)
        EXPECT_NE(u.serial, 200);
}

} // namespace
