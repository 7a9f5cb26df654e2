// Where boxes of the game plane fall against the window: wholly inside, across an edge, or outside.
#pragma once

#include "basics.h"

// How a box lies against the window as GL's matrices and viewport stood when the open
// ViewCulling began: wholly inside (no clipping needed), wholly outside, or across an edge.
// Without an open ViewCulling every box counts as across an edge.
enum class Sight { inside, acrossEdge, outside };
Sight sightOf(point lo, point hi);
// The same for a square of half-size half centred on centre, turned any way.
Sight sightOfSquare(point centre, float half);

// Whether one of the points lies beyond an edge of the window, or of the depth, by more than the
// rounding could explain: a call that sends it has something to clip. False without an open
// ViewCulling.
bool anyBeyondAnEdge(const point* points, int count);

// Whether what lies so is skipped: wholly outside the window, with culling on.
bool culled(Sight sight);
// Whether the game plane's box from lo to hi is skipped.
bool offView(point lo, point hi);
bool squareOffView(point centre, float half);

// Whether passes skip what cannot show (the default) or draw everything; the picture is the same.
void enableViewCulling(bool on);

// Reads GL's matrices and viewport for the tests of its lifetime: the pass it covers must not
// change them between its draws.
class ViewCulling {
public:
    ViewCulling();
    ~ViewCulling();
    ViewCulling(const ViewCulling&) = delete;
    ViewCulling& operator=(const ViewCulling&) = delete;
};
