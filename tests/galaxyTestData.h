// A fixture that builds a Universe and its galaxy from data files written to a temporary directory.
#pragma once

#include <memory>
#include <string>

#include "dataDirectory.h"
#include "glTestContext.h"
#include "loadGalaxy.h"
#include "universe.h"

class GalaxyTest : public GlTest {
protected:
    // Adds one empty world to the empty catalogues.
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        dir.data("universe.xml", "<world name=\"Only\" size=\"1000\"/>");
    }
    void TearDown() override { universe.reset(); }

    // Constructs the Universe and runs the galaxy construction; log holds what it printed.
    bool build(lua_State* lua = nullptr) {
        testing::internal::CaptureStdout();
        universe = std::make_unique<Universe>();
        const bool built = initializeStars(*universe, lua);
        log = testing::internal::GetCapturedStdout();
        return built;
    }

    bool logged(const std::string& line) const { return log.find(line + "\n") != std::string::npos; }

    DataDirectory dir;
    std::unique_ptr<Universe> universe;
    std::string log;
};
