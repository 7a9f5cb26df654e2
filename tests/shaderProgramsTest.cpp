// Each of the game's shader programs builds without a log, finds its uniforms and draws.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "glTestContext.h"
#include "scratchDirectory.h"
#include "shaderList.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

struct programCase {
    std::string name;
    std::vector<std::string> uniforms;
    std::function<void(const ShaderList&, int)> draw;  // one frame's worth of the game's drawing
};

void setUniform(const ShaderList& list, int program, const char* key, float value) {
    int location = -1;
    ASSERT_TRUE(list.getUniform(program, key, location));
    glUniform1f(location, value);
}

void stackedQuads(int count) {
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        float z = i / 100.0f;
        glVertex3f(-1, -1, z);
        glVertex3f(-1, 1, z);
        glVertex3f(1, 1, z);
        glVertex3f(1, -1, z);
    }
    glEnd();
}

// A ribbon as the glow trail sends it: (point, previous point), signed width in alpha.
void drawGlow(const ShaderList&, int) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 1; i <= 10; ++i) {
        float width = 10.0f * i / 10;
        float x = -200.0f + 40 * i;
        glColor4f(0.2f, 0.6f, 1.0f, -width);
        glVertex4f(x, 0, x - 40, 0);
        glColor4f(0.2f, 0.6f, 1.0f, width);
        glVertex4f(x, 0, x - 40, 0);
    }
    glEnd();
}

void drawSmoke(const ShaderList& list, int program) {
    int smoke = -1, color = -1;
    ASSERT_TRUE(list.getUniform(program, "smoke", smoke));
    ASSERT_TRUE(list.getUniform(program, "color", color));
    glUniform1i(smoke, 0);
    glUniform1i(color, 1);
    setUniform(list, program, "size", 50);
    setUniform(list, program, "particleSize", 23);
    setUniform(list, program, "spinSpeed", 0.0006f);
    setUniform(list, program, "time", 100);
    setUniform(list, program, "rand", 417);
    setUniform(list, program, "lifetime", 0.9f);
    int velocity = -1, position = -1;
    ASSERT_TRUE(list.getUniform(program, "velocity", velocity));
    ASSERT_TRUE(list.getUniform(program, "position", position));
    glUniform2f(velocity, 0.1f, 0);
    glUniform2f(position, 0, 0);
    glBegin(GL_QUADS);
    for (int j = 0; j < 20; ++j) {
        float z = j / 19.0f + (j % 2 == 0 ? 100 : 0);
        glVertex3f(-1, -1, z);
        glVertex3f(-1, 1, z);
        glVertex3f(1, 1, z);
        glVertex3f(1, -1, z);
    }
    glEnd();
}

void drawFlame(const ShaderList& list, int program) {
    setUniform(list, program, "thrust", 1);
    setUniform(list, program, "time", 12.5f);
    stackedQuads(100);
}

void drawWormhole(const ShaderList& list, int program) {
    setUniform(list, program, "time", 3.25f);
    setUniform(list, program, "radius", 150);
    stackedQuads(100);
}

// A texture of one opaque white texel on the given unit, so samplers see something.
void bindWhite(GLenum unit) {
    static const unsigned char white[4] = {255, 255, 255, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glActiveTexture(GL_TEXTURE0);
}

// How many pixels one draw lights in a cleared window.
int litAfter(const std::function<void()>& draw) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-400, 400, -300, 300, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    draw();
    glUseProgram(0);
    glFinish();
    return GlTest::litPixels();
}

}  // namespace

class ShaderProgramsTest : public GlTest {};

TEST_F(ShaderProgramsTest, EveryGameProgramBuildsSilentlyAndDraws) {
    ScratchDirectory dir;
    for (const char* suffix : {".vs", ".fs"})
        for (const char* name : {"glowTrail", "smokeTrail", "flameExhaust", "wormhole"})
            dir.copyFromGame(std::string(name) + suffix);
    const programCase cases[] = {
        {"glowTrail", {}, drawGlow},
        {"smokeTrail",
         {"velocity", "size", "particleSize", "spinSpeed", "time", "position", "rand", "lifetime",
          "smoke", "color"},
         drawSmoke},
        {"flameExhaust", {"thrust", "time"}, drawFlame},
        {"wormhole", {"time", "radius"}, drawWormhole},
    };
    bindWhite(GL_TEXTURE1);
    bindWhite(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    for (const programCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShaderList list;
        CaptureStdout();
        list.insertShader(c.name);
        std::string out = GetCapturedStdout();
        // Only the reader's size lines and the heading: no compiler or linker log at all.
        EXPECT_EQ(out.find("result:"), std::string::npos) << out;
        int program = 0;
        ASSERT_TRUE(list.getShader(c.name, program));
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        ASSERT_EQ(linked, GL_TRUE);
        for (const std::string& uniform : c.uniforms) {
            ASSERT_TRUE(list.insertUniform(c.name, uniform, uniform));
            int location = -1;
            ASSERT_TRUE(list.getUniform(program, uniform, location));
            EXPECT_NE(location, -1) << uniform << " is not used by the program";
        }
        const int lit = litAfter([&] {
            glUseProgram(program);
            c.draw(list, program);
        });
        EXPECT_GT(lit, 10) << "drew nothing visible";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(ShaderProgramsTest, AGlowTrailThatHasNotMovedDrawsNothing) {
    ScratchDirectory dir;
    for (const char* suffix : {".vs", ".fs"})
        dir.copyFromGame(std::string("glowTrail") + suffix);
    ShaderList list;
    CaptureStdout();
    list.insertShader("glowTrail");
    GetCapturedStdout();
    int program = 0;
    ASSERT_TRUE(list.getShader("glowTrail", program));
    // After a clear every point is the same: no direction, so no ribbon and no stray triangles.
    const int lit = litAfter([&] {
        glUseProgram(program);
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i < 4; ++i) {
            glColor4f(1, 1, 1, i % 2 ? 10.0f : -10.0f);
            glVertex4f(5, 5, 5, 5);
        }
        glEnd();
    });
    EXPECT_EQ(lit, 0);
}
