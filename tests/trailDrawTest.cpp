// Drawing trails on the real GL context: with the game's shaders, and with broken ones.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/glu.h>

#include <filesystem>
#include <vector>

#include "defaultVals.h"
#include "glTestContext.h"
#include "glowTrail.h"
#include "scratchDirectory.h"
#include "shaderList.h"
#include "smokeTrail.h"
#include "viewCulling.h"

namespace {

// Pixels are world units with the origin at the bottom left, as the game's 2-D passes.
class TrailDraw : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        home = std::filesystem::current_path();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, w, 0, h);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        clearGlErrors();
    }
    void TearDown() override {
        std::filesystem::current_path(home);
        if (white) glDeleteTextures(1, &white);
    }

    // Builds the shader list the way the galaxy does, from the sources in dir.
    void buildShaders(const std::filesystem::path& dir) {
        std::filesystem::current_path(dir);
        testing::internal::CaptureStdout();
        shaders.insertShader("glowTrail");
        shaders.insertShader("smokeTrail");
        for (const char* key : {"velocity", "size", "particleSize", "spinSpeed", "time", "position", "rand",
                                "lifetime", "smoke", "color"})
            shaders.insertUniform("smokeTrail", key, key);
        buildLog = testing::internal::GetCapturedStdout();
        clearGlErrors();  // a broken program's uniform look-ups leave one
    }
    // A glow trail swept from (200, 500) to the right.
    GlowTrail sweptGlow() {
        testing::internal::CaptureStdout();
        GlowTrail trail(10, {200, 500}, 20, 10, 1, 1, 1, shaders);
        constructionLog = testing::internal::GetCapturedStdout();
        for (int i = 1; i <= 10; ++i) trail.update({200.0f + 40 * i, 500}, 20);
        return trail;
    }
    SmokeTrail puffedSmoke() {
        testing::internal::CaptureStdout();
        white = whiteTexture();  // stands in for the smoke and colour-ramp images
        const int texture = static_cast<int>(white);
        SmokeTrail trail(20, {640, 512}, 15, 10, 0, 1, 1, 50, 23, 0.0006f, texture, texture, shaders);
        constructionLog = testing::internal::GetCapturedStdout();
        for (int i = 0; i < 20; ++i) trail.update({640, 512.0f + i}, 15, {0, 0.1f}, 10);
        return trail;
    }

    std::filesystem::path home;
    ShaderList shaders;
    std::string buildLog, constructionLog;
    GLuint white = 0;
};

}  // namespace

TEST_F(TrailDraw, ProgramsThatFailToLinkDrawNothing) {
    ScratchDirectory dir;
    for (const char* name : {"glowTrail", "smokeTrail"}) {
        dir.write(std::string(name) + ".vs", "#version 120\nvoid main() { this is not glsl }\n");
        dir.write(std::string(name) + ".fs", "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n");
    }
    buildShaders(dir.path);

    GlowTrail glow = sweptGlow();
    EXPECT_EQ(glow.getProgram(), 0);
    EXPECT_EQ(constructionLog, "Error, can't access glow trail shader\n");
    glow.draw({700, 500});
    SmokeTrail smoke = puffedSmoke();
    EXPECT_EQ(smoke.getProgram(), 0);
    smoke.draw({0, 0});

    EXPECT_EQ(litPixels(), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TrailDraw, TheGamesShadersDrawBothTrailsAndRestoreTheState) {
    buildShaders(TUVARO_GAME_DIR);
    GlowTrail glow = sweptGlow();
    EXPECT_NE(glow.getProgram(), 0) << buildLog;
    EXPECT_EQ(constructionLog, "");
    glow.draw({700, 500});
    EXPECT_GT(litPixels(), 0);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glClear(GL_COLOR_BUFFER_BIT);
    SmokeTrail smoke = puffedSmoke();
    EXPECT_NE(smoke.getProgram(), 0);
    EXPECT_EQ(constructionLog, "");  // every uniform found
    testing::internal::CaptureStdout();
    smoke.draw({0, 0});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // no GL error reported
    EXPECT_GT(litPixels(), 0);
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);  // back to the additive default
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
}

TEST_F(TrailDraw, AHiddenTrailDrawsNothing) {
    buildShaders(TUVARO_GAME_DIR);
    SmokeTrail smoke = puffedSmoke();
    smoke.setVisibility(false);
    for (int i = 0; i < 21; ++i) smoke.update({640, 512}, 15, {0, 0}, 10);  // every slot now hidden
    smoke.draw({0, 0});
    EXPECT_EQ(litPixels(), 0);
}

// The program spreads the ribbon 1.6 widths aside: a trail that close beyond the window's top still
// shows; one further out is skipped, and leaves the colour that drawing it would have left, also
// when its newest segments are hidden.
TEST_F(TrailDraw, AGlowTrailBeyondTheWindowIsSkippedOnlyWhenNoneOfItCanShow) {
    buildShaders(TUVARO_GAME_DIR);
    const struct {
        float beyond;
        int hidden;
    } cases[] = {{10, 0}, {40, 0}, {40, 3}};
    for (const auto& c : cases) {
        const float y = float(h) + c.beyond;
        testing::internal::CaptureStdout();
        GlowTrail trail(10, {200, y}, 20, 10, 0.5f, 1, 1, shaders);
        testing::internal::GetCapturedStdout();
        for (int i = 1; i <= 10; ++i) {
            trail.setVisibility(i <= 10 - c.hidden);
            trail.update({200.0f + 40 * i, y}, 20);
        }
        int lit[2];
        float colour[2][4];
        for (int culling = 0; culling < 2; culling++) {
            enableViewCulling(culling == 1);
            glClear(GL_COLOR_BUFFER_BIT);
            glColor4f(0, 0, 0, 0);
            {
                const ViewCulling view;
                trail.draw({700, y});
            }
            lit[culling] = litPixels();
            glGetFloatv(GL_CURRENT_COLOR, colour[culling]);
        }
        EXPECT_EQ(lit[1], lit[0]) << c.beyond;
        EXPECT_EQ(lit[0] > 0, c.beyond < 16) << c.beyond;
        EXPECT_EQ(std::vector<float>(colour[1], colour[1] + 4), std::vector<float>(colour[0], colour[0] + 4))
            << c.hidden << " hidden";
    }
}
