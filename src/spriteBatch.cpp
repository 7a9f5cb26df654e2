// Sprites gathered and drawn in one call per image: by image where light adds up, else as drawn.
#include "spriteBatch.h"

#include "viewCulling.h"

#include <GL/glew.h>

#include <cmath>
#include <vector>

namespace {

struct spriteVertex {
    float s, t, x, y;
};

// Corners in the order of the texture corners (0, 0), (0, 1), (1, 1), (1, 0).
constexpr float CORNERS[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
constexpr double DEGREES_TO_RADIANS = 3.14159265358979323846 / 180.0;

struct imageRun {
    unsigned int texture;
    std::vector<spriteVertex> vertices;
};

bool batchesOn = true;
int openBatches = 0;
bool keepOrder = false;  // the outermost batch draws as drawn
std::vector<imageRun> runs;  // kept across frames, so that a frame allocates nothing new
size_t usedRuns = 0;

void appendCorners(std::vector<spriteVertex>& out, point centre, float half, float degrees) {
    const double radians = double(degrees) * DEGREES_TO_RADIANS;
    const float c = float(std::cos(radians)) * half;
    const float s = float(std::sin(radians)) * half;
    for (const auto& corner : CORNERS) {
        const float x = corner[0], y = corner[1];
        out.push_back({(x + 1) / 2, (y + 1) / 2, centre.x + c * x - s * y, centre.y + s * x + c * y});
    }
}

// Binds the image for the call and texture 0 after it, as every single draw leaves it.
void drawQuads(unsigned int texture, const std::vector<spriteVertex>& vertices) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(spriteVertex), &vertices[0].s);
    glVertexPointer(2, GL_FLOAT, sizeof(spriteVertex), &vertices[0].x);
    glDrawArrays(GL_QUADS, 0, GLsizei(vertices.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindTexture(GL_TEXTURE_2D, 0);
}

std::vector<spriteVertex>& runFor(unsigned int texture) {
    for (size_t i = 0; i < usedRuns; i++)
        if (runs[i].texture == texture) return runs[i].vertices;
    if (usedRuns == runs.size()) runs.emplace_back();
    imageRun& run = runs[usedRuns++];
    run.texture = texture;
    run.vertices.clear();
    return run.vertices;
}

void drawRuns() {
    for (size_t i = 0; i < usedRuns; i++) drawQuads(runs[i].texture, runs[i].vertices);
    usedRuns = 0;
}

}  // namespace

// Only sprites wholly inside the window are gathered: Mesa's software renderer takes another
// path, with other rounding, for a call that has any vertex to clip, so one sprite across an edge
// would change the pixels of every sprite gathered with it.
void drawSprite(unsigned int texture, point centre, float half, float degrees) {
    const Sight sight = sightOfSquare(centre, half);
    const bool gathering = openBatches > 0 && batchesOn;
    if (culled(sight)) {
        if (!gathering) glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    if (gathering && sight == Sight::inside) {
        if (keepOrder && usedRuns > 0 && runs[usedRuns - 1].texture != texture) drawRuns();
        appendCorners(runFor(texture), centre, half, degrees);
        return;
    }
    if (gathering && keepOrder) drawRuns();
    static std::vector<spriteVertex> single;
    single.clear();
    appendCorners(single, centre, half, degrees);
    drawQuads(texture, single);
}

void enableSpriteBatches(bool on) { batchesOn = on; }

SpriteBatch::SpriteBatch(Order order) {
    if (openBatches++ == 0) keepOrder = order == asDrawn;
}

SpriteBatch::~SpriteBatch() {
    if (--openBatches == 0) drawRuns();
}
