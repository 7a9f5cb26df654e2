#include <gtest/gtest.h>

#include "records.h"

TEST(Records, CopiesAreDeepAndIndependent) {
    projectileData shot;
    shot.trail.name = "glowTrail";
    projectileData copy = shot;
    shot.trail.name = "changed";
    EXPECT_EQ(copy.trail.name, "glowTrail");

    shipDataStruct type;
    type.weapons = {1, 2};
    type.trailName = "glowTrail";
    shipDataStruct other = type;
    type.weapons.push_back(3);
    type.trailName.clear();
    EXPECT_EQ(other.weapons.size(), 2u);
    EXPECT_EQ(other.trailName, "glowTrail");
}

TEST(Records, DefaultsLeaveNoFieldUnset) {
    planetData planet;
    EXPECT_EQ(planet.factionOwner, -1);
    EXPECT_EQ(planet.health, 0.0f);
    projectileData shot;
    EXPECT_EQ(shot.onHitFragment, -1);
    EXPECT_EQ(shot.onDeathFragment, -1);
}
