// A fixture that builds a Universe and its galaxy from data files written to a temporary directory.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include "glTestContext.h"
#include "loadGalaxy.h"
#include "universe.h"

class GalaxyTest : public GlTest {
protected:
    // Enters a fresh directory holding one empty world and empty catalogues.
    void SetUp() override {
        GlTest::SetUp();
        char pattern[] = "/tmp/tuvaroGalaxyXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        for (const auto& [file, root] : roots()) write(file, "<" + root + "></" + root + ">");
        write("universe.xml", "<universe><world name=\"Only\" size=\"1000\"/></universe>");
    }
    void TearDown() override {
        universe.reset();
        if (!previous.empty()) std::filesystem::current_path(previous);
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }

    void write(const std::string& file, const std::string& text) const {
        std::ofstream(dir / file, std::ios::binary) << text;
    }
    // Writes a data file whose root element wraps body.
    void data(const std::string& file, const std::string& body) const {
        const std::string root = roots().at(file);
        write(file, "<" + root + ">" + body + "</" + root + ">");
    }

    // Constructs the Universe and runs the galaxy construction; log holds what it printed.
    bool build(lua_State* lua = nullptr) {
        testing::internal::CaptureStdout();
        universe = std::make_unique<Universe>();
        const bool built = initializeStars(*universe, lua);
        log = testing::internal::GetCapturedStdout();
        return built;
    }

    bool logged(const std::string& line) const { return log.find(line + "\n") != std::string::npos; }

    static const std::map<std::string, std::string>& roots() {
        static const std::map<std::string, std::string> table = {
            {"universe.xml", "universe"},       {"projectiles.xml", "projectiles"},
            {"shaders.xml", "shaders"},         {"relations.xml", "relations"},
            {"shipData.xml", "ships"},          {"PlayerData.xml", "player"},
            {"EquipmentData.xml", "equipment"}, {"SatelliteData.xml", "satellites"},
        };
        return table;
    }

    std::unique_ptr<Universe> universe;
    std::string log;
    std::filesystem::path dir;

private:
    std::filesystem::path previous;
};
