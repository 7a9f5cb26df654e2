// A scroll bar: a thumb between two arrows, moved by the arrows or by dragging along the track.
#include "uiScroller.h"

#include <GL/gl.h>

#include "uiDrawing.h"

uiScroller::uiScroller(float x1, float y1, float x2, float y2, float arrowWidth, float leftVal, float rightVal,
                       float curVal)
    : uiArrowTrack(UI_SCROLLER, true, x1, y1, x2, y2, arrowWidth, leftVal, rightVal, curVal) {}

uiScroller::uiScroller(float x1, float y1, float x2, float y2, float leftVal, float rightVal, float curVal)
    : uiScroller(x1, y1, x2, y2, 0.0f, leftVal, rightVal, curVal) {}

// The thumb stays 1.5 arrow widths from each end, while a drag maps the pointer over
// the whole track between the arrows.
void uiScroller::draw() {
    const float a = arrowWidth;
    drawArrows();
    glColor3f(0.9f, 0.9f, 0.9f);
    outlineSpan(low() + a, high() - a);
    glColor3f(1, 0, 0);
    const float first = low() + 1.5f * a;
    const float centre = valueFraction(curVal, leftVal, rightVal) * ((high() - 1.5f * a) - first) + first;
    outlineSpan(centre - a / 2, centre + a / 2);
    resetRepeat();
}

void uiScroller::drawArrows() const {
    const float a = arrowWidth;
    if (!vertical) {
        drawHorizontalArrows(arrowTexture, p1, p2, a);
        return;
    }
    drawTexturedQuad(arrowTexture, {p1.x, p2.y - a}, p2, QUARTER_RIGHT);
    drawTexturedQuad(arrowTexture, p1, {p2.x, p1.y + a}, QUARTER_LEFT);
}

void uiScroller::outlineSpan(float from, float to) const {
    if (vertical)
        drawOutline({p1.x, from}, {p2.x, to});
    else
        drawOutline({from, p1.y}, {to, p2.y});
}
