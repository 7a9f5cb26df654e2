// Wormholes: their place and target, and the shader look-ups that may fail.
#include <gtest/gtest.h>

#include "glTestContext.h"
#include "scratchDirectory.h"
#include "shaderList.h"
#include "wormhole.h"

using WormholeTest = GlTest;

TEST_F(WormholeTest, KeepsItsPlaceAndTargetWithoutAProgram) {
    testing::internal::CaptureStdout();
    Wormhole hole(1, 10, -20, 300, 2, 5000, 6000, ShaderList());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error, can't access wormhole shader shader\n");
    EXPECT_EQ(hole.getShaderProgram(), 0);
    EXPECT_EQ(hole.getWorld(), 1);
    EXPECT_EQ(hole.getLocation().y, -20);
    EXPECT_EQ(hole.getRadius(), 300);
    EXPECT_EQ(hole.getTargetWorld(), 2);
    EXPECT_EQ(hole.getTarget().x, 5000);
}

TEST_F(WormholeTest, AMissingUniformIsReportedAndTheProgramKept) {
    ScratchDirectory dir;
    for (const char* file : {"wormhole.vs", "wormhole.fs"})
        dir.copyFromGame(file);
    ShaderList shaders;
    shaders.insertShader("wormhole");
    shaders.insertUniform("wormhole", "time", "time");
    testing::internal::CaptureStdout();
    Wormhole hole(0, 0, 0, 100, 0, 0, 0, shaders);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(hole.getShaderProgram(), 0);
    EXPECT_EQ(out.find("time uniform"), std::string::npos) << out;
    EXPECT_NE(out.find("Error, can't access radius uniform in wormhole shader shader"), std::string::npos) << out;
}
