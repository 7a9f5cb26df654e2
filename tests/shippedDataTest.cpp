// The data set the game ships with: complete, consistent and playable under the game's formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include <rapidxml/rapidxml.hpp>

#include "basicsXml.h"
#include "planet.h"
#include "playerGame.h"
#include "star.h"
#include "wormhole.h"

namespace {

using Node = rapidxml::xml_node<char>;

template <class Visit>
void forEach(Node* parent, const char* name, Visit visit) {
    for (Node* child = parent->first_node(name); child; child = child->next_sibling(name)) visit(child);
}

// The shipped galaxy and player, built as start-up builds them.
class ShippedData : public PlayerGame {};

// The reach of a body's pull: ten radii times the density written in the file.
float pullRange(float radius, float storedDensity) { return radius * 10.0f * storedDensity / 1e-6f; }

}  // namespace

TEST_F(ShippedData, BuildsWithoutAnyErrorLine) {
    EXPECT_TRUE(universe->loaded());
    EXPECT_EQ(startLog.find("rror"), std::string::npos) << startLog;
    for (const dynamicTexturesData& texture : universe->dynamicTextures)
        EXPECT_NE(texture.id, 0u) << texture.name << " is missing from the run directory";
}

TEST_F(ShippedData, WorldsAreJoinedBothWaysAndArrivalsAreClearOfWormholes) {
    const auto& worlds = universe->worlds;
    ASSERT_GE(worlds.size(), 3u);
    EXPECT_GE(worlds[0].stars.size(), 2u);
    std::set<std::pair<int, int>> links;
    for (size_t w = 0; w < worlds.size(); ++w)
        for (const Wormhole& hole : worlds[w].wormholes) {
            ASSERT_GE(hole.getTargetWorld(), 0);
            ASSERT_LT(size_t(hole.getTargetWorld()), worlds.size());
            links.insert({int(w), hole.getTargetWorld()});
            for (const Wormhole& there : worlds[size_t(hole.getTargetWorld())].wormholes)
                EXPECT_GT(pointDistance(hole.getTarget(), there.getLocation()), 2 * there.getRadius());
        }
    for (size_t w = 0; w < worlds.size(); ++w) {
        bool reached = false;
        for (const auto& link : links) reached |= link.second == int(w);
        EXPECT_TRUE(reached) << "world " << w;
    }
    for (const auto& link : links) EXPECT_TRUE(links.count({link.second, link.first})) << link.first;
}

TEST_F(ShippedData, PlanetsCanBeLandedOnAndLeft) {
    float weakestThrust = 1.0f;
    forEach(universe->equipmentRoot->first_node("engines"), "engine",
            [&](Node* e) { weakestThrust = std::min(weakestThrust, getValF(e, "thrust")); });
    int count = 0, owned = 0, unowned = 0, guarded = 0, described = 0, trading = 0;
    forEach(universe->universeRoot, "world", [&](Node* world) {
        forEach(world, "star", [&](Node* star) {
            const float starRange = 10.0f * getValF(star, "radius") * getValF(star, "density");
            forEach(star, "planet", [&](Node* p) {
                const std::string name = getVal(p, "name");
                const float radius = getValF(p, "radius"), density = getValF(p, "density");
                const float orbitSpeed = getValF(p, "orbitRadius") * getValF(p, "orbitSpeed") * 3.14f / 180.0f;
                EXPECT_LT(orbitSpeed, 0.6f) << name;
                EXPECT_LT(4.1866667f * radius * density * 1e-6f, weakestThrust) << name << " holds ships down";
                EXPECT_GT(getValF(p, "orbitRadius") - 10.0f * radius * density, starRange) << name;
                EXPECT_GT(getValF(p, "health"), 0.0f) << name;
                ++count;
                (checkVal(p, "factionOwner") ? owned : unowned)++;
                guarded += getValF(p, "satelliteNum") > 0;
                described += p->first_node("extraData") != nullptr;
                trading += p->first_node("tradeGood") && p->first_node("equipment");
            });
        });
    });
    EXPECT_GE(count, 10);
    EXPECT_GE(unowned, 2);
    EXPECT_GE(guarded, 3);
    EXPECT_GE(described, 3);
    EXPECT_GE(trading, 3);
    std::set<int> owners;
    for (const WorldState& world : universe->worlds)
        for (const Star& star : world.stars)
            for (const Planet& planet : star.getPlanets()) owners.insert(planet.getPlanetData().factionOwner);
    for (size_t f = 0; f < universe->factionNames.size(); ++f) EXPECT_TRUE(owners.count(int(f))) << f;
}

TEST_F(ShippedData, ThePlayerStartsFarFromEveryStar) {
    for (const Star& star : universe->worlds[0].stars)
        EXPECT_GT(pointDistance(player().getPos(), star.getPos()),
                  2 * pullRange(star.getRadius(), star.getDensity()))
            << star.getName();
    EXPECT_GT(pointDistance(player().getPos(), {50, 50}), 5000.0f) << "the start-up ship begins at (50, 50)";
    EXPECT_EQ(universe->currentWorld, &universe->worlds[0]);
}

TEST_F(ShippedData, FactionsHaveEveryKindOfOneWayRelation) {
    const auto& m = universe->factionRelations;
    ASSERT_GE(m.size(), 4u);
    std::set<int> kinds;
    bool asymmetric = false;
    for (size_t a = 0; a < m.size(); ++a)
        for (size_t b = 0; b < m.size(); ++b)
            if (a != b) {
                kinds.insert(m[a][b]);
                asymmetric |= m[a][b] != m[b][a];
            }
    EXPECT_EQ(kinds, (std::set<int>{-100, 0, 100}));
    EXPECT_TRUE(asymmetric);
    EXPECT_EQ(m[1][0], -100) << "the start-up raider's side is hostile to the player's";
}

TEST_F(ShippedData, ProjectileTypesCoverEveryBehaviour) {
    ASSERT_GE(WEAPONDATA.size(), 8u);
    EXPECT_LT(WEAPONDATA[1].damage, 1.0f) << "the beam's damage is per millisecond";
    EXPECT_LT(WEAPONDATA[2].damage, 1.0f) << "type 2's damage is every shockwave's damage per millisecond";
    bool homing = false, spread = false, fragments = false, shockwave = false, drill = false;
    for (size_t i = 0; i < WEAPONDATA.size(); ++i) {
        const projectileData& p = WEAPONDATA[i];
        EXPECT_NE(p.onHitFragment, int(i)) << p.name;
        EXPECT_NE(p.onDeathFragment, int(i)) << p.name;
        if (p.name == "Planet Drill") {
            drill = true;
            continue;
        }
        if (i != 1) {
            EXPECT_GE(p.speed, 0.9f) << p.name;
            EXPECT_LE(p.speed, 3.0f) << p.name;
        }
        homing |= p.homingRange > 0;
        spread |= p.numProjectiles > 1 && p.spread > 0;
        fragments |= p.onHitFragment >= 0 && p.onDeathFragment >= 0;
        shockwave |= p.onHitEffect == 1 || p.onDeathEffect == 1;
    }
    EXPECT_TRUE(homing && spread && fragments && shockwave && drill);
}

TEST_F(ShippedData, ShipTypesGlowAndFightInDifferentWays) {
    ASSERT_GE(universe->shipTypes.size(), 4u);
    std::set<int> modes;
    for (const shipDataStruct& type : universe->shipTypes) {
        EXPECT_EQ(type.trailName, "glowTrail") << type.name;
        EXPECT_FALSE(type.weapons.empty()) << type.name;
        EXPECT_GT(type.thrust, 0.0f) << type.name;
        EXPECT_LT(type.thrust, 0.005f) << type.name;
        modes.insert(type.aiType);
    }
    EXPECT_GE(modes.size(), 4u);
    size_t seeded = 0;
    for (const WorldState& world : universe->worlds) seeded += world.ships.size();
    EXPECT_GE(seeded, 3u);
}

TEST_F(ShippedData, EquipmentFillsEveryFallbackField) {
    EXPECT_EQ(universe->defaultEngine.name, "default");
    EXPECT_GT(universe->defaultEngine.revThrust, 0.0f);
    EXPECT_EQ(universe->defaultHull.name, "default");
    EXPECT_GT(universe->defaultHull.size, 0.0f);
    int tools = 0;
    forEach(universe->equipmentRoot->first_node("gravTools"), "gravTool", [&](Node* node) {
        const gravTool tool = universe->getGravToolData(getVal(node, "name"));
        EXPECT_GT(tool.left.lifetime, 0) << tool.name;
        EXPECT_GT(tool.right.lifetime, 0) << tool.name;
        EXPECT_LT(tool.left.mass, 0.0f) << tool.name;
        EXPECT_GT(tool.right.mass, 0.0f) << tool.name;
        EXPECT_GE(tool.rechargeSpeed, 1.0f) << tool.name << " must recharge within a 1 ms frame";
        ++tools;
    });
    EXPECT_GE(tools, 2);
    EXPECT_GE(universe->satelliteTypes.size(), 2u);
}

TEST_F(ShippedData, EveryShaderUserFindsItsUniforms) {
    const std::map<std::string, std::vector<std::string>> wanted = {
        {"glowTrail", {}},
        {"smokeTrail",
         {"velocity", "size", "particleSize", "spinSpeed", "time", "position", "rand", "lifetime", "smoke", "color"}},
        {"flameExhaust", {"thrust", "time"}},
        {"wormhole", {"time", "radius"}}};
    for (const auto& [shader, keys] : wanted) {
        int program = 0;
        ASSERT_TRUE(universe->shaderList.getShader(shader, program)) << shader;
        for (const std::string& key : keys) {
            int location = -2;
            EXPECT_TRUE(universe->shaderList.getUniform(program, key, location)) << shader << " " << key;
        }
    }
}
