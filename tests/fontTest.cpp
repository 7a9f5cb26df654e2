// The game font: loading, glyph textures, failures and where text is drawn.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "defaultVals.h"
#include "font.h"
#include "glTestContext.h"
#include "scratchDirectory.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string FONT_FILE = std::string(TUVARO_GAME_DIR) + "/subatomic.brelvosk.ttf";

// Where a drawing left ink in the window, in pixels.
struct ink {
    long count = 0;
    int left = INT_MAX, right = INT_MIN, bottom = INT_MAX, top = INT_MIN;
    std::vector<unsigned char> pixels;
};

ink drawn(const std::function<void()>& draw) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    draw();
    glFinish();
    ink result;
    result.pixels.resize(static_cast<size_t>(w) * h);
    glReadPixels(0, 0, w, h, GL_RED, GL_UNSIGNED_BYTE, result.pixels.data());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (result.pixels[static_cast<size_t>(y) * w + x] < 128)
                continue;
            ++result.count;
            result.left = std::min(result.left, x);
            result.right = std::max(result.right, x);
            result.bottom = std::min(result.bottom, y);
            result.top = std::max(result.top, y);
        }
    }
    return result;
}

class FontTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
};

}  // namespace

TEST_F(FontTest, TheGameFontLoadsWithConsistentMetrics) {
    CaptureStdout();
    Font font(FONT_FILE);
    EXPECT_EQ(GetCapturedStdout(), "");
    ASSERT_TRUE(font.isReady());
    for (int c = 32; c < 127; ++c) {
        const metrics& m = letterMetrics[c];
        SCOPED_TRACE(c);
        EXPECT_GT(m.advance, 0);
        EXPECT_EQ(m.left, m.bitmapLeft * 64);
        EXPECT_EQ(m.top, m.bitmapTop * 64);
        EXPECT_LE(m.left, m.right);
        EXPECT_LE(m.bottom, m.top);
        EXPECT_TRUE(glIsTexture(letterTextures[c]));
    }
    const metrics& capital = letterMetrics['A'];
    // 300 pixels high: a capital letter spans roughly two thirds of that.
    EXPECT_GT(capital.top - capital.bottom, 150 * 64);
    EXPECT_LT(capital.top - capital.bottom, 300 * 64);
    EXPECT_EQ(capital.bottom, 0);
    EXPECT_LT(letterMetrics['g'].bottom, 0) << "descenders reach below the baseline";
    const metrics& space = letterMetrics[' '];
    EXPECT_EQ(space.right, space.left) << "a space has no ink";
    EXPECT_GT(space.advance, 0);
}

TEST_F(FontTest, GlyphTexturesHoldTheBitmapsRowByRow) {
    Font font(FONT_FILE);
    ASSERT_TRUE(font.isReady());
    for (char c : std::string("AWgj@1.i%")) {
        SCOPED_TRACE(c);
        ASSERT_EQ(FT_Load_Char(face, c, FT_LOAD_RENDER), 0);
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        ASSERT_EQ(bitmap.pixel_mode, FT_PIXEL_MODE_GRAY);
        GLint width = 0, rows = 0;
        glBindTexture(GL_TEXTURE_2D, letterTextures[static_cast<int>(c)]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &rows);
        ASSERT_EQ(width, static_cast<GLint>(bitmap.width));
        ASSERT_EQ(rows, static_cast<GLint>(bitmap.rows));
        std::vector<unsigned char> alpha(static_cast<size_t>(width) * rows);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
        long wrong = 0;
        for (int r = 0; r < rows; ++r)  // the texture is stored bottom row first
            for (int k = 0; k < width; ++k)
                wrong += alpha[static_cast<size_t>(rows - 1 - r) * width + k] !=
                         bitmap.buffer[r * bitmap.pitch + k];
        EXPECT_EQ(wrong, 0);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(FontTest, FailuresAreReportedAndLeaveTheFontSilent) {
    ScratchDirectory dir;
    dir.write("notAFont.ttf", "function addUI() end\n");
    struct Case {
        const char* file;
        const char* message;
    } cases[] = {
        {"missing.ttf", "Error initializing face missing.ttf\n"},
        {"notAFont.ttf",
         "the font file could be opened and read, but it appears ... that its font format is unsupported\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CaptureStdout();
        Font font(c.file);
        EXPECT_EQ(GetCapturedStdout(), c.message);
        EXPECT_FALSE(font.isReady());
        for (unsigned int texture : letterTextures)
            EXPECT_NE(texture, 0u) << "the texture names exist in every case";
        EXPECT_EQ(drawn([&] { font.displayText("Tuvaro", 100, 100, 1000, false); }).count, 0);
    }
}

TEST_F(FontTest, TextDrawsWhereAndHowLargeItShould) {
    Font font(FONT_FILE);
    ASSERT_TRUE(font.isReady());
    EXPECT_EQ(drawn([&] { font.displayText("", 640, 512, 1000, true); }).count, 0);
    EXPECT_EQ(drawn([&] { font.displayText("", 640, 512, 1000, false); }).count, 0);
    EXPECT_EQ(drawn([&] { font.displayText("WWW", 640, 512, 0, true); }).count, 0);

    // Scale s makes one 1/64 pixel of the glyph s * 0.0001 units: "A" at 20 is about 28 pixels.
    const metrics& a = letterMetrics['A'];
    const float k = 20 * 0.0001f;
    ink plain = drawn([&] { font.displayText("A", 200, 300, 20, false); });
    ASSERT_GT(plain.count, 0);
    EXPECT_NEAR(plain.bottom, 300 + a.bottom * k, 2);
    EXPECT_NEAR(plain.top, 300 + a.top * k, 2);
    EXPECT_NEAR(plain.left, 200 + a.left * k, 2);
    EXPECT_NEAR(plain.right, 200 + a.right * k, 2);

    // Centred on one character: shifted by half its right edge and half the height of "A".
    ink centred = drawn([&] { font.displayText("A", 640, 512, 20, true); });
    EXPECT_NEAR(centred.right, 640 + a.right * k / 2, 2);
    EXPECT_NEAR(centred.left, 640 + (a.left - a.right / 2.0f) * k, 2);
    EXPECT_NEAR(centred.bottom, 512 - (a.top - a.bottom) * k / 2, 2);
    EXPECT_NEAR(centred.top, 512 + (a.top - a.bottom) * k / 2, 2);
}

TEST_F(FontTest, CharactersWithoutAGlyphAreSkipped) {
    Font font(FONT_FILE);
    ASSERT_TRUE(font.isReady());
    for (bool centred : {false, true}) {
        SCOPED_TRACE(centred);
        ink expected = drawn([&] { font.displayText("Ab", 640, 512, 20, centred); });
        ink withHighCodes = drawn([&] { font.displayText("\xC3\xA9" "A\x80" "b\xFF", 640, 512, 20, centred); });
        EXPECT_GT(expected.count, 0);
        EXPECT_EQ(withHighCodes.pixels, expected.pixels);
        EXPECT_EQ(drawn([&] { font.displayText("\xE9\xFF", 640, 512, 20, centred); }).count, 0);
    }
}
