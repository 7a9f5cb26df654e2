// The fixed texture tables and single images: loading, modes and the slots of missing files.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "glTestContext.h"
#include "scratchDirectory.h"
#include "textures.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

GLint parameter(unsigned int texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

GLint levelParameter(unsigned int texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

bool powerOfTwo(GLint n) { return n > 0 && (n & (n - 1)) == 0; }

// Loads the fixed tables afresh in the current directory; returns the console output.
std::string loadTables() {
    textures.clear();
    projTextures.clear();
    uiTextures.clear();
    CaptureStdout();
    loadTextures();
    loadUITextures();
    return GetCapturedStdout();
}

}  // namespace

class TexturesTest : public GlTest {};

TEST_F(TexturesTest, EveryGeneratedImageLoadsAsAPowerOfTwoTexture) {
    ScratchDirectory dir(TUVARO_GAME_DIR);
    EXPECT_EQ(loadTables(), "");
    ASSERT_EQ(textures.size(), 24u);
    ASSERT_EQ(projTextures.size(), 3u);
    ASSERT_EQ(uiTextures.size(), 5u);
    std::set<unsigned int> distinct(textures.begin(), textures.end());
    distinct.insert(projTextures.begin(), projTextures.end());
    distinct.insert(uiTextures.begin(), uiTextures.end());
    EXPECT_EQ(distinct.size(), 32u);
    EXPECT_EQ(distinct.count(0), 0u);

    const char* named[] = {"whiteLaser.png", "jupiter.png",    "earth.png",      "ice.png",
                           "lava.png",       "desert.png",     "ocean.png",      "ship1.png",
                           "ship2.png",      "ship3.png",      "ship4.png",      "missile.png",
                           "plasma.png",     "drill.png",      "satellite1.png", "satellite2.png",
                           "greenLaser.png"};
    std::vector<unsigned int> all(distinct.begin(), distinct.end());
    CaptureStdout();
    for (const char* file : named)
        all.push_back(loadSingleTexture(file, 1));
    EXPECT_EQ(GetCapturedStdout(), "");
    for (unsigned int texture : all) {
        ASSERT_NE(texture, 0u);
        EXPECT_TRUE(powerOfTwo(levelParameter(texture, GL_TEXTURE_WIDTH))) << texture;
        EXPECT_TRUE(powerOfTwo(levelParameter(texture, GL_TEXTURE_HEIGHT))) << texture;
        EXPECT_EQ(levelParameter(texture, GL_TEXTURE_ALPHA_SIZE), 8) << "RGBA image expected";
    }
}

TEST_F(TexturesTest, LoadingLeavesModulateAndNoTextureBound) {
    ScratchDirectory dir(TUVARO_GAME_DIR);
    loadTables();
    GLint mode = 0, bound = -1;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(bound, 0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TexturesTest, AMissingImageKeepsItsSlotWithZeroAndSaysWhyOnOneLine) {
    struct Case {
        const char* file;
        const std::vector<unsigned int>* table;
        size_t slot;
        const char* says;
    } cases[] = {{"player.png", &textures, 0, "SOIL error loading player.png: "},
                 {"mars.png", &textures, 10, "SOIL error loading mars.png: "},
                 {"background2.png", &textures, 23, "SOIL error loading background2.png: "},
                 {"arrow.png", &uiTextures, 4, "SOIL loading error on arrow.png: "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ScratchDirectory dir(TUVARO_GAME_DIR);
        dir.remove(c.file);
        std::string out = loadTables();
        ASSERT_EQ(textures.size(), 24u);
        ASSERT_EQ(uiTextures.size(), 5u);
        for (size_t i = 0; i < c.table->size(); ++i)
            EXPECT_EQ((*c.table)[i] == 0, i == c.slot) << "slot " << i;
        const std::string prefix = c.says;
        EXPECT_EQ(out.compare(0, prefix.size(), prefix), 0) << out;
        EXPECT_GT(out.size(), prefix.size() + 1) << "SOIL's reason is missing";
        EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line expected: " << out;
    }
}

TEST_F(TexturesTest, OnlyTheDustRepeats) {
    {
        ScratchDirectory dir(TUVARO_GAME_DIR);
        loadTables();
        EXPECT_EQ(parameter(textures[9], GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(parameter(textures[9], GL_TEXTURE_WRAP_T), GL_REPEAT);
        EXPECT_NE(parameter(textures[8], GL_TEXTURE_WRAP_S), GL_REPEAT);
    }
    // Without the dust, the image loaded before it must keep its own wrap mode.
    ScratchDirectory dir(TUVARO_GAME_DIR);
    dir.remove("dust.png");
    loadTables();
    ASSERT_EQ(textures[9], 0u);
    ASSERT_NE(textures[8], 0u);
    EXPECT_NE(parameter(textures[8], GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_NE(parameter(textures[8], GL_TEXTURE_WRAP_T), GL_REPEAT);
}

TEST_F(TexturesTest, ModesDecideMipmapsOrNothing) {
    ScratchDirectory dir(TUVARO_GAME_DIR);
    CaptureStdout();
    unsigned int none = loadSingleTexture("player.png", 2);
    unsigned int negative = loadSingleTexture("player.png", -1);
    unsigned int plain = loadSingleTexture("player.png", 0);
    unsigned int mipmapped = loadSingleTexture("player.png", 1);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(none, 0u);
    EXPECT_EQ(negative, 0u);
    ASSERT_NE(plain, 0u);
    ASSERT_NE(mipmapped, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), mipmapped) << "a fresh texture is left bound";
    EXPECT_EQ(parameter(plain, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(mipmapped, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);

    std::vector<unsigned int> table;
    CaptureStdout();
    loadSingleTexture("player.png", table, 2);
    loadSingleTexture("absent.png", table, 1);
    std::string out = GetCapturedStdout();
    EXPECT_EQ(table, (std::vector<unsigned int>{0, 0}));
    EXPECT_EQ(out.rfind("SOIL error loading absent.png: ", 0), 0u) << out;
}

TEST(TextureAt, IndexesOutsideTheTableGiveZero) {
    textures.assign(24, 0);
    for (unsigned int i = 0; i < 24; ++i)
        textures[i] = 100 + i;
    struct Case {
        long index;
        unsigned int expected;
    } cases[] = {{0, 100}, {23, 123}, {24, 0}, {-1, 0}, {-2147483648L, 0}, {1L << 40, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(textureAt(c.index), c.expected) << c.index;
    textures.clear();
    EXPECT_EQ(textureAt(0), 0u);
}
