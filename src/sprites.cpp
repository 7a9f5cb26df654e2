// What the entities draw: a centred square sprite, a beam along local +y and a guide line, and
// runs of draws that leave their textures bound.
#include "sprites.h"

#include <GL/glew.h>

namespace {

constexpr float BEAM_HALF_WIDTH = 20.0f;

bool runsOn = true;
int openRuns = 0;
bool unbindWaiting = false;  // a draw of the open run left its texture bound

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
    glBegin(GL_LINES);
    glColor3f(0.2f, 1, 0.2f);
    glVertex2f(target.x, target.y);
    glColor3f(1, 0.2f, 0.2f);
    glVertex2f(from.x, from.y);
    glEnd();
}

void unbindTexture() {
    if (openRuns > 0 && runsOn)
        unbindWaiting = true;
    else
        glBindTexture(GL_TEXTURE_2D, 0);
}

bool textureRunsEnabled() { return runsOn; }
void enableTextureRuns(bool on) { runsOn = on; }

TextureRun::TextureRun() { openRuns++; }

// Unbinds only when a draw left a texture bound: a run without draws leaves the binding it found.
TextureRun::~TextureRun() {
    if (--openRuns > 0 || !unbindWaiting) return;
    unbindWaiting = false;
    glBindTexture(GL_TEXTURE_2D, 0);
}
