// AI ships: registration in place, type look-up, and save records read back.
#include <gtest/gtest.h>

#include "entityTestUniverse.h"
#include "ship.h"
#include "worldState.h"

namespace {

shipDataStruct cutterType() {
    shipDataStruct type;
    type.name = "Cutter";
    type.aiType = 4;
    type.texture = 12;
    type.thrust = 0.001f;
    type.hitpoints = 250;
    type.weapons = {0, 1};
    type.trailName = "glowTrail";
    type.trailLength = 500;
    type.size = 35;
    return type;
}

// A saved ship of the Cutter type with the AI mode and faction given.
std::string savedShip(const std::string& aiType, const std::string& faction, const std::string& children = "") {
    return R"(<shipData x="0" y="0" xSpd="0" ySpd="0" theta="0" aiType=")" + aiType + R"(" faction=")" + faction +
           R"(" hitpoints="1" shiptype="Cutter" goToX="0" goToY="0">)" + children + "</shipData>";
}

const char* FULL_RECORD =
    R"(<shipData x="120.5" y="-40" xSpd="0.25" ySpd="-0.5" theta="1.2" aiType="1" faction="2"
        hitpoints="77.5" shiptype="Cutter" goToX="900" goToY="-900">
        <personalRelations index0="100" index2="-100"/><gunCooling index1="1500" index0="20"/>
        <somethingElse index0="1"/></shipData>)";

}  // namespace

class ShipTest : public ::testing::Test {
protected:
    void SetUp() override {
        universe().shipTypes.push_back(cutterType());
        universe().worlds.emplace_back("First", 1000);
    }
    Universe& universe() { return *test.universe; }
    std::list<Ship>& ships() { return universe().worlds[0].ships; }

    EntityTestUniverse test;
};

TEST_F(ShipTest, ShipsBuiltInPlaceAreRegisteredAtTheirStoredAddress) {
    ships().emplace_back(point{50, 50}, "Cutter", 1, universe());
    ships().emplace_front(test.parse(FULL_RECORD), universe());
    EXPECT_EQ(ships().back().getID(), 0u);
    EXPECT_EQ(ships().front().getID(), 1u);
    EXPECT_EQ(universe().getShip(0), &ships().back());
    EXPECT_EQ(universe().getShip(1), &ships().front());

    // Later worlds must not move the ships of the first one.
    for (int i = 0; i < 20; i++) universe().worlds.emplace_back("Later", 10);
    EXPECT_EQ(universe().getShip(0), &universe().worlds[0].ships.back());
    EXPECT_EQ(universe().getShip(1), &universe().worlds[0].ships.front());
    EXPECT_EQ(universe().getShip(1)->getShipType(), "Cutter");
}

TEST_F(ShipTest, SpawningTakesTheTypeAndChecksTheFaction) {
    struct Case {
        const char* type;
        short faction;
        short expectedFaction;
        int expectedCode;
        const char* message;  // null: no faction complaint
    };
    const Case cases[] = {
        {"Cutter", 2, 2, 0, nullptr},
        {"Cutter", 3, 0, 0, "Bad faction 0"},
        {"Cutter", -1, 0, 0, "Bad faction 0"},
        {"Nothing", 1, 1, -1, "Error, bad ship name passed to ship constructor: Nothing"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        Ship& ship = ships().emplace_back(point{5, 6}, c.type, c.faction, universe());
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(ship.getFaction(), c.expectedFaction) << c.type << " " << c.faction;
        EXPECT_EQ(ship.getShipCode(), c.expectedCode) << c.type;
        if (c.message)
            EXPECT_NE(out.find(c.message), std::string::npos) << out;
        else
            EXPECT_EQ(out.find("Bad faction"), std::string::npos) << out;
        EXPECT_NE(out.find("Match? " + std::to_string(ship.getID())), std::string::npos) << out;
    }
    const Ship& cutter = ships().front();
    EXPECT_EQ(cutter.getAI(), 4);
    EXPECT_EQ(cutter.getHitpoints(), 250);
    EXPECT_EQ(cutter.getSize(), 35);
    EXPECT_EQ(cutter.getTexture(), 12u);
    EXPECT_EQ(cutter.getWeapons(), (std::vector<unsigned int>{0, 1}));
    EXPECT_TRUE(cutter.getGunCooling().empty());
    EXPECT_EQ(ships().back().getWeapons().size(), 0u);
    EXPECT_EQ(ships().back().getHitpoints(), 100) << "an unknown type flies as a type without attributes";
}

TEST_F(ShipTest, ARecordReadsBackFieldForFieldThroughSave) {
    Ship& loaded = ships().emplace_back(test.parse(FULL_RECORD), universe());
    EXPECT_FLOAT_EQ(loaded.getPos().x, 120.5f);
    EXPECT_FLOAT_EQ(loaded.getVelocity().y, -0.5f);
    EXPECT_FLOAT_EQ(loaded.getTheta(), 1.2f);
    EXPECT_EQ(loaded.getAI(), 1);
    EXPECT_EQ(loaded.getFaction(), 2);
    EXPECT_FLOAT_EQ(loaded.getHitpoints(), 77.5f);  // the record's, not the type's
    EXPECT_FLOAT_EQ(loaded.getDestinationPoint().x, 900);
    EXPECT_EQ(loaded.getPersonalRelations(), (std::vector<int16_t>{100, 0, -100}));
    EXPECT_EQ(loaded.getGunCooling(), (std::vector<unsigned int>{20, 1500}));
    EXPECT_EQ(loaded.getSize(), 35);  // from the type

    Ship& again = ships().emplace_back(test.saveAndReparse(loaded, "shipData"), universe());
    EXPECT_EQ(again.getPos().x, loaded.getPos().x);
    EXPECT_EQ(again.getPos().y, loaded.getPos().y);
    EXPECT_EQ(again.getVelocity().x, loaded.getVelocity().x);
    EXPECT_EQ(again.getVelocity().y, loaded.getVelocity().y);
    EXPECT_EQ(again.getTheta(), loaded.getTheta());
    EXPECT_EQ(again.getAI(), loaded.getAI());
    EXPECT_EQ(again.getFaction(), loaded.getFaction());
    EXPECT_EQ(again.getHitpoints(), loaded.getHitpoints());
    EXPECT_EQ(again.getShipType(), loaded.getShipType());
    EXPECT_EQ(again.getDestinationPoint().x, loaded.getDestinationPoint().x);
    EXPECT_EQ(again.getDestinationPoint().y, loaded.getDestinationPoint().y);
    EXPECT_EQ(again.getPersonalRelations(), loaded.getPersonalRelations());
    EXPECT_EQ(again.getGunCooling(), loaded.getGunCooling());
    EXPECT_NE(again.getID(), loaded.getID());
}

TEST_F(ShipTest, HostileRecordsLoadWithSaneValues) {
    struct Case {
        std::string record;
        int ai;
        short faction;
        std::size_t cooling;
        const char* message;
    };
    const Case cases[] = {
        {savedShip("6", "7"), 4, 0, 0, "Bad faction 0"},
        {savedShip("7", "-2"), 4, 0, 0, "Bad faction 0"},
        {savedShip("1e30", "65537"), 2147483647, 0, 0, "Bad faction 0"},
        {savedShip("2", "1", R"(<gunCooling ind="5" index99999999="5" index2="8"/>)"), 2, 1, 3,
         "bad saved slot index99999999"},
        {R"(<shipData shiptype="Cutter"/>)", 0, 0, 0, "Error, XML value aiType not present, and is required"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        Ship& ship = ships().emplace_back(test.parse(c.record), universe());
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(ship.getAI(), c.ai) << c.record;
        EXPECT_EQ(ship.getFaction(), c.faction) << c.record;
        EXPECT_EQ(ship.getGunCooling().size(), c.cooling) << c.record;
        EXPECT_NE(out.find(c.message), std::string::npos) << out;
    }
}

TEST_F(ShipTest, DamageAndPullsAccumulate) {
    Ship& ship = ships().emplace_back(point{0, 0}, "Cutter", 1, universe());
    EXPECT_TRUE(ship.takeDamage(200));
    EXPECT_FALSE(ship.takeDamage(50, 2, universe()));
    ship.addGravNonCollidable({1, 2});
    ship.addGravNonCollidable({1, 2});
    EXPECT_EQ(ship.getVelocity().x, 2);
    EXPECT_EQ(ship.getVelocity().y, 4);
    ship.calcTheta({0, 1});
    EXPECT_NEAR(ship.getTheta(), 1.5707963f - 1.57f, 1e-6);
}
