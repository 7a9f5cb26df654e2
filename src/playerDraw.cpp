// The player's look: the ship, its engine smoke and flame, and the grav tool's charge bar.
#include "player.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include "defaultVals.h"
#include "shaderList.h"
#include "sprites.h"
#include "textures.h"

namespace {

constexpr int FLAME_LAYERS = 100;

}  // namespace

void Player::draw() const {
    glPushMatrix();
    reportError();
    glTranslatef(x, y, 0);
    glRotatef(getAngle(), 0, 0, -1);
    glBindTexture(GL_TEXTURE_2D, textureAt(0));
    reportError();
    spriteQuad(getRadius());
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

void Player::drawTrail(int now, Universe&) const {
    exhaustSmoke.draw(getPos());
    if (isLinkedProgram(flameShader)) drawFlame(now);
}

// Stacked quads behind the ship, local +y pointing backwards; the program shapes the flame.
void Player::drawFlame(int now) const {
    glUseProgram(static_cast<GLuint>(flameShader));
    glBindTexture(GL_TEXTURE_2D, textureAt(17));
    glUniform1f(flameTimeUniform, static_cast<float>(now) / 1000);
    glUniform1f(flameThrustUniform, thrusting);
    glPushMatrix();
    glTranslatef(x, y, 0);
    glRotatef(getAngle() + 180, 0, 0, -1);
    glTranslatef(0, 20, 0);
    glBegin(GL_QUADS);
    for (int i = 0; i < FLAME_LAYERS; i++) programQuad(static_cast<float>(i) / FLAME_LAYERS);
    glEnd();
    glPopMatrix();
    reportError();
    glUseProgram(0);
}

// A tool without charge shows an empty bar rather than a division by zero.
void Player::drawUI() const {
    const float bottom = 2.02f, top = 18.75f;
    const float full = gravTool.charge > 0 ? gravCharge / gravTool.charge : 0;
    const float height = bottom + (top - bottom) * full;
    glBindTexture(GL_TEXTURE_2D, whiteLaserTexture);
    reportError();
    glColor3f(1, 0.2f, 0.2f);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0.5f);
    glVertex2f(95.8f, bottom);
    glTexCoord2f(0, 0.5f);
    glVertex2f(95.8f, height);
    glTexCoord2f(1, 0.5f);
    glVertex2f(98.2f, height);
    glTexCoord2f(1, 0.5f);
    glVertex2f(98.2f, bottom);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Player::trackWindow(float) const {
    const double aspect = static_cast<double>(w) / h;
    const double reach = 110000;  // a tenth beyond the world boundary
    gluOrtho2D(-reach * aspect, reach * aspect, -reach, reach);
}
