// Equipment look-ups over the fallback records, and the "default" entries that change them.
#include <gtest/gtest.h>

#include <climits>

#include "capturedOutput.h"
#include "dataDirectory.h"
#include "universe.h"

namespace {

struct Loaded {
    std::string startOutput;
    std::unique_ptr<Universe> universe;
};

Loaded withEquipment(const std::string& sections) {
    DataDirectory dir;  // the Universe keeps the documents it read
    dir.data("EquipmentData.xml", sections);
    testing::internal::CaptureStdout();
    Loaded result{"", std::make_unique<Universe>()};
    result.startOutput = testing::internal::GetCapturedStdout();
    return result;
}

}  // namespace

TEST(UniverseEquipment, FallbackRecordsGiveUsableValuesTheDataMayLeaveOut) {
    Loaded loaded = withEquipment("");
    const Universe& u = *loaded.universe;
    EXPECT_GT(u.defaultEngine.revThrust, 0.0f);
    EXPECT_LT(u.defaultEngine.revThrust, u.defaultEngine.thrust);
    EXPECT_GT(u.defaultHull.size, 0.0f);
    EXPECT_GT(u.defaultGravTool.left.lifetime, 0);
    EXPECT_GT(u.defaultGravTool.right.lifetime, 0);
    EXPECT_EQ(u.defaultPlanetData.factionOwner, -1);  // owned by no faction
}

TEST(UniverseEquipment, DefaultEntriesOverlayOnlyWhatTheyGiveLaterOnesWinning) {
    Loaded loaded = withEquipment(
        "<engines><engine name=\"default\" thrust=\"0.002\"/></engines>"
        "<hulls><hull name=\"default\" hitpoints=\"250.9\"/><hull name=\"x\" size=\"3\"/>"
        "<hull name=\"default\" size=\"60\"/></hulls>"
        "<hulls><hull name=\"default\" mass=\"-2.5\"/></hulls>");
    const Universe& u = *loaded.universe;
    EXPECT_EQ(u.defaultEngine.name, "default");
    EXPECT_FLOAT_EQ(u.defaultEngine.thrust, 0.002f);
    EXPECT_FLOAT_EQ(u.defaultEngine.turnSpeed, 0.005f);
    EXPECT_EQ(u.defaultHull.name, "default");
    EXPECT_EQ(u.defaultHull.hitpoints, 250);
    EXPECT_FLOAT_EQ(u.defaultHull.size, 60.0f);
    EXPECT_FLOAT_EQ(u.defaultHull.mass, -2.5f);
    EXPECT_EQ(loaded.startOutput.find("Not a"), std::string::npos);
}

TEST(UniverseEquipment, WholeNumbersTruncateAndSaturate) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {{"-7.9", -7}, {"1e30", INT32_MAX}, {"-1e30", INT32_MIN},
                          {"nan", 0},   {"abc", 0},          {"12abc", 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Loaded loaded = withEquipment(std::string("<hulls><hull name=\"default\" hitpoints=\"") +
                                      c.text + "\"/></hulls>");
        EXPECT_EQ(loaded.universe->defaultHull.hitpoints, c.expected);
    }
}

TEST(UniverseEquipment, EngineAndHullLookUpsTakeTheFirstMatch) {
    Loaded loaded = withEquipment(
        "<engines><engine name=\"default\" revThrust=\"0.0004\"/>"
        "<engine name=\"Ion\" thrust=\"0.003\"/><engine name=\"Ion\" thrust=\"9\"/></engines>"
        "<hulls><hull name=\"Light\" hitpoints=\"300\" mass=\"abc\"/></hulls>"
        "<engines><engine name=\"Late\" turnSpeed=\"0.01\"/></engines>");
    Universe& u = *loaded.universe;
    engineData ion = u.getEngineData("Ion");
    EXPECT_EQ(ion.name, "Ion");
    EXPECT_FLOAT_EQ(ion.thrust, 0.003f);
    EXPECT_FLOAT_EQ(ion.revThrust, 0.0004f);  // from the "default" entry
    EXPECT_FLOAT_EQ(ion.turnSpeed, 0.005f);
    EXPECT_FLOAT_EQ(u.getEngineData("Late").turnSpeed, 0.01f);
    hullData light = u.getHullData("Light");
    EXPECT_EQ(light.hitpoints, 300);
    EXPECT_FLOAT_EQ(light.mass, 0.0f);  // present but not a number
    EXPECT_FLOAT_EQ(light.size, u.defaultHull.size);
}

TEST(UniverseEquipment, AnUnknownNameIsReportedAndGivesTheFallback) {
    Loaded loaded = withEquipment("<engines><engine name=\"Ion\"/></engines>");
    Universe& u = *loaded.universe;
    engineData engine;
    hullData hull;
    gravTool tool;
    std::string out = captured([&] {
        engine = u.getEngineData("Warp");
        hull = u.getHullData("");
        tool = u.getGravToolData("Nope");
    });
    EXPECT_EQ(out, "No match with Warp\nNo match with \nNo match with Nope\n");
    EXPECT_EQ(engine.name, "Default Engine");
    EXPECT_EQ(hull.name, "Default Hull");
    EXPECT_EQ(tool.name, "Default Grav Tool");
}

TEST(UniverseEquipment, GravToolPartsOverlayInDocumentOrder) {
    Loaded loaded = withEquipment(
        "<gravTools><gravTool name=\"Twin\" rechargeDelay=\"20.7\" charge=\"900\">"
        "<left name=\"Push\" spacing=\"30\" mass=\"-0.5\" lifetime=\"2000\"/>"
        "<other spacing=\"1\"/>"
        "<left mass=\"-0.8\" lifetime=\"2500.5\"/>"
        "<right name=\"Pull\" cost=\"4\"/></gravTool></gravTools>");
    gravTool tool = loaded.universe->getGravToolData("Twin");
    EXPECT_EQ(tool.rechargeDelay, 20);
    EXPECT_FLOAT_EQ(tool.rechargeSpeed, 1.0f);
    EXPECT_FLOAT_EQ(tool.charge, 900.0f);
    EXPECT_EQ(tool.left.name, "Push");
    EXPECT_EQ(tool.left.spacing, 30);
    EXPECT_FLOAT_EQ(tool.left.mass, -0.8f);
    EXPECT_EQ(tool.left.lifetime, 2500);
    EXPECT_EQ(tool.right.name, "Pull");
    EXPECT_FLOAT_EQ(tool.right.cost, 4.0f);
    EXPECT_FLOAT_EQ(tool.right.mass, 0.1f);
    EXPECT_EQ(tool.right.lifetime, loaded.universe->defaultGravTool.right.lifetime);
}

TEST(UniverseEquipment, WrongEntriesAreReportedAtStartAndOnEveryWalkPastThem) {
    Loaded loaded = withEquipment(
        "<hulls><hull name=\"H\"/><plate/></hulls>"
        "<engines><thruster/><engine name=\"A\"/></engines>"
        "<gravTools><tool/><gravTool name=\"G\"/><tool/></gravTools>");
    Universe& u = *loaded.universe;
    const std::string notEngine =
        "Not an engine (this is actually an error, there should be no non-engines in the engine "
        "section of equipment.xml)\n";
    const std::string notHullStart =
        "Not a hull (this is actually an error, there should be no non-hulls in the hull section of "
        "equipment.xml)\n";
    const std::string notHull =
        "Not an hull (this is actually an error, there should be no non-hulls in the hull section "
        "of equipment.xml)\n";
    const std::string notTool =
        "Not a grav tool (this is actually an error, there should be no non-GTs in the GT section "
        "of equipment.xml)\n";
    // Sections are walked in document order.
    EXPECT_NE(loaded.startOutput.find(notHullStart + notEngine), std::string::npos);
    EXPECT_EQ(loaded.startOutput.find("Not a grav tool"), std::string::npos);
    EXPECT_EQ(captured([&] { u.getEngineData("A"); }), notEngine);
    // The walk stops at the match, so a wrong entry after it is not reached.
    EXPECT_EQ(captured([&] { u.getHullData("H"); }), "");
    EXPECT_EQ(captured([&] { u.getHullData("Z"); }), notHull + "No match with Z\n");
    EXPECT_EQ(captured([&] { u.getGravToolData("G"); }), notTool);
}

TEST(UniverseEquipment, ARootlessEquipmentFileLeavesOnlyTheFallbacks) {
    DataDirectory dir;
    dir.write("EquipmentData.xml", "<gear><engines><engine name=\"default\" thrust=\"5\"/></engines></gear>");
    testing::internal::CaptureStdout();
    Universe u;
    engineData engine = u.getEngineData("default");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(u.loaded());
    EXPECT_FLOAT_EQ(engine.thrust, 0.001f);
    EXPECT_NE(out.find("No match with default"), std::string::npos);
}
