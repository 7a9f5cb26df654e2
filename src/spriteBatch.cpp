// Sprites gathered and drawn in one call per image: by image where light adds up, else as drawn.
#include "spriteBatch.h"

#include <GL/glew.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "viewCulling.h"

namespace {

struct spriteVertex {
    float s, t, x, y;
};

// Corners in the order of the texture corners (0, 0), (0, 1), (1, 1), (1, 0).
constexpr float CORNERS[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
constexpr double DEGREES_TO_RADIANS = 3.14159265358979323846 / 180.0;

// Sprites with something to clip go in runs of their own (see drawSprite).
struct imageRun {
    unsigned int texture;
    bool clipped;
    std::vector<spriteVertex> vertices;
};

bool batchesOn = true;
int openBatches = 0;
bool keepOrder = false;  // the outermost batch draws as drawn
std::vector<imageRun> runs;  // kept across frames, so that a frame allocates nothing new
size_t usedRuns = 0;

struct spriteCorners {
    spriteVertex vertex[4];
};

spriteCorners cornersOf(point centre, float half, float degrees) {
    const double radians = double(degrees) * DEGREES_TO_RADIANS;
    const float c = float(std::cos(radians)) * half;
    const float s = float(std::sin(radians)) * half;
    spriteCorners out;
    for (int i = 0; i < 4; i++) {
        const float x = CORNERS[i][0], y = CORNERS[i][1];
        out.vertex[i] = {(x + 1) / 2, (y + 1) / 2, centre.x + c * x - s * y, centre.y + s * x + c * y};
    }
    return out;
}

bool anyCornerBeyondAnEdge(const spriteCorners& corners) {
    point at[4];
    for (int i = 0; i < 4; i++) at[i] = {corners.vertex[i].x, corners.vertex[i].y};
    return anyBeyondAnEdge(at, 4);
}

// Binds the image for the call and texture 0 after it, as every single draw leaves it.
void drawQuads(unsigned int texture, const spriteVertex* vertices, size_t count) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(spriteVertex), &vertices[0].s);
    glVertexPointer(2, GL_FLOAT, sizeof(spriteVertex), &vertices[0].x);
    glDrawArrays(GL_QUADS, 0, GLsizei(count));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindTexture(GL_TEXTURE_2D, 0);
}

std::vector<spriteVertex>& runFor(unsigned int texture, bool clipped) {
    for (size_t i = 0; i < usedRuns; i++)
        if (runs[i].texture == texture && runs[i].clipped == clipped) return runs[i].vertices;
    if (usedRuns == runs.size()) runs.emplace_back();
    imageRun& run = runs[usedRuns++];
    run.texture = texture;
    run.clipped = clipped;
    run.vertices.clear();
    return run.vertices;
}

void drawRuns() {
    for (size_t i = 0; i < usedRuns; i++) {
        const imageRun& run = runs[i];
        drawQuads(run.texture, run.vertices.data(), run.vertices.size());
    }
    usedRuns = 0;
}

bool lastRunIsNot(unsigned int texture, bool clipped) {
    return usedRuns > 0 && (runs[usedRuns - 1].texture != texture || runs[usedRuns - 1].clipped != clipped);
}

}  // namespace

// A driver may rasterise a call that has anything to clip by another path, with other rounding,
// and a batch must leave the pixels that drawing its sprites one by one would: so a sprite wholly
// inside the window is gathered only with others wholly inside, one with a corner surely beyond an
// edge only with others like it, and one too near an edge to tell is drawn at once.
void drawSprite(unsigned int texture, point centre, float half, float degrees) {
    const Sight sight = sightOfSquare(centre, half);
    const bool gathering = openBatches > 0 && batchesOn;
    if (culled(sight)) {
        if (!gathering) glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    const spriteCorners corners = cornersOf(centre, half, degrees);
    const bool clipped = sight != Sight::inside && anyCornerBeyondAnEdge(corners);
    if (gathering && (sight == Sight::inside || clipped)) {
        if (keepOrder && lastRunIsNot(texture, clipped)) drawRuns();
        std::vector<spriteVertex>& run = runFor(texture, clipped);
        run.insert(run.end(), std::begin(corners.vertex), std::end(corners.vertex));
        return;
    }
    if (gathering && keepOrder) drawRuns();
    drawQuads(texture, corners.vertex, 4);
}

void enableSpriteBatches(bool on) { batchesOn = on; }

SpriteBatch::SpriteBatch(Order order) {
    if (openBatches++ == 0) keepOrder = order == asDrawn;
}

SpriteBatch::~SpriteBatch() {
    if (--openBatches == 0) drawRuns();
}
