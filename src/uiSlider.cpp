// A value between two arrows, set by dragging along its track and drawn as a filled gauge.
#include "uiSlider.h"

#include <GL/gl.h>


#include "uiDrawing.h"

uiSlider::uiSlider(float x1, float y1, float x2, float y2, float arrowWidth, float leftVal, float rightVal,
                   float curVal)
    : uiArrowTrack(UI_SLIDER, false, x1, y1, x2, y2, arrowWidth, leftVal, rightVal, curVal) {}

uiSlider::uiSlider(float x1, float y1, float x2, float y2, float leftVal, float rightVal, float curVal)
    : uiSlider(x1, y1, x2, y2, 0.0f, leftVal, rightVal, curVal) {}

// A vertical slider draws the horizontal layout in a frame turned about its centre,
// over a rectangle of the same centre with width and height exchanged.
void uiSlider::draw() {
    if (!vertical) {
        drawLayout();
        resetRepeat();
        return;
    }
    const point lower = p1;
    const point upper = p2;
    const point centre{(p1.x + p2.x) / 2, (p1.y + p2.y) / 2};
    const float halfWidth = (p2.x - p1.x) / 2;
    const float halfHeight = (p2.y - p1.y) / 2;
    p1 = {centre.x - halfHeight, centre.y - halfWidth};
    p2 = {centre.x + halfHeight, centre.y + halfWidth};
    glPushMatrix();
    glTranslatef(centre.x, centre.y, 0);
    glRotatef(90, 0, 0, 1);
    glTranslatef(-centre.x, -centre.y, 0);
    drawLayout();
    resetRepeat();
    glPopMatrix();
    p1 = lower;
    p2 = upper;
}

void uiSlider::drawLayout() const {
    const float a = arrowWidth;
    drawHorizontalArrows(arrowTexture, p1, p2, a);
    glColor3f(0.9f, 0.9f, 0.9f);
    drawOutline({p1.x + a, p1.y}, {p2.x - a, p2.y});
    glColor3f(1, 0, 0);
    const float v = valueFraction(curVal, leftVal, rightVal) * ((p2.x - a) - (p1.x + a)) + (p1.x + a);
    drawOutline({p1.x + a, p1.y}, {v, p2.y});
}
