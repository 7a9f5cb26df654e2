// A tapered, glowing ribbon behind an AI ship, drawn with the "glowTrail" program.
#pragma once

#include "trail.h"

class GlowTrail : public Trail {
public:
    // An empty trail: it records and draws nothing.
    GlowTrail() = default;
    // A Trail that draws with the "glowTrail" program; without a linked one it says so,
    // still records, and draws nothing.
    GlowTrail(int length, point start, int interval, float width, float red, float green, float blue,
              const ShaderList& shaders);

    // Draws the ribbon from the oldest visible segment to the owner's current position.
    void draw(point current) const;
    // Hands every ribbon vertex, in drawing order, to emit(signedWidth, x, y, previousX, previousY).
    template <class Emit>
    void ribbon(point current, Emit emit) const;
    // The GL program drawn with; 0 when there is none.
    int getProgram() const { return program; }

private:
    // When the whole ribbon lies outside the window: leaves the colour drawing it would leave.
    bool skippedOffView(point current) const;
    // The signed width the ribbon's last vertex carries in its colour; false when it has no vertex.
    bool lastVertexWidth(float& signedWidth) const;

    int program = 0;
};

template <class Emit>
void GlowTrail::ribbon(point current, Emit emit) const {
    if (length == 0) return;
    bool newestDrawn = false;
    for (int i = 1; i < slots(); ++i) {
        const int cur = slotFromOldest(i);
        newestDrawn = segmentVisible(cur);
        if (!newestDrawn) continue;
        const point& p = points[cur];
        const point& prev = points[predecessor(cur)];
        const float w = width * i / length;  // grows from the tail to the head
        emit(-w, p.x, p.y, prev.x, prev.y);
        emit(w, p.x, p.y, prev.x, prev.y);
    }
    if (!newestDrawn) return;
    const point& newest = points[head];
    emit(-width, current.x, current.y, newest.x, newest.y);
    emit(width, current.x, current.y, newest.x, newest.y);
}
