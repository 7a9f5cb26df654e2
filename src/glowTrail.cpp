// A tapered, glowing ribbon behind an AI ship, drawn with the "glowTrail" program.
#include "glowTrail.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <iostream>

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

// A ribbon whose recorded points, with the room the program spreads it aside, lie wholly outside
// the window is not sent; it still leaves the colour of its last vertex current, as drawing it
// would. A point that is not finite keeps the ribbon in.
bool GlowTrail::skippedOffView(point current) const {
    point lo = current, hi = current;
    bool finite = std::isfinite(current.x + current.y);
    for (const point& p : points) {
        finite = finite && std::isfinite(p.x + p.y);
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    const float spread = std::fabs(width) * SPREAD_PER_WIDTH;
    if (!finite || !offView({lo.x - spread, lo.y - spread}, {hi.x + spread, hi.y + spread})) return false;
    float lastWidth = 0;
    if (lastVertexWidth(lastWidth)) glColor4f(red, green, blue, lastWidth);
    return true;
}

// The ribbon ends on the current position when the newest segment shows, else on the newest
// segment that does; none shows, no vertex.
bool GlowTrail::lastVertexWidth(float& signedWidth) const {
    if (segmentVisible(head)) {
        signedWidth = width;
        return true;
    }
    for (int i = slots() - 2; i >= 1; --i)
        if (segmentVisible(slotFromOldest(i))) {
            signedWidth = width * i / length;
            return true;
        }
    return false;
}
