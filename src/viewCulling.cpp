// Where boxes of the game plane fall against the window: wholly inside, across an edge, or outside.
#include "viewCulling.h"

#include <GL/glew.h>

#include <cmath>

namespace {

// Two pixels beyond or within the window's edges, so that no rounding or line width can cross them.
constexpr double EDGE_PIXELS = 2;
constexpr double DEPTH_MARGIN = 1e-5;  // the game plane lies a hair behind the near plane
constexpr float TURNED_CORNER = 1.4143f;  // above the square root of 2

bool cullingOn = true;
int openScopes = 0;
double toClip[16];  // projection times modelview, column-major
double marginX = 0, marginY = 0;

void readView() {
    GLfloat projection[16], modelview[16];
    GLint viewport[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (int column = 0; column < 4; column++)
        for (int row = 0; row < 4; row++) {
            double sum = 0;
            for (int k = 0; k < 4; k++) sum += double(projection[k * 4 + row]) * modelview[column * 4 + k];
            toClip[column * 4 + row] = sum;
        }
    marginX = 2 * EDGE_PIXELS / (viewport[2] > 0 ? viewport[2] : 1);
    marginY = 2 * EDGE_PIXELS / (viewport[3] > 0 ? viewport[3] : 1);
}

struct clipPoint {
    double x, y, z, w;
};

clipPoint clip(double x, double y) {
    const auto row = [x, y](int r) { return toClip[r] * x + toClip[4 + r] * y + toClip[12 + r]; };
    return {row(0), row(1), row(2), row(3)};
}

bool within(double v, double w, double margin) { return std::fabs(v) <= w * (1 - margin); }

}  // namespace

// Outside when all four corners lie beyond one side; inside when all lie within every side, the
// depth's too. A corner at or behind the eye (w <= 0), or a NaN anywhere, is across an edge.
Sight sightOf(point lo, point hi) {
    if (openScopes == 0) return Sight::acrossEdge;
    const clipPoint corners[4] = {clip(lo.x, lo.y), clip(hi.x, lo.y), clip(hi.x, hi.y), clip(lo.x, hi.y)};
    int left = 0, right = 0, below = 0, above = 0, inside = 0;
    for (const clipPoint& c : corners) {
        if (!(c.w > 0)) return Sight::acrossEdge;
        left += c.x < -c.w * (1 + marginX);
        right += c.x > c.w * (1 + marginX);
        below += c.y < -c.w * (1 + marginY);
        above += c.y > c.w * (1 + marginY);
        inside += within(c.x, c.w, marginX) && within(c.y, c.w, marginY) && within(c.z, c.w, DEPTH_MARGIN);
    }
    if (left == 4 || right == 4 || below == 4 || above == 4) return Sight::outside;
    return inside == 4 ? Sight::inside : Sight::acrossEdge;
}

bool anyBeyondAnEdge(const point* points, int count) {
    if (openScopes == 0) return false;
    for (int i = 0; i < count; i++) {
        const clipPoint c = clip(points[i].x, points[i].y);
        if (c.w > 0 && (std::fabs(c.x) > c.w * (1 + marginX) || std::fabs(c.y) > c.w * (1 + marginY) ||
                        std::fabs(c.z) > c.w * (1 + DEPTH_MARGIN)))
            return true;
    }
    return false;
}

Sight sightOfSquare(point centre, float half) {
    const float reach = std::fabs(half) * TURNED_CORNER;
    return sightOf({centre.x - reach, centre.y - reach}, {centre.x + reach, centre.y + reach});
}

bool culled(Sight sight) { return cullingOn && sight == Sight::outside; }
bool offView(point lo, point hi) { return culled(sightOf(lo, hi)); }
bool squareOffView(point centre, float half) { return culled(sightOfSquare(centre, half)); }

void enableViewCulling(bool on) { cullingOn = on; }

ViewCulling::ViewCulling() {
    if (openScopes++ == 0) readView();
}

ViewCulling::~ViewCulling() { openScopes--; }
