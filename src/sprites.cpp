// What the entities draw: a centred square sprite, a beam along local +y and a guide line.
#include "sprites.h"

#include <GL/glew.h>

#include <algorithm>

#include "viewCulling.h"

namespace {

constexpr float BEAM_HALF_WIDTH = 20.0f;

}  // namespace

void spriteQuad(float half) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-half, -half);
    glTexCoord2f(0, 1);
    glVertex2f(-half, half);
    glTexCoord2f(1, 1);
    glVertex2f(half, half);
    glTexCoord2f(1, 0);
    glVertex2f(half, -half);
    glEnd();
}

void beamQuad(float length) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0.5f);
    glVertex2f(-BEAM_HALF_WIDTH, 0);
    glTexCoord2f(0, 0.5f);
    glVertex2f(-BEAM_HALF_WIDTH, length);
    glTexCoord2f(1, 0.5f);
    glVertex2f(BEAM_HALF_WIDTH, length);
    glTexCoord2f(1, 0.5f);
    glVertex2f(BEAM_HALF_WIDTH, 0);
    glEnd();
}

void guideLine(point target, point from) {
    glBindTexture(GL_TEXTURE_2D, 0);
    if (offView({std::min(target.x, from.x), std::min(target.y, from.y)},
                {std::max(target.x, from.x), std::max(target.y, from.y)})) {
        glColor3f(1, 0.2f, 0.2f);  // the colour drawing it would leave
        return;
    }
    glBegin(GL_LINES);
    glColor3f(0.2f, 1, 0.2f);
    glVertex2f(target.x, target.y);
    glColor3f(1, 0.2f, 0.2f);
    glVertex2f(from.x, from.y);
    glEnd();
}
