// Drawing the player and its walls on the real GL context: the ship, the flame, the charge bar.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GravityWall.h"
#include "defaultVals.h"
#include "entityTestUniverse.h"
#include "glTestContext.h"
#include "player.h"
#include "textures.h"
#include "worldState.h"

namespace {

// The window-space vertices of everything drawn by draw, caught in feedback mode.
std::vector<point> feedbackVertices(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<point> vertices;
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        GLint count = 0;
        if (token == GL_POLYGON_TOKEN)
            count = static_cast<GLint>(buffer[i++]);
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            count = 2;
        else if (token == GL_POINT_TOKEN)
            count = 1;
        for (GLint v = 0; v < count; v++, i += 2) vertices.push_back({buffer[i], buffer[i + 1]});
    }
    return vertices;
}

// Sets the interface projection of the frame loop: 0 to 100 on both axes.
void interfaceProjection() {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 100, 0, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// A world view 1000 units wide around the origin.
void worldProjection() {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-500, 500, -500.0 * h / w, 500.0 * h / w);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

class PlayerDrawTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        test.universe->worlds.emplace_back("Home", 10);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        clearGlErrors();
    }
    void TearDown() override { glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); }

    std::unique_ptr<Player> build(const gravTool& tool, EntityTestUniverse& in) {
        Universe& u = *in.universe;
        testing::internal::CaptureStdout();
        auto made = std::make_unique<Player>(point{0, 0}, 0.002f, 0.001f, 0.004f, 800, 30, u.shaderList,
                                             std::vector<unsigned int>{0}, tool, "Ion", "Plate", u);
        lastBuildOutput = testing::internal::GetCapturedStdout();
        return made;
    }
    std::unique_ptr<Player> build(const gravTool& tool) { return build(tool, test); }
    std::unique_ptr<Player> build() { return build(test.universe->getGravToolData("Well")); }

    // The shipped flame program, or one whose fragment source does not compile, in in's shaders.
    static void flameProgram(bool broken, EntityTestUniverse& in) {
        in.dir.copyFromGame("flameExhaust.vs");
        if (broken)
            in.dir.write("flameExhaust.fs", "void main() { gl_FragColor = undeclared; }");
        else
            in.dir.copyFromGame("flameExhaust.fs");
        testing::internal::CaptureStdout();
        in.universe->shaderList.insertShader("flameExhaust");
        in.universe->shaderList.insertUniform("flameExhaust", "thrust", "thrust");
        in.universe->shaderList.insertUniform("flameExhaust", "time", "time");
        testing::internal::GetCapturedStdout();
        clearGlErrors();
    }

    // Drains the GL error queue, failing the test for each error found.
    static void expectNoGlError(const std::string& what) {
        for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
            ADD_FAILURE() << what << ": GL error " << error;
    }

    EntityTestUniverse test;
    std::string lastBuildOutput;
};

TEST_F(PlayerDrawTest, TheShipIsASquareOfItsSizeTurnedToItsHeading) {
    auto player = build();
    player->x = 100;
    player->setAngle(0.7853982f);  // nose up and to the right
    worldProjection();
    const std::vector<point> corners = feedbackVertices([&] { player->draw(); });
    expectNoGlError("draw");
    ASSERT_FALSE(corners.empty());
    const float unitsPerPixel = 1000.0f / w;
    float top = 0;
    for (point c : corners) top = std::max(top, c.y * unitsPerPixel - 500.0f * h / w);
    EXPECT_NEAR(top, 30 * std::sqrt(2.0f), 0.5f);  // a corner, not an edge, points up
}

TEST_F(PlayerDrawTest, TheFlameDrawsOnlyWithAProgramThatLinked) {
    struct Case {
        bool present, broken;
        const char* message;  // printed while the ship is built
        bool lit;
    };
    const Case cases[] = {
        {false, false, "Error, can't access flame shader", false},
        {true, true, "", false},
        {true, false, "", true},
    };
    const std::vector<unsigned int> savedTextures = textures;
    GLuint white = whiteTexture();
    textures.assign(24, white);
    for (const Case& c : cases) {
        EntityTestUniverse own;
        if (c.present) flameProgram(c.broken, own);
        auto player = build(test.universe->getGravToolData("Well"), own);
        EXPECT_EQ(lastBuildOutput.find("flame") != std::string::npos, *c.message != 0) << lastBuildOutput;
        EXPECT_NE(lastBuildOutput.find(c.message), std::string::npos) << lastBuildOutput;
        worldProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        testing::internal::CaptureStdout();
        player->drawTrail(1500, *own.universe);
        const std::string out = testing::internal::GetCapturedStdout();
        expectNoGlError(c.message);
        EXPECT_EQ(out, "") << c.present << c.broken;
        EXPECT_EQ(litPixels() > 0, c.lit) << c.present << c.broken;
        GLint program = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        EXPECT_EQ(program, 0);
    }
    textures = savedTextures;
    glDeleteTextures(1, &white);
}

TEST_F(PlayerDrawTest, TheChargeBarFollowsTheChargeAndStaysFiniteWithoutOne) {
    struct Case {
        float charge;
        int drain;  // ms of laying with the left part (cost 1 per ms)
        float top;
    };
    const Case cases[] = {{300, 0, 18.75f}, {300, 150, 10.385f}, {0, 0, 2.02f}};
    for (const Case& c : cases) {
        gravTool tool = test.universe->getGravToolData("Well");
        tool.charge = c.charge;
        auto player = build(tool);
        testing::internal::CaptureStdout();
        if (c.drain) player->update(c.drain, {0, 0}, 1, test.universe->worlds[0]);
        testing::internal::GetCapturedStdout();

        interfaceProjection();
        glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);  // a bar of no height still hands back its corners
        const std::vector<point> corners = feedbackVertices([&] { player->drawUI(); });
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        expectNoGlError("drawUI");
        ASSERT_EQ(corners.size(), 4u) << c.charge;
        float low = 1e9f, high = -1e9f;
        for (point p : corners) {
            ASSERT_FALSE(std::isnan(p.x) || std::isnan(p.y)) << c.charge;
            low = std::min(low, p.y * 100 / h);
            high = std::max(high, p.y * 100 / h);
        }
        EXPECT_NEAR(low, 2.02f, 0.01f) << c.charge;
        EXPECT_NEAR(high, c.top, 0.01f) << c.charge;
    }
}

TEST_F(PlayerDrawTest, AWallDrawsItsLiveWellsRedWhenPullingAndBlueOtherwise) {
    struct Case {
        float mass;
        bool red;
    };
    const Case cases[] = {{0.3f, true}, {0, false}, {-0.2f, false}};
    for (const Case& c : cases) {
        gravToolPart tool;
        tool.mass = c.mass;
        tool.lifetime = 50;
        testing::internal::CaptureStdout();
        GravityWall wall(0, {0, 0}, tool, 4);
        testing::internal::GetCapturedStdout();
        wall.update(60, *test.universe);  // the first well is spent by the next update
        wall.addWell({100, 0});
        wall.addWell({100, 100});
        wall.update(10, *test.universe);
        worldProjection();
        const std::vector<point> ends = feedbackVertices([&] { wall.draw(); });
        expectNoGlError("wall");
        EXPECT_EQ(ends.size(), 2u) << c.mass;  // one segment between the two live wells
        GLfloat colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_FLOAT_EQ(colour[0], c.red ? 1 : 0.1f) << c.mass;
        EXPECT_FLOAT_EQ(colour[2], c.red ? 0.1f : 1) << c.mass;
        GLint texture = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        EXPECT_EQ(texture, 0);
    }
}
