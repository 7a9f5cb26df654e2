// The Universe's data files: every file loads, and a broken one gives one clear line and a failed load.
#include <gtest/gtest.h>

#include <sstream>

#include "dataDirectory.h"
#include "nestedXml.h"
#include "universe.h"
#include "universeDocument.h"

namespace {

int countLines(const std::string& text, const std::string& piece) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.find(piece) != std::string::npos)
            ++count;
    return count;
}

std::string constructAndCapture(bool& loaded) {
    testing::internal::CaptureStdout();
    Universe universe;
    loaded = universe.loaded();
    // A broken universe still answers look-ups with its fallbacks.
    EXPECT_EQ(universe.getEngineData("anything").name, "Default Engine");
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(UniverseDocuments, AllFilesLoadWithTheirRootsAndNoError) {
    DataDirectory dir;
    dir.write("universe.xml", "<universe><world name=\"A\"/></universe>");
    testing::internal::CaptureStdout();
    Universe universe;
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(universe.loaded());
    EXPECT_EQ(countLines(out, "Error"), 0) << out;
    EXPECT_LT(out.find("Loading universe XML files"), out.find("Completed loading universe XML files"));
    ASSERT_NE(universe.universeRoot, nullptr);
    EXPECT_STREQ(universe.universeRoot->first_node()->name(), "world");
    for (auto* root : {universe.projectilesRoot, universe.shadersRoot, universe.relationsRoot,
                       universe.shipsRoot, universe.playerRoot, universe.equipmentRoot,
                       universe.satellitesRoot})
        EXPECT_NE(root, nullptr);
    EXPECT_STREQ(universe.satellitesRoot->name(), "satellites");
}

TEST(UniverseDocuments, EachBrokenFileGivesOneLineNamingItAndFailsTheLoad) {
    struct Case {
        const char* what;
        bool remove;
        std::string text;
        std::string reason;
    };
    for (const auto& [file, root] : DataDirectory::roots()) {
        const Case cases[] = {
            {"missing", true, "", "cannot open file"},
            {"malformed", false, "<" + root + "><a x=></" + root + ">", "does not parse"},
            {"root-less", false, "<somethingElse/>", "has no root element " + root},
            {"wrong case", false, "<" + root + "X/><Universe/>", "has no root element"},
            {"empty", false, "", "has no root element"},
            {"nested too deep", false, "<" + root + ">" + nestedElements(STACK_BREAKING_DEPTH), "nest deeper than"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(file + " " + c.what);
            DataDirectory dir;
            if (c.remove)
                dir.remove(file);
            else
                dir.write(file, c.text);
            bool loaded = true;
            std::string out = constructAndCapture(loaded);
            EXPECT_FALSE(loaded);
            EXPECT_EQ(countLines(out, "Error"), 1) << out;
            EXPECT_EQ(countLines(out, file), 1) << out;
            EXPECT_EQ(countLines(out, c.reason), 1) << out;
        }
    }
}

TEST(UniverseDocuments, AParseErrorNamesTheParsersReasonAndOffset) {
    DataDirectory dir;
    dir.write("shaders.xml", "<shaders><a x=></shaders>");
    bool loaded = true;
    std::string out = constructAndCapture(loaded);
    EXPECT_NE(out.find("Error, shaders.xml does not parse: expected ' or \" at offset 14"),
              std::string::npos)
        << out;
}

TEST(UniverseDocuments, NestingUpToTheBoundParsesAndOneLevelMoreIsRefused) {
    DataDirectory dir;
    for (size_t depth : {MAX_ELEMENT_NESTING, MAX_ELEMENT_NESTING + 1}) {
        dir.write("SatelliteData.xml", "<satellites>" + nestedElements(depth - 1, true) + "</satellites>");
        bool loaded = true;
        std::string out = constructAndCapture(loaded);
        EXPECT_EQ(loaded, depth == MAX_ELEMENT_NESTING) << out;
        EXPECT_EQ(countLines(out, "Error, SatelliteData.xml does not parse: its elements nest deeper than"),
                  depth == MAX_ELEMENT_NESTING ? 0 : 1)
            << out;
    }
}

TEST(UniverseDocuments, TwoBrokenFilesAreEachReportedOnce) {
    DataDirectory dir;
    dir.remove("projectiles.xml");
    dir.write("relations.xml", "<relations>");
    bool loaded = true;
    std::string out = constructAndCapture(loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(countLines(out, "Error"), 2) << out;
    EXPECT_LT(out.find("projectiles.xml"), out.find("relations.xml"));
}

TEST(UniverseDocuments, ADirectoryInPlaceOfAFileCannotBeOpened) {
    DataDirectory dir;
    dir.remove("PlayerData.xml");
    std::filesystem::create_directory(dir.path / "PlayerData.xml");
    bool loaded = true;
    std::string out = constructAndCapture(loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(countLines(out, "Error, cannot open file PlayerData.xml"), 1) << out;
}
