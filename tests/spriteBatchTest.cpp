// Sprites from corners worked out on the CPU: where GL's own turn and move would put them, drawn
// by a batch only when the outermost batch ends; and boxes placed against the window's edges.
#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "glTestContext.h"
#include "spriteBatch.h"
#include "sprites.h"
#include "viewCulling.h"

namespace {

constexpr int SIDE = 400;

// Four texels of different colours, unblended and unfiltered, so that a turned or mirrored image shows.
class SpriteDrawing : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        const unsigned char texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 0, 255};
        image = whiteTexture();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
        glBindTexture(GL_TEXTURE_2D, 0);
        blending = glIsEnabled(GL_BLEND);
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, 1280, 0, 1024);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override {
        if (blending) glEnable(GL_BLEND);
        glDeleteTextures(1, &image);
    }

    static std::vector<unsigned char> corner() {
        std::vector<unsigned char> pixels(SIDE * SIDE * 4);
        glReadPixels(0, 0, SIDE, SIDE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    unsigned int image = 0;
    GLboolean blending = GL_FALSE;
};

int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        n += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 0;
    return n;
}

}  // namespace

// Only pixels along the edges may round the other way: a turn the wrong way or a mirrored image
// changes thousands of the square's 25,600.
TEST_F(SpriteDrawing, ASpriteCoversWhatGlsOwnTurnAndMoveCover) {
    for (float degrees : {0.0f, 30.0f, 90.0f, 200.0f, -45.0f}) {
        glClear(GL_COLOR_BUFFER_BIT);
        glPushMatrix();
        glTranslatef(200.5f, 190.25f, 0);
        glRotatef(degrees, 0, 0, 1);
        glBindTexture(GL_TEXTURE_2D, image);
        spriteQuad(80);
        glBindTexture(GL_TEXTURE_2D, 0);
        glPopMatrix();
        const std::vector<unsigned char> byGl = corner();
        glClear(GL_COLOR_BUFFER_BIT);
        drawSprite(image, {200.5f, 190.25f}, 80, degrees);
        EXPECT_LT(differingPixels(corner(), byGl), 200) << degrees << " degrees";
        GLint bound = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(bound, 0);
    }
}

TEST_F(SpriteDrawing, BatchedSpritesAppearWhenTheOutermostBatchEnds) {
    glClear(GL_COLOR_BUFFER_BIT);
    {
        const ViewCulling view;
        const SpriteBatch outer;
        {
            const SpriteBatch inner;
            drawSprite(image, {100, 100}, 50, 10);
        }
        drawSprite(image, {300, 300}, 50, 10);
        EXPECT_EQ(litPixels(), 0);
    }
    EXPECT_GT(litPixels(), 2 * 9000);
}

// Over each other under alpha blending the order shows: a batch as drawn must keep it.
TEST_F(SpriteDrawing, ABatchAsDrawnKeepsTheOrderOfOverlappingImages) {
    const unsigned int white = whiteTexture();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 0.5f);
    const auto draw = [&] {
        for (int i = 0; i < 6; i++) drawSprite(i % 3 == 1 ? white : image, {150.0f + 20 * i, 200}, 60, 15.0f * i);
    };
    enableSpriteBatches(false);
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    const std::vector<unsigned char> oneByOne = corner();
    enableSpriteBatches(true);
    glClear(GL_COLOR_BUFFER_BIT);
    {
        const ViewCulling view;
        const SpriteBatch batch(SpriteBatch::asDrawn);
        draw();
    }
    EXPECT_TRUE(corner() == oneByOne);
    glColor4f(1, 1, 1, 1);
    glDeleteTextures(1, &white);
}

// The window is 1280 x 1024 pixels here; two pixels on either side of an edge count as across it.
TEST_F(SpriteDrawing, BoxesAreInsideAcrossAnEdgeOrOutsideTheWindow) {
    struct boxCase {
        point lo, hi;
        Sight sight;
    } cases[] = {
        {{100, 100}, {200, 200}, Sight::inside},          {{3, 3}, {1277, 1021}, Sight::inside},
        {{-10, 100}, {10, 200}, Sight::acrossEdge},       {{1, 100}, {20, 200}, Sight::acrossEdge},
        {{-1.5f, 100}, {-1, 200}, Sight::acrossEdge},     {{-5000, -5000}, {5000, 5000}, Sight::acrossEdge},
        {{-50, 100}, {-3, 200}, Sight::outside},          {{1283, 100}, {1300, 200}, Sight::outside},
        {{100, -80}, {200, -3}, Sight::outside},          {{100, 1027}, {200, 1100}, Sight::outside},
        {{-50, -50}, {2000, -10}, Sight::outside},        {{NAN, 100}, {200, 200}, Sight::acrossEdge},
    };
    EXPECT_EQ(sightOf({100, 100}, {200, 200}), Sight::acrossEdge) << "unknown without a view";
    const ViewCulling view;
    for (const boxCase& c : cases)
        EXPECT_EQ(sightOf(c.lo, c.hi), c.sight) << c.lo.x << ", " << c.lo.y << " to " << c.hi.x << ", " << c.hi.y;
}
