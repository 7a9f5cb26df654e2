// The HUD's mappings and drawing, checked through the real GL context.
#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "camera.h"
#include "defaultVals.h"
#include "frameTimeRing.h"
#include "glTestContext.h"
#include "hud.h"

TEST(MouseToGame, CursorCornersMapToTheRectangleCorners) {
    struct Case {
        point cursor;
        point world;
    };
    const Case cases[] = {
        {{0, 0}, {-300, 200}}, {{100, 100}, {500, 600}}, {{100, 0}, {500, 200}},
        {{0, 100}, {-300, 600}}, {{50, 50}, {100, 400}},
    };
    for (const Case& c : cases) {
        const point p = mouseToGame(c.cursor, -300, 500, 200, 600);
        EXPECT_FLOAT_EQ(p.x, c.world.x) << "cursor " << c.cursor.x << ", " << c.cursor.y;
        EXPECT_FLOAT_EQ(p.y, c.world.y) << "cursor " << c.cursor.x << ", " << c.cursor.y;
    }
}

TEST(FrameTimeRing, StartsEmptyAndOverwritesTheOldestAfter5000Frames) {
    FrameTimeRing ring;
    EXPECT_EQ(ring.nextIndex(), 0u);
    EXPECT_EQ(ring.oldestFirst(0), 0);
    EXPECT_EQ(ring.oldestFirst(4999), 0);

    for (int t = 1; t <= 5000; ++t) ring.record(t);
    EXPECT_EQ(ring.nextIndex(), 0u);
    EXPECT_EQ(ring.oldestFirst(0), 1);
    EXPECT_EQ(ring.oldestFirst(4999), 5000);

    ring.record(5001);
    EXPECT_EQ(ring.nextIndex(), 1u);
    EXPECT_EQ(ring.oldestFirst(0), 2);
    EXPECT_EQ(ring.oldestFirst(4999), 5001);
}

TEST(FrameTimeGraph, SamplesSpanTheWindowAndRiseThreePixelsPerMillisecond) {
    EXPECT_FLOAT_EQ(frameGraphVertex(0, 0).y, 5.0f);
    EXPECT_FLOAT_EQ(frameGraphVertex(0, 16).y, 53.0f);
    EXPECT_FLOAT_EQ(frameGraphVertex(0, 16).x, 0.0f);
    EXPECT_FLOAT_EQ(frameGraphVertex(2500, 16).x, w / 2.0f);
    EXPECT_LT(frameGraphVertex(4999, 0).x, float(w));
    EXPECT_GT(frameGraphVertex(4999, 0).x, float(w) - 1.0f);
}

TEST(FrameCounters, ShowCountsHealthAndLandedPlanet) {
    frameCounters counters;
    counters.ships = 3;
    counters.timers = 12;
    counters.playerHealth = 1000.0f;
    const std::vector<std::string> lines = counterLines(counters);
    const std::vector<std::string> expected = {"Ships: 3", "Projectiles: 0", "Timers: 12", "Player HP: 1000",
                                               "-1"};
    EXPECT_EQ(lines, expected);
}

namespace {

GLint glInteger(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// The model-view matrix the frame leaves for its 2-D passes.
void frameModelView() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
}

bool isGraphBlue(const unsigned char* rgb) { return rgb[2] > 200 && rgb[0] > 40 && rgb[0] < 120; }

}  // namespace

class HudDrawing : public GlTest {};

TEST_F(HudDrawing, TexturedSquaresAndBoundaryLeaveMatricesTextureAndColourAsFound) {
    setCamera(viewAround({0, 0}, 4000, float(w) / float(h)), {0, 0}, 1.0f);
    glColor4f(0.0f, 0.7f, 0.0f, 1.0f);
    const GLint depth = glInteger(GL_MODELVIEW_STACK_DEPTH);

    drawMouse({10, 20});
    drawEnemy({10, 20}, 1.0f);
    drawRadarBlip({10, 20}, 13, 500);
    drawRadarBlip({10, 20}, 999, 500);  // an index past the table draws untextured
    drawBackground();
    drawBoundary();

    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(glInteger(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.0f);
    EXPECT_FLOAT_EQ(colour[1], 0.7f);
    EXPECT_FLOAT_EQ(colour[2], 0.0f);
}

TEST_F(HudDrawing, SixteenMillisecondFramesDrawTheGraphAt53Pixels) {
    FrameTimeRing ring;
    for (unsigned i = 0; i < FrameTimeRing::SIZE; ++i) ring.record(16);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    frameModelView();
    setPixelProjection();
    drawFrameTimeGraph(ring);
    glFinish();

    // A line on a pixel boundary may light the row on either side of it.
    unsigned char column[70][4] = {};
    glReadPixels(w / 2, 0, 1, 70, GL_RGBA, GL_UNSIGNED_BYTE, column);
    glEnable(GL_BLEND);
    EXPECT_TRUE(isGraphBlue(column[52]) || isGraphBlue(column[53]));
    for (int y = 40; y < 70; ++y) {
        if (y == 52 || y == 53) continue;
        EXPECT_FALSE(isGraphBlue(column[y])) << "graph drawn at y " << y;
    }
}

TEST_F(HudDrawing, CameraShowsTheViewRectangleAcrossTheWholeWindow) {
    const point player{1500, -700};
    const viewRect view = viewAround(player, 4000, float(w) / float(h));
    setCamera(view, player, 1.0f);
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);

    struct Case {
        point cursor;
        double x, y;
    };
    const Case cases[] = {{{0, 0}, 0, 0}, {{100, 100}, double(w), double(h)}, {{50, 50}, w / 2.0, h / 2.0}};
    for (const Case& c : cases) {
        const point p = mouseToGame(c.cursor, view.left, view.right, view.bottom, view.top);
        GLdouble x, y, z;
        ASSERT_TRUE(gluProject(p.x, p.y, 0.0, modelView, projection, viewport, &x, &y, &z));
        EXPECT_NEAR(x, c.x, 1.0) << "cursor " << c.cursor.x;
        EXPECT_NEAR(y, c.y, 1.0) << "cursor " << c.cursor.y;
        EXPECT_GT(z, 0.0);
        EXPECT_LT(z, 1.0);
    }
}
