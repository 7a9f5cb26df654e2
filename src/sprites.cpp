// The two textured quads every entity draws: a centred square sprite and a beam along local +y.
#include "sprites.h"

#include <GL/glew.h>

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
