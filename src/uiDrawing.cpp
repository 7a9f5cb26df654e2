// The shapes interface widgets are drawn with, in interface units.
#include "uiDrawing.h"

#include <GL/gl.h>

float valueFraction(float value, float left, float right) {
    const float span = right - left;
    return span == 0.0f ? 0.0f : (value - left) / span;
}

void drawTexturedQuad(unsigned int texture, point lo, point hi, const quadCoords& coords) {
    const point corners[] = {{lo.x, lo.y}, {lo.x, hi.y}, {hi.x, hi.y}, {hi.x, lo.y}};
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(coords[i].x, coords[i].y);
        glVertex2f(corners[i].x, corners[i].y);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void drawOutline(point lo, point hi) {
    glBindTexture(GL_TEXTURE_2D, 0);
    glBegin(GL_LINE_STRIP);
    glVertex2f(lo.x, lo.y);
    glVertex2f(lo.x, hi.y);
    glVertex2f(hi.x, hi.y);
    glVertex2f(hi.x, lo.y);
    glVertex2f(lo.x, lo.y);
    glEnd();
}

void drawHorizontalArrows(unsigned int texture, point lo, point hi, float a) {
    drawTexturedQuad(texture, {hi.x - a, lo.y}, hi, UPRIGHT);
    drawTexturedQuad(texture, lo, {lo.x + a, hi.y}, HALF_TURN);
}
