// Data records: the defaults that mean "none" rather than the first entry of a table.
#include <gtest/gtest.h>

#include "records.h"

TEST(Records, DefaultsMeanNoOwnerAndNoFragment) {
    planetData planet;
    EXPECT_EQ(planet.factionOwner, -1);
    EXPECT_EQ(planet.health, 0.0f);
    projectileData shot;
    EXPECT_EQ(shot.onHitFragment, -1);
    EXPECT_EQ(shot.onDeathFragment, -1);
}
