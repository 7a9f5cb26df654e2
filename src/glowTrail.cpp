// A tapered, glowing ribbon behind an AI ship, drawn with the "glowTrail" program.
#include "glowTrail.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

#include "viewCulling.h"

namespace {

constexpr float SPREAD_PER_WIDTH = 2.0f;  // the program spreads the ribbon 1.6 times its width

}  // namespace

GlowTrail::GlowTrail(int length, point start, int interval, float width, float red, float green, float blue,
                     const ShaderList& shaders)
    : Trail(length, start, interval, width, red, green, blue), program(linkedProgram(shaders, "glowTrail")) {
    if (program == 0) std::cout << "Error, can't access glow trail shader" << std::endl;
}

void GlowTrail::draw(point current) const {
    if (length == 0 || program == 0) return;  // fixed-function drawing of these vertices would be wild
    if (skippedOffView(current)) return;
    glUseProgram(static_cast<GLuint>(program));
    glBegin(GL_QUAD_STRIP);
    ribbon(current, [this](float signedWidth, float x, float y, float prevX, float prevY) {
        glColor4f(red, green, blue, signedWidth);
        glVertex4f(x, y, prevX, prevY);
    });
    glEnd();
    glUseProgram(0);
}

// A ribbon wholly outside the window is not sent, but the colour of its last vertex is left current
// as drawing it would. A vertex that is not finite keeps the ribbon in.
bool GlowTrail::skippedOffView(point current) const {
    constexpr float inf = std::numeric_limits<float>::infinity();
    point lo{inf, inf}, hi{-inf, -inf};
    float lastWidth = 0;
    bool finite = true;
    ribbon(current, [&](float signedWidth, float x, float y, float, float) {
        finite = finite && std::isfinite(x) && std::isfinite(y);
        lo = {std::min(lo.x, x), std::min(lo.y, y)};
        hi = {std::max(hi.x, x), std::max(hi.y, y)};
        lastWidth = signedWidth;
    });
    const float spread = std::fabs(width) * SPREAD_PER_WIDTH;  // how far the program moves a vertex aside
    if (!finite || !(lo.x <= hi.x) || !offView({lo.x - spread, lo.y - spread}, {hi.x + spread, hi.y + spread}))
        return false;
    glColor4f(red, green, blue, lastWidth);
    return true;
}
