// The world camera around the player and the 2-D projections of the overlays.
#include "camera.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include "defaultVals.h"

namespace {

constexpr float NEAR_DISTANCE = 10000.0f;
constexpr float FAR_DISTANCE = 200000.0f;

// The 2-D passes keep the world pass's model-view translate of (0, 0, -1),
// which gluOrtho2D's near/far of -1..1 still contains.
void setOrtho(float left, float right, float bottom, float top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

viewRect viewAround(point p, float viewHeight, float aspect) {
    const float halfH = viewHeight / 2.0f;
    const float halfW = halfH * aspect;
    return {p.x - halfW, p.x + halfW, p.y - halfH, p.y + halfH};
}

void setCamera(const viewRect& view, point p, float nearFactor) {
    const float halfW = (view.right - view.left) / 2.0f;
    const float halfH = (view.top - view.bottom) / 2.0f;
    const float nearZ = nearFactor * NEAR_DISTANCE;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-halfW, halfW, -halfH, halfH, nearZ, FAR_DISTANCE);
    glTranslatef(-p.x, -p.y, 0.0f);
    glTranslatef(0.0f, 0.0f, -nearZ);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
}

void setPixelProjection() { setOrtho(0.0f, float(w), 0.0f, float(h)); }

void setInterfaceProjection() { setOrtho(0.0f, 100.0f, 0.0f, 100.0f); }

void setTopLeftProjection() { setOrtho(0.0f, float(w), float(-h), 0.0f); }

void setTopRightProjection() { setOrtho(float(-w), 0.0f, float(-h), 0.0f); }
