// What the frame draws that is not an entity: cursor, background, boundary, frame-time graph.
#include "hud.h"

#include <GL/glew.h>

#include "defaultVals.h"
#include "font.h"
#include "frameTimeRing.h"
#include "spriteBatch.h"
#include "textures.h"

namespace {

constexpr int MOUSE_TEXTURE = 1;
constexpr int ENEMY_TEXTURE = 2;
constexpr int DUST_TEXTURE = 9;
constexpr int FAR_TEXTURE = 23;
constexpr float DUST_REPEATS = 20.0f;
constexpr float FAR_DEPTH = -100000.0f;

// One quad from (x0, y0) to (x1, y1) with texture coordinates 0..repeat, in
// the corner order every textured square of the game uses.
void texturedQuad(float x0, float y0, float x1, float y1, float repeat) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, y0);
    glTexCoord2f(0.0f, repeat);
    glVertex2f(x0, y1);
    glTexCoord2f(repeat, repeat);
    glVertex2f(x1, y1);
    glTexCoord2f(repeat, 0.0f);
    glVertex2f(x1, y0);
    glEnd();
}

// The boundary square at depth z, entered through a repeated first corner so
// that the colour change starts there.
void boundarySquare(float z, bool repeatFirst) {
    const float x = XBOUND;
    const float y = YBOUND;
    if (repeatFirst) glVertex3f(-x, -y, z);
    glVertex3f(-x, -y, z);
    glVertex3f(-x, y, z);
    glVertex3f(x, y, z);
    glVertex3f(x, -y, z);
    glVertex3f(-x, -y, z);
}

}  // namespace

void texturedSquare(point p, unsigned int texture, float half, float degrees) {
    glPushMatrix();
    reportError();
    glTranslatef(p.x, p.y, 0.0f);
    if (degrees != 0.0f) glRotatef(degrees, 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    reportError();
    texturedQuad(-half, -half, half, half, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

point mouseToGame(point m, float left, float right, float bottom, float top) {
    return {m.x * (right - left) / 100.0f + left, m.y * (top - bottom) / 100.0f + bottom};
}

void drawRadarBlip(point p, int texture, float half) { drawSprite(textureAt(texture), p, half, 0.0f); }

void drawMouse(point p) { texturedSquare(p, textureAt(MOUSE_TEXTURE), 30.0f, 0.0f); }

void drawEnemy(point p, float angle) {
    texturedSquare(p, textureAt(ENEMY_TEXTURE), 40.0f, angle * DEGREES_PER_RADIAN_COARSE);
}

void drawBackground() {
    glBindTexture(GL_TEXTURE_2D, textureAt(DUST_TEXTURE));
    texturedQuad(-XBOUND, -YBOUND, XBOUND, YBOUND, DUST_REPEATS);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, FAR_DEPTH);
    glBindTexture(GL_TEXTURE_2D, textureAt(FAR_TEXTURE));
    texturedQuad(-1.5f * XBOUND, -1.5f * YBOUND, 1.5f * XBOUND, 1.5f * YBOUND, 1.0f);
    glPopMatrix();
}

void drawBoundary() {
    glPushAttrib(GL_CURRENT_BIT);
    glBegin(GL_LINE_STRIP);
    glColor3f(1.0f, 1.0f, 1.0f);
    boundarySquare(0.0f, false);
    glColor3f(1.0f, 0.0f, 0.0f);
    boundarySquare(-10000.0f, true);
    glColor3f(0.0f, 0.0f, 1.0f);
    boundarySquare(-100000.0f, true);
    glEnd();
    glPopAttrib();
}

point frameGraphVertex(unsigned i, int frameTime) {
    return {float(i) * float(w) / float(FrameTimeRing::SIZE), 3.0f * float(frameTime) + 5.0f};
}

void drawFrameTimeGraph(const FrameTimeRing& ring) {
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor3f(0.2f, 0.2f, 0.2f);
    glBegin(GL_LINES);
    for (int ms = 0; ms < 10; ++ms) {
        glVertex2f(0.0f, 3.0f * ms + 5.0f);
        glVertex2f(float(w), 3.0f * ms + 5.0f);
    }
    glEnd();
    glColor3f(0.3f, 0.3f, 1.0f);
    glBegin(GL_LINE_STRIP);
    for (unsigned i = 0; i < FrameTimeRing::SIZE; ++i) {
        const point v = frameGraphVertex(i, ring.oldestFirst(i));
        glVertex2f(v.x, v.y);
    }
    glEnd();
}

std::vector<std::string> counterLines(const frameCounters& counters) {
    return {"Ships: " + toString(counters.ships), "Projectiles: " + toString(counters.projectiles),
            "Timers: " + toString(counters.timers), "Player HP: " + toString(counters.playerHealth),
            toString(counters.landedPlanet)};
}

void drawFrameCounters(const Font& font, const frameCounters& counters) {
    const std::vector<std::string> lines = counterLines(counters);
    for (size_t i = 0; i < lines.size(); ++i) font.displayText(lines[i], 0.0f, 30.0f * float(i + 1), 20.0f, false);
}
