// A scroll bar: a thumb between two arrows, moved by the arrows or by dragging along the track.
#pragma once

#include "uiArrowTrack.h"

class uiScroller : public uiArrowTrack {
public:
    // Corners, arrow width (0: the thickness), low end, high end and value.
    uiScroller(float x1, float y1, float x2, float y2, float arrowWidth, float leftVal, float rightVal, float curVal);
    // The same with arrows as long as the scroller is thick.
    uiScroller(float x1, float y1, float x2, float y2, float leftVal, float rightVal, float curVal);

    // Arrows, track and thumb along the long axis; never turned.
    void draw() override;

private:
    void drawArrows() const;
    // Outlines the stretch from..to of the long axis at the full thickness.
    void outlineSpan(float from, float to) const;
};
