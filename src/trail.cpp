// A ring buffer of an owner's recent positions, the base of the glow and smoke trails.
#include "trail.h"

#include <GL/glew.h>

#include <algorithm>

#include "shaderList.h"

namespace {

// Far beyond any owner's needs; a longer ring from bad data would only exhaust memory.
constexpr int MAX_LENGTH = 10000;

}  // namespace

Trail::Trail(int length, point start, int interval, float width, float red, float green, float blue)
    : interval(std::max(interval, 1)),          // smaller intervals would record endlessly
      length(std::clamp(length, 0, MAX_LENGTH)),  // ship data can give a negative length
      width(width),
      red(red),
      green(green),
      blue(blue),
      points(slots(), start),
      visibleBits(slots(), true) {}

void Trail::update(point p, int dt) {
    if (length == 0) return;
    elapsed += dt;
    if (elapsed >= interval) {
        recordPoint(p);
        elapsed -= interval;
    }
}

void Trail::setVisibility(bool visible) { this->visible = visible; }

void Trail::clear(point p) { std::fill(points.begin(), points.end(), p); }

void Trail::draw(point current) const {
    if (length == 0) return;
    glColor3f(red, green, blue);
    glBegin(GL_LINE_STRIP);
    for (int i = 1; i < slots(); ++i) {
        const point& p = points[slotFromOldest(i)];
        glVertex2f(p.x, p.y);
    }
    glVertex2f(current.x, current.y);
    glEnd();
}

void Trail::recordPoint(point p) {
    head = (head + 1) % slots();
    points[head] = p;
    visibleBits[head] = visible;
}

int Trail::linkedProgram(const ShaderList& shaders, const std::string& name) {
    int program = 0;
    return shaders.getShader(name, program) && isLinkedProgram(program) ? program : 0;
}
